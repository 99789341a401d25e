// Conversion of an operand's Java text from one type code to another:
// unwrapping a variable, wrapping a value, narrowing, rounding.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvel {

// Rewrites `java_text` from `from_type` to `to_type`. 0 when the pair is
// supported; 1 otherwise, with the text unchanged. The extras are not
// consulted: callers check element and user types themselves.
int16_t ConvertValue(std::string& java_text, int16_t from_type, int16_t from_extra, int16_t to_type,
                     int16_t to_extra);

// Runtime checks of ConvertChecked: a library call's argument, a subscript.
inline constexpr std::string_view kCheckArgument = "INTARG";
inline constexpr std::string_view kCheckSubscript = "INTSUB";

// As ConvertValue, for the places where a wrapped number would silently do
// the wrong thing: a LONGLONG, SINGLE or DOUBLE narrowed to an int value goes
// through the runtime's range check `checker` (a value outside the int range
// stops the program) instead of a cast. Other pairs convert as ConvertValue.
int16_t ConvertChecked(std::string& java_text, int16_t from_type, int16_t to_type, std::string_view checker);

}  // namespace corvel
