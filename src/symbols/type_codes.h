// Type codes: what a variable, a value or a literal is, and the table of
// what each type is called and written as (symbols/type_codes.def). A place
// (a variable, held in a wrapper object) is 1 to 15, its value (a Java
// primitive or object) the place + 20, its literal the place + 40.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace corvel {

enum TypeCode : int16_t {
#define CORVEL_TYPE(name, place, ...) kType##name = place,
#include "symbols/type_codes.def"
  kValueOffset = 20,
  kLiteralOffset = 40,
};

enum ValueCode : int16_t {
#define CORVEL_TYPE(name, place, ...) kValue##name = place + kValueOffset,
#include "symbols/type_codes.def"
};

// The lexer makes literals of LONG (a whole number of 32 bits, and a
// hexadecimal or octal INTEGER), LONGLONG (64 bits), SINGLE, DOUBLE, STRING
// and BOOLEAN only.
enum LiteralCode : int16_t {
#define CORVEL_TYPE(name, place, ...) kLiteral##name = place + kLiteralOffset,
#include "symbols/type_codes.def"
};

constexpr int16_t ValueOf(int16_t place) { return static_cast<int16_t>(place + kValueOffset); }
constexpr int16_t LiteralOf(int16_t place) { return static_cast<int16_t>(place + kLiteralOffset); }
constexpr bool IsValueCode(int16_t code) { return code > kValueOffset && code < kLiteralOffset; }
constexpr bool IsLiteralCode(int16_t code) { return code > kLiteralOffset; }

// The place of any code: a value or a literal reduced to its place.
constexpr int16_t PlaceOf(int16_t code) {
  if (IsLiteralCode(code)) return static_cast<int16_t>(code - kLiteralOffset);
  if (IsValueCode(code)) return static_cast<int16_t>(code - kValueOffset);
  return code;
}

// Numeric places run from BYTE to DOUBLE, narrow to wide; the first four
// are whole numbers.
constexpr bool IsNumericPlace(int16_t code) { return code >= kTypeByte && code <= kTypeDouble; }
constexpr bool IsIntegerPlace(int16_t code) { return code >= kTypeByte && code <= kTypeLonglong; }
constexpr bool IsNumericValue(int16_t code) { return code >= kValueByte && code <= kValueDouble; }
constexpr bool IsNumericLiteral(int16_t code) { return code >= kLiteralByte && code <= kLiteralDouble; }
constexpr bool IsNumeric(int16_t code) { return IsNumericPlace(code) || IsNumericValue(code) || IsNumericLiteral(code); }

// One row of type_codes.def; the fields are described there.
struct TypeRow {
  int16_t place;
  std::string_view basic;
  char letter;
  char suffix;
  std::string_view wrapper;
  std::string_view array;
  std::string_view primitive;
};

inline constexpr TypeRow kTypeTable[] = {
#define CORVEL_TYPE(name, place, basic, letter, suffix, wrapper, array, primitive) \
  {place, basic, letter, suffix, wrapper, array, primitive},
#include "symbols/type_codes.def"
};

// The row of a place code, or nullptr for a code that is not a place.
constexpr const TypeRow* TypeRowOf(int16_t place) {
  for (const TypeRow& row : kTypeTable) {
    if (row.place == place) return &row;
  }
  return nullptr;
}

// The row of the type a program names `basic` ("LONG"), or nullptr. STRING
// comes before STRING * n, which shares its name.
constexpr const TypeRow* TypeRowOfName(std::string_view basic) {
  for (const TypeRow& row : kTypeTable) {
    if (!row.basic.empty() && row.basic == basic) return &row;
  }
  return nullptr;
}

// The row whose letter `letter` is, in either case, or nullptr. STRING
// comes before STRING * n, which shares its letter.
constexpr const TypeRow* TypeRowOfLetter(char letter) {
  const char upper = letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter;
  for (const TypeRow& row : kTypeTable) {
    if (row.letter != 0 && row.letter == upper) return &row;
  }
  return nullptr;
}

// The letter of a value of a row: the place's letter in lower case.
constexpr char ValueLetter(const TypeRow& row) {
  return row.letter == 0 ? char{0} : static_cast<char>(row.letter - 'A' + 'a');
}

// The used-type flags (TranslationContext::usedTypes) say which runtime
// classes the writer copies: the flag of a variable of place t is t, that of
// an array of element t is t + 20.
constexpr size_t VariableFlag(int16_t place) { return static_cast<size_t>(place); }
constexpr size_t ArrayFlag(int16_t element) { return static_cast<size_t>(element + kValueOffset); }

}  // namespace corvel
