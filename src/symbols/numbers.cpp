#include "symbols/numbers.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "symbols/type_codes.h"

namespace corvel {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// -?digits, or -?digits[.digits][(E|D)[+-]digits] with a digit somewhere in
// the mantissa: exactly the texts of decimal and real literals.
bool IsNumberText(std::string_view s, bool& is_real) {
  size_t i = s.size() > 0 && s[0] == '-' ? 1 : 0;
  size_t mantissa_digits = 0;
  is_real = false;
  while (i < s.size() && IsDigit(s[i])) ++i, ++mantissa_digits;
  if (i < s.size() && s[i] == '.') {
    is_real = true;
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++mantissa_digits;
  }
  if (mantissa_digits == 0) return false;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'D')) {
    is_real = true;
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t exponent_digits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++exponent_digits;
    if (exponent_digits == 0) return false;
  }
  return i == s.size();
}

// The shortest text that reads back as `value` in its own precision, with
// "E" for the exponent and without the zero in front of the point.
template <typename Float>
std::string ShortestText(Float value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, result.ptr);
  for (char& c : text) {
    if (c == 'e') c = 'E';
  }
  const size_t digits = text[0] == '-' ? 1 : 0;
  if (text.compare(digits, 2, "0.") == 0) text.erase(digits, 1);
  return text;
}

}  // namespace

NumberClass ClassifyNumber(std::string_view text) {
  NumberClass out;
  bool is_real = false;
  if (!IsNumberText(text, is_real)) {
    out.failed = true;
    return out;
  }
  const bool negative = text[0] == '-';
  if (is_real) {
    std::string c_text(text);
    for (char& c : c_text) {
      if (c == 'D') c = 'E';
    }
    errno = 0;
    const double value = std::strtod(c_text.c_str(), nullptr);
    if (std::isinf(value)) {  // too large for Java too
      out.failed = true;
      return out;
    }
    const std::string as_single = ShortestText(static_cast<float>(value));
    const std::string as_double = ShortestText(value);
    if (as_single == as_double) {
      out.javaText = as_single + "f";
      out.literalCode = kLiteralSingle;
    } else {
      // A whole number needs a point, or Java reads it as an int literal.
      out.javaText = as_double.find_first_of(".E") == std::string::npos ? as_double + ".0" : as_double;
      out.literalCode = kLiteralDouble;
    }
    return out;
  }
  // Integers: leading zeros go, since Java would read them as octal.
  std::string_view digits = text.substr(negative ? 1 : 0);
  while (digits.size() > 1 && digits[0] == '0') digits.remove_prefix(1);
  unsigned long long magnitude = 0;
  const auto parsed = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
  const bool in_range = parsed.ec == std::errc() && magnitude <= (negative ? 9223372036854775808ULL : 9223372036854775807ULL);
  if (!in_range) {
    out.failed = true;
    return out;
  }
  out.javaText = (negative ? "-" : "") + std::string(digits);
  if (magnitude <= (negative ? 2147483648ULL : 2147483647ULL)) {
    out.literalCode = kLiteralLong;
  } else {
    out.literalCode = kLiteralLonglong;
    out.javaText += "L";
  }
  return out;
}

std::optional<long long> ParseWholeNumber(std::string_view digits, int base) {
  std::string_view text = digits;
  const bool negative = !text.empty() && text[0] == '-';  // a Java text may carry its sign
  if (negative) text.remove_prefix(1);
  unsigned long long magnitude = 0;
  const char* end = text.data() + text.size();
  const auto [stop, ec] = std::from_chars(text.data(), end, magnitude, base);
  if (text.empty() || ec != std::errc() || stop != end) return std::nullopt;
  constexpr unsigned long long kMaxPositive = 9223372036854775807ULL;
  if (magnitude > kMaxPositive + (negative ? 1 : 0)) return std::nullopt;
  if (!negative) return static_cast<long long>(magnitude);
  return magnitude == kMaxPositive + 1 ? std::numeric_limits<long long>::min() : -static_cast<long long>(magnitude);
}

}  // namespace corvel
