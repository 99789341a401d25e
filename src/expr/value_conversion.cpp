#include "expr/value_conversion.h"

#include <array>
#include <string_view>

#include "symbols/symbol_tables.h"

namespace corvel {
namespace {

// Numeric bases 1 (byte) to 6 (double), narrow to wide. ORDER TYPECODE
constexpr std::array<std::string_view, 7> kWrapper = {"", "KWV_Byte", "KWV_Integer", "KWV_Long",
                                                      "KWV_Longlong", "KWV_Single", "KWV_Double"};
constexpr std::array<std::string_view, 7> kCast = {"", "byte", "short", "int", "long", "float", "double"};

int16_t ConvertNumber(std::string& x, int16_t from, int16_t to) {
  const int16_t b = PlaceOf(from);
  const int16_t c = PlaceOf(to);
  const std::string v = IsNumericPlace(from) ? x + ".Get()" : x;
  std::string w;
  if (c >= b) {
    w = v;
  } else if (b >= kTypeSingle && c <= kTypeLonglong) {
    // Math.round of a float returns an int, capped at 2147483647: a single is
    // rounded as a double, so every floating value becomes a 64-bit whole
    // number first and the cast then wraps it like any integer narrowing.
    const std::string rounded = b == 5 ? "Math.round((double)(" + v + "))" : "Math.round(" + v + ")";
    w = "(" + std::string(kCast[static_cast<size_t>(c)]) + ")(" + rounded + ")";
  } else {  // double to single, or a narrower integer
    w = "(" + std::string(kCast[static_cast<size_t>(c)]) + ")(" + v + ")";
  }
  if (IsNumericValue(to)) {
    x = w;
  } else if (from != to) {
    x = "new " + std::string(kWrapper[static_cast<size_t>(c)]) + "(" + w + ")";
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
  // own kind; a place unwraps with Get(), a value wraps in a new variable.
  switch (from_type) {
    case kTypeString:
      if (to_type == kTypeString) return 0;
      if (to_type == kValueString) return become(x + ".Get()");
      return 1;
    case kTypeFixedString:
      if (to_type == kTypeString) return become("new KWV_String(" + x + ".Get())");
      if (to_type == kValueString) return become(x + ".Get()");
      return 1;
    case kValueString:
    case kLiteralString:
      if (to_type == kTypeString) return become("new KWV_String(" + x + ")");
      if (to_type == kValueString) return 0;
      return 1;
    case kTypeBoolean:
      if (to_type == kTypeBoolean) return 0;
      if (to_type == kValueBoolean) return become(x + ".Get()");
      return 1;
    case kValueBoolean:
    case kLiteralBoolean:
      if (to_type == kTypeBoolean) return become("new KWV_Boolean(" + x + ")");
      if (to_type == kValueBoolean) return 0;
      return 1;
    case kTypeImage:
    case kTypeArray:
    case kTypeUser:
      if (to_type == from_type) return 0;
      if (to_type == ValueOf(from_type)) return become(x + ".Get()");
      return 1;
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
  ConvertNumber(java_text, from_type, kValueLonglong);
  java_text = std::string(checker) + "(" + java_text + ")";
  return 0;
}

}  // namespace corvel
