// Type codes: what a variable, a value or a literal is. The numbers are the
// ones every table of the translator lists, so they never change: a place
// (a variable, held in a wrapper object) 1 to 15, its value (a Java
// primitive or object) the place + 20, its literal the place + 40.
#pragma once

#include <cstdint>

namespace corvel {

enum TypeCode : int16_t {
  kTypeByte = 1,
  kTypeInteger = 2,
  kTypeLong = 3,
  kTypeLonglong = 4,
  kTypeSingle = 5,
  kTypeDouble = 6,
  kTypeString = 9,
  kTypeFixedString = 10,  // length kept in the record's extra
  kTypeBoolean = 11,
  kTypeImage = 12,
  kTypeArray = 13,      // extra: index in the array table
  kTypeUser = 14,       // extra: index in the user-type table
  kTypeProcedure = 15,  // the result of a lookup that found a procedure
  kValueOffset = 20,
  kLiteralOffset = 40,
};

enum ValueCode : int16_t {
  kValueByte = 21,
  kValueInteger = 22,
  kValueLong = 23,
  kValueLonglong = 24,
  kValueSingle = 25,
  kValueDouble = 26,
  kValueString = 29,
  kValueFixedString = 30,
  kValueBoolean = 31,
  kValueImage = 32,
  kValueArray = 33,
  kValueUser = 34,
};

enum LiteralCode : int16_t {
  kLiteralLong = 43,      // a whole number of 32 bits (and hexadecimal or octal Integer)
  kLiteralLonglong = 44,  // a whole number of 64 bits
  kLiteralSingle = 45,
  kLiteralDouble = 46,
  kLiteralString = 49,
  kLiteralBoolean = 51,
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
constexpr bool IsNumericLiteral(int16_t code) { return code >= LiteralOf(kTypeByte) && code <= kLiteralDouble; }
constexpr bool IsNumeric(int16_t code) { return IsNumericPlace(code) || IsNumericValue(code) || IsNumericLiteral(code); }

}  // namespace corvel
