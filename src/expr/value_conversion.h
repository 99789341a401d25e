// Conversion of an operand's Java text from one type code to another:
// unwrapping a variable, wrapping a value, narrowing, rounding.
#pragma once

#include <cstdint>
#include <string>

namespace corvel {

// Rewrites `java_text` from `from_type` to `to_type`. 0 when the pair is
// supported; 1 otherwise, with the text unchanged. The extras are not
// consulted: callers check element and user types themselves.
int16_t ConvertValue(std::string& java_text, int16_t from_type, int16_t from_extra, int16_t to_type,
                     int16_t to_extra);

}  // namespace corvel
