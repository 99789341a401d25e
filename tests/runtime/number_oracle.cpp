// Writes the text PRINT must show for a fixed sample of SINGLE and DOUBLE values, worked out
// apart from the runtime: glibc's printf gives the exact decimal expansion of a binary value,
// which is cut to 7 (SINGLE) or 16 (DOUBLE) significant digits and rounded once, halves away
// from zero. One line per value: "s BITS TEXT" or "d BITS TEXT", BITS in hexadecimal.
//
// usage: corvel_number_oracle COUNT OUTPUT   (COUNT values of each kind)
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// splitmix64: a fixed sequence, the same on every machine.
uint64_t state = 0x243F6A8885A308D3ull;
uint64_t next() {
  uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

// The value's text: sign, digits without trailing zeros, no zero before the point, and the
// exponent form when the plain one would need more than p digits.
std::string corvelText(double v, int p) {
  if (v == 0) return "0";
  // 1100 digits after the point hold every digit of any double: the expansion is exact.
  std::vector<char> buf(1200);
  std::snprintf(buf.data(), buf.size(), "%.1100e", std::fabs(v));
  const char* e = std::strchr(buf.data(), 'e');
  int exponent = std::atoi(e + 1);
  std::string all = std::string(1, buf[0]) + std::string(static_cast<const char*>(buf.data()) + 2, e);
  std::string digits = all.substr(0, p);
  if (all[p] >= '5') {  // half or more of the last kept digit's unit: away from zero
    int i = p - 1;
    while (i >= 0 && digits[i] == '9') digits[i--] = '0';
    if (i < 0) {
      digits = "1" + digits.substr(0, p - 1);
      exponent++;
    } else {
      digits[i]++;
    }
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  const int n = static_cast<int>(digits.size());
  std::string sign = v < 0 ? "-" : "";
  if (exponent >= p || (exponent < 0 && -exponent - 1 + n > p)) {
    std::string mantissa = digits.substr(0, 1) + (n > 1 ? "." + digits.substr(1) : "");
    char ex[16];
    std::snprintf(ex, sizeof ex, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return sign + mantissa + ex;
  }
  if (exponent < 0) return sign + "." + std::string(-exponent - 1, '0') + digits;
  if (n <= exponent + 1) return sign + digits + std::string(exponent + 1 - n, '0');
  return sign + digits.substr(0, exponent + 1) + "." + digits.substr(exponent + 1);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s COUNT OUTPUT\n", argv[0]);
    return 2;
  }
  const long count = std::atol(argv[1]);
  FILE* out = std::fopen(argv[2], "w");
  if (!out) {
    std::perror(argv[2]);
    return 2;
  }
  // Half of each kind from any bit pattern; the other half with exponents of everyday numbers
  // (about 1E-10 to 1E+17), where the plain form and whole numbers are common.
  for (long i = 0; i < count;) {
    uint32_t bits = static_cast<uint32_t>(next());
    if (i % 2) bits = (bits & 0x807FFFFFu) | static_cast<uint32_t>(127 - 34 + next() % 90) << 23;
    float f;
    std::memcpy(&f, &bits, sizeof f);
    if (!std::isfinite(f)) continue;
    std::fprintf(out, "s %08" PRIx32 " %s\n", bits, corvelText(f, 7).c_str());
    i++;
  }
  for (long i = 0; i < count;) {
    uint64_t bits = next();
    if (i % 2) bits = (bits & 0x800FFFFFFFFFFFFFull) | (1023 - 34 + next() % 90) << 52;
    double d;
    std::memcpy(&d, &bits, sizeof d);
    if (!std::isfinite(d)) continue;
    std::fprintf(out, "d %016" PRIx64 " %s\n", bits, corvelText(d, 16).c_str());
    i++;
  }
  return std::fclose(out) == 0 ? 0 : 1;
}
