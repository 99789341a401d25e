#include "source/source_reader.h"

#include <fmt/format.h>

#include <cerrno>
#include <cstring>
#include <algorithm>
#include <cstdio>
#include <sys/stat.h>

#include "diag/command_texts.h"
#include "diag/error_report.h"
#include "diag/messages.h"
#include "source/lexer.h"
#include "source/text_encoding.h"

namespace corvel {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& why) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    why = std::strerror(errno);
    return false;
  }
  struct stat info {};
  if (fstat(fileno(file), &info) == 0 && info.st_size > 0) bytes.reserve(static_cast<size_t>(info.st_size));
  char buffer[1 << 16];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  const bool failed = std::ferror(file) != 0;
  if (failed) why = std::strerror(errno);
  std::fclose(file);
  return !failed;
}

// The 1-based number of the line that holds byte `offset`, lines ending as
// NextLine ends them: at CR LF, CR or LF.
size_t LineOfOffset(std::string_view text, size_t offset) {
  size_t line = 1;
  for (size_t i = 0; i < offset; ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) ++line;
  }
  return line;
}

}  // namespace

void ExpandTabs(std::string& line) {
  size_t tab = line.find('\t');
  if (tab == std::string::npos) return;
  std::string out;
  out.reserve(line.size() + 8);
  size_t chars = 0;  // characters in front of the current position
  size_t from = 0;
  while (tab != std::string::npos) {
    const std::string_view segment(line.data() + from, tab - from);
    out += segment;
    chars += CountChars(segment);
    const size_t spaces = 4 - chars % 4;
    out.append(spaces, ' ');
    chars += spaces;
    from = tab + 1;
    tab = line.find('\t', from);
  }
  out.append(line, from, std::string::npos);
  line = std::move(out);
}

void StripComment(std::string& line) {
  // Quote, backslash and apostrophe are single bytes that never occur inside
  // a multi-byte UTF-8 sequence, so a byte scan sees the characters.
  if (line.find('\'') == std::string::npos) return;
  if (line[0] == '\'') {
    line.clear();
    return;
  }
  // Inside a literal a backslash escapes the next character, as the lexer
  // reads it: "\\" ends the literal and "\"" does not.
  bool in_string = false;
  for (size_t i = 1; i < line.size(); ++i) {
    if (in_string && line[i] == '\\') {
      ++i;
    } else if (line[i] == '"') {
      in_string = !in_string;
    } else if (line[i] == '\'' && !in_string) {
      line.resize(i);
      return;
    }
  }
}

void InitSourceLines(TranslationContext& ctx) {
  ctx.sourceLines.clear();
  ctx.linesWithTabs.clear();
  ctx.sourceLines.reserve(300);
}

void AddSourceLine(TranslationContext& ctx, std::string_view text) {
  ctx.sourceLines.emplace_back(text);
}

std::string GetSourceLine(const TranslationContext& ctx, int16_t index) {
  if (index < 0 || static_cast<size_t>(index) >= ctx.sourceLines.size()) return {};
  return ctx.sourceLines[static_cast<size_t>(index)];
}

int16_t ReadSourceLine(TranslationContext& ctx, std::string& line, int16_t& line_number) {
  if (line.find('\t') != std::string::npos) ctx.linesWithTabs.emplace(line_number, line);
  ExpandTabs(line);
  AddSourceLine(ctx, line);
  StripComment(line);
  Fault fault;
  if (LexLine(ctx, line, line_number, fault) != 0) {
    SetLinePart(ctx, line_number, fault);
    ShowErrorText(ctx, fault);
    return 1;
  }
  return 0;
}

std::optional<std::string> DecodeSource(std::string bytes, SourceEncoding encoding, std::string& why) {
  if (encoding != SourceEncoding::kCp932 && std::string_view(bytes).substr(0, kUtf8Bom.size()) == kUtf8Bom) {
    bytes.erase(0, kUtf8Bom.size());
  }
  if (encoding != SourceEncoding::kCp932 && IsValidUtf8(bytes)) return bytes;
  if (encoding == SourceEncoding::kUtf8) {
    why = kCmdNotUtf8;
    return std::nullopt;
  }
  if (encoding == SourceEncoding::kAuto) {
    // CP932 text forms a two-byte UTF-8 sequence often by chance (a
    // half-width kana before a lead byte), a three-byte one seldom, and
    // then among many bytes that form none: more valid three- and four-byte
    // sequences than stray bytes is a UTF-8 file with a few damaged
    // characters, which a reading as CP932 would turn wholly into others.
    const Utf8Tally tally = TallyUtf8(bytes);
    if (tally.wideSequences > tally.invalidBytes) {
      why = fmt::format(kCmdMostlyUtf8, LineOfOffset(bytes, tally.firstInvalid));
      return std::nullopt;
    }
  }
  std::optional<std::string> text = Cp932ToUtf8(bytes);
  if (!text) {
    why = encoding == SourceEncoding::kCp932 ? kCmdNotCp932 : kCmdNotText;
  }
  return text;
}

