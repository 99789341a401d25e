// Classification of decimal number texts into literal type codes and Java
// literal texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvel {

struct NumberClass {
  std::string javaText;
  int16_t literalCode = 0;  // 43 long, 44 long long, 45 single, 46 double
  bool failed = false;      // not a number text, or out of range
};

// `text` is a number as the lexer delivers it ("12", "1.5E-3", ".5", "1D3"),
// with a leading "-" when the caller joined a minus token to it. Anything
// else, an integer outside the signed 64-bit range, and a real too large for
// a double fail.
NumberClass ClassifyNumber(std::string_view text);

// The whole number that `digits` spells in `base` (a leading minus allowed,
// no prefix), or nothing when the text holds anything else or leaves the
// 64-bit range. Never throws, whatever the text.
std::optional<long long> ParseWholeNumber(std::string_view digits, int base = 10);

// Whether a classified number is an integer that fits 32 bits (41 to 43).
inline bool IsInt32Literal(const NumberClass& n) {
  return !n.failed && n.literalCode >= 41 && n.literalCode <= 43;
}

}  // namespace corvel
