#include "expr/value_conversion.h"

#include <string_view>

#include "symbols/symbol_tables.h"

namespace corvel {
namespace {

// The runtime's conversion of a real value to each whole-number place.
constexpr std::string_view kWholeFromReal[] = {"", "CBYTE", "CINT16", "CLNG32", "CLNG64"};
static_assert(kTypeByte == 1 && kTypeLonglong == 4);

// Numeric places run narrow to wide: a wider target takes the value as it is.
int16_t ConvertNumber(std::string& x, int16_t from, int16_t to) {
  const int16_t b = PlaceOf(from);
  const int16_t c = PlaceOf(to);
  const TypeRow& target = *TypeRowOf(c);
  const std::string v = IsNumericPlace(from) ? x + ".Get()" : x;
  std::string w;
  if (c >= b) {
    w = v;
  } else if (b >= kTypeSingle && c <= kTypeLonglong) {
    // A real value made whole is rounded half up by the runtime, which stops
    // the program when the target cannot hold it (NaN, infinite, out of
    // range) instead of letting a cast wrap it into a wrong number.
    w = std::string(kWholeFromReal[c]) + "(" + v + ")";
  } else {  // double to single, or a narrower integer
    w = "(" + std::string(target.primitive) + ")(" + v + ")";
  }
  if (IsNumericValue(to)) {
    x = w;
  } else if (from != to) {
    x = "new " + std::string(target.wrapper) + "(" + w + ")";
  }
  return 0;
}

}  // namespace

int16_t ConvertValue(std::string& java_text, int16_t from_type, int16_t /*from_extra*/, int16_t to_type,
                     int16_t /*to_extra*/) {
  std::string& x = java_text;
  auto become = [&](std::string text) {
    x = std::move(text);
    return int16_t{0};
  };
  const bool numeric_source = IsNumeric(from_type);
  if (numeric_source && (IsNumericPlace(to_type) || IsNumericValue(to_type))) return ConvertNumber(x, from_type, to_type);

  // Strings, booleans, images, arrays and user types convert only to their
  // own kind; a place unwraps with Get(), a string or boolean value wraps in
  // a new variable, an image's, array's or record's value is the object.
  switch (from_type) {
    case kTypeFixedString:
      if (to_type == kTypeString) return become("new KWV_String(" + x + ".Get())");
      if (to_type == kValueString) return become(x + ".Get()");
      return 1;
    case kTypeString:
    case kTypeBoolean:
    case kTypeImage:
    case kTypeArray:
    case kTypeUser:
      if (to_type == from_type) return 0;
      if (to_type == ValueOf(from_type)) return become(x + ".Get()");
      return 1;
    case kValueString:
    case kLiteralString:
    case kValueBoolean:
    case kLiteralBoolean: {
      const int16_t place = PlaceOf(from_type);
      if (to_type == place) return become("new " + std::string(TypeRowOf(place)->wrapper) + "(" + x + ")");
      if (to_type == ValueOf(place)) return 0;
      return 1;
    }
    case kValueImage:
    case kValueArray:
    case kValueUser:
      return to_type == from_type || to_type == PlaceOf(from_type) ? 0 : 1;
    default:
      return 1;
  }
}

int16_t ConvertChecked(std::string& java_text, int16_t from_type, int16_t to_type, std::string_view checker) {
  const bool numeric_source = IsNumeric(from_type);
  if (to_type != kValueLong || !numeric_source || PlaceOf(from_type) < kTypeLonglong) {
    return ConvertValue(java_text, from_type, -1, to_type, -1);
  }
  // A real value goes to the checker as it is, so that a report names it.
  if (PlaceOf(from_type) >= kTypeSingle && IsNumericPlace(from_type)) java_text += ".Get()";
  if (PlaceOf(from_type) == kTypeLonglong) ConvertNumber(java_text, from_type, kValueLonglong);
  java_text = std::string(checker) + "(" + java_text + ")";
  return 0;
}

}  // namespace corvel