bool NextLine(std::string_view text, size_t& pos, std::string_view& line) {
  if (pos >= text.size()) return false;
  const char* const begin = text.data() + pos;
  const char* const end = text.data() + text.size();
  // The line ends at the first CR or LF. Both are looked for a block at a
  // time, so a file that uses only one of them is still read in linear time.
  constexpr size_t kBlock = 256;
  const char* stop = end;
  for (const char* p = begin; p < end; p += kBlock) {
    const auto n = std::min(kBlock, static_cast<size_t>(end - p));
    const auto* lf = static_cast<const char*>(std::memchr(p, '\n', n));
    const auto* cr = static_cast<const char*>(std::memchr(p, '\r', lf != nullptr ? static_cast<size_t>(lf - p) : n));
    if (cr != nullptr || lf != nullptr) {
      stop = cr != nullptr ? cr : lf;
      break;
    }
  }
  line = std::string_view(begin, static_cast<size_t>(stop - begin));
  pos = static_cast<size_t>(stop - text.data()) + 1;
  if (stop < end && *stop == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
  return true;
}

namespace {

// A line longer than any line the lexer takes is kept only up to one
// character past the limit: enough for its report, and a file of one huge
// line costs no more than its reading.
std::string_view TooLongCut(std::string_view line) {
  if (line.size() <= static_cast<size_t>(kMaxLineLength)) return line;
  return line.substr(0, PrefixBytes(line, static_cast<size_t>(kMaxLineLength) + 1));
}

}  // namespace

int16_t ReadSourceBytes(TranslationContext& ctx, std::string bytes, std::string_view path) {
  std::string why;
  std::optional<std::string> text = DecodeSource(std::move(bytes), ctx.encoding, why);
  if (!text) {
    ctx.failureText = fmt::format("{}: {}", path, why);
    return 1;
  }
  // A line is rarely shorter than 16 bytes: enough room for most programs
  // without growing.
  ctx.sourceLines.reserve(std::min<size_t>(text->size() / 16 + 1, kMaxLines));
  ctx.statements.reserve(ctx.sourceLines.capacity());
  std::string line;
  std::string_view next;
  size_t pos = 0;
  for (int count = 0; NextLine(*text, pos, next); ++count) {
    line.assign(TooLongCut(next));
    if (count >= kMaxLines) {
      // The line number is 16-bit: a longer program cannot be numbered.
      ExpandTabs(line);
      ReportErrorInLineText(ctx, count + 1, line, Msg(kMsgTooManyLines, kMaxLines));
      return 1;
    }
    int16_t line_number = static_cast<int16_t>(count + 1);
    if (ReadSourceLine(ctx, line, line_number) != 0) return 1;
  }
  return 0;
}

int16_t ReadSourceFile(TranslationContext& ctx) {
  const std::string path =
      ctx.sourceDir.empty() ? ctx.sourceFileName : ctx.sourceDir + "/" + ctx.sourceFileName;
  std::string bytes;
  std::string why;
  if (!ReadWholeFile(path, bytes, why)) {
    ctx.failureText = fmt::format(kCmdCannotReadSource, path, why);
    return 1;
  }
  return ReadSourceBytes(ctx, std::move(bytes), path);
}

std::string SourceCommentText(const TranslationContext& ctx, const Statement& s) {
  const std::string& line = ctx.sourceLines[static_cast<size_t>(s.lineNumber - 1)];
  // Columns count characters: find the bytes of [firstColumn, firstColumn + span).
  size_t begin = 0;
  size_t end = line.size();
  int column = 1;
  for (size_t b = 0; b <= line.size(); ++b) {
    if (b < line.size() && (static_cast<unsigned char>(line[b]) & 0xC0) == 0x80) continue;
    if (column == s.firstColumn) begin = b;
    if (column == s.firstColumn + s.span) {
      end = b;
      break;
    }
    ++column;
  }
  const std::string text = line.substr(begin, end - begin);
  // Java reads \uXXXX even inside a comment, and an escaped newline would end
  // it: a backslash that would start such an escape (an odd run of
  // backslashes before "u") gets one more.
  std::string out;
  out.reserve(text.size());
  size_t run = 0;
  for (char c : text) {
    if (c == 'u' && run % 2 == 1) out += '\\';
    run = c == '\\' ? run + 1 : 0;
    out += c;
  }
  return out;
}

}  // namespace corvel
