#include "source/text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace corvel {
namespace {

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

std::optional<std::string> Convert(const char* to, const char* from, std::string_view in) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(in.size() * 2 + 16, '\0');
  char* in_ptr = const_cast<char*>(in.data());
  size_t in_left = in.size();
  size_t out_used = 0;
  bool ok = true;
  while (in_left > 0) {
    char* out_ptr = out.data() + out_used;
    size_t out_left = out.size() - out_used;
    size_t rc = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
    out_used = out.size() - out_left;
    if (rc != static_cast<size_t>(-1)) continue;
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
      continue;
    }
    ok = false;  // EILSEQ or EINVAL: not text of this encoding
    break;
  }
  iconv_close(cd);
  if (!ok) return std::nullopt;
  out.resize(out_used);
  return out;
}

// The length of the valid sequence of two to four bytes at `i`; 0 when the
// bytes there start none (ASCII included).
size_t MultiByteLength(std::string_view bytes, size_t i) {
  const auto b0 = static_cast<unsigned char>(bytes[i]);
  size_t extra;
  char32_t cp;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    extra = 1;
    cp = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    extra = 2;
    cp = b0 & 0x0F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    extra = 3;
    cp = b0 & 0x07;
  } else {
    return 0;
  }
  if (i + extra >= bytes.size()) return 0;  // truncated sequence
  for (size_t k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(bytes[i + k]);
    if (!IsContinuation(b)) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if ((extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000) || cp > 0x10FFFF ||
      (cp >= 0xD800 && cp <= 0xDFFF)) {
    return 0;
  }
  return extra + 1;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  size_t i = 0;
  const size_t n = bytes.size();
  while (i < n) {
    // Programs are mostly ASCII: skip eight such bytes at a time.
    if (i + 8 <= n) {
      uint64_t word;
      std::memcpy(&word, bytes.data() + i, 8);
      if ((word & 0x8080808080808080ULL) == 0) {
        i += 8;
        continue;
      }
    }
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
      continue;
    }
    const size_t length = MultiByteLength(bytes, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

Utf8Tally TallyUtf8(std::string_view bytes) {
  Utf8Tally tally;
  for (size_t i = 0; i < bytes.size();) {
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
    } else if (const size_t length = MultiByteLength(bytes, i); length != 0) {
      tally.wideSequences += length >= 3;
      i += length;
    } else {
      if (tally.invalidBytes++ == 0) tally.firstInvalid = i;
      ++i;
    }
  }
  return tally;
}

std::optional<std::string> Cp932ToUtf8(std::string_view bytes) {
  return Convert("UTF-8", "CP932", bytes);
}

std::optional<std::string> Utf8ToCp932(std::string_view text) {
  return Convert("CP932", "UTF-8", text);
}

std::u32string DecodeUtf8(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  if (CountChars(text) == text.size()) {  // ASCII
    out.assign(text.begin(), text.end());
    return out;
  }
  size_t i = 0;
  while (i < text.size()) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    int extra = b0 < 0x80 ? 0 : b0 < 0xE0 ? 1 : b0 < 0xF0 ? 2 : 3;
    char32_t cp = extra == 0 ? b0 : extra == 1 ? (b0 & 0x1F) : extra == 2 ? (b0 & 0x0F) : (b0 & 0x07);
    for (int k = 1; k <= extra && i + static_cast<size_t>(k) < text.size(); ++k) {
      cp = (cp << 6) | (static_cast<unsigned char>(text[i + static_cast<size_t>(k)]) & 0x3F);
    }
    out.push_back(cp);
    i += static_cast<size_t>(extra) + 1;
  }
  return out;
}

void AppendUtf8(std::string& out, char32_t ch) {
  if (ch < 0x80) {
    out.push_back(static_cast<char>(ch));
  } else if (ch < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (ch >> 6)));
    out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
  } else if (ch < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (ch >> 12)));
    out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (ch >> 18)));
    out.push_back(static_cast<char>(0x80 | ((ch >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
  }
}

std::string EncodeUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t ch : text) AppendUtf8(out, ch);
  return out;
}

size_t CountChars(std::string_view text) {
  size_t count = 0;
  for (char c : text) count += !IsContinuation(static_cast<unsigned char>(c));
  return count;
}

size_t PrefixBytes(std::string_view text, size_t chars) {
  size_t count = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (!IsContinuation(static_cast<unsigned char>(text[i])) && count++ == chars) return i;
  }
  return text.size();
}

}  // namespace corvel
