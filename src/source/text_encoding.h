// Conversions between the source file's bytes and the UTF-8 text that every
// pass works on. The reader is the only caller of the file-level decoders.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvel {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// How near bytes are to UTF-8: the valid sequences of three or four bytes
// (every kana and kanji takes one), the bytes that belong to no valid
// sequence, and where the first of those stands.
struct Utf8Tally {
  size_t wideSequences = 0;
  size_t invalidBytes = 0;
  size_t firstInvalid = 0;
};
Utf8Tally TallyUtf8(std::string_view bytes);

// CP932 (Shift_JIS with the Windows extensions) to UTF-8; nullopt when the
// bytes are not CP932.
std::optional<std::string> Cp932ToUtf8(std::string_view bytes);

// UTF-8 to CP932; nullopt when a character has no CP932 form.
std::optional<std::string> Utf8ToCp932(std::string_view text);

// Code points of valid UTF-8 text.
std::u32string DecodeUtf8(std::string_view text);
void AppendUtf8(std::string& out, char32_t ch);
std::string EncodeUtf8(std::u32string_view text);

// Number of characters (code points) in valid UTF-8 text.
size_t CountChars(std::string_view text);

// The bytes of the first `chars` characters of UTF-8 text (all of it when
// it holds fewer).
size_t PrefixBytes(std::string_view text, size_t chars);

}  // namespace corvel
