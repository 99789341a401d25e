#include "source/source_reader.h"

#include <fmt/format.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "diag/error_report.h"
#include "source/lexer.h"
#include "source/text_encoding.h"

namespace corvel {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& why) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    why = std::strerror(errno);
    return false;
  }
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    why = "read error";
    return false;
  }
  return true;
}

}  // namespace

void ExpandTabs(std::string& line) {
  if (line.find('\t') == std::string::npos) return;
  std::string out;
  out.reserve(line.size() + 8);
  size_t chars = 0;  // characters in front of the current position
  for (char c : line) {
    if (c == '\t') {
      const size_t spaces = 4 - chars % 4;
      out.append(spaces, ' ');
      chars += spaces;
      continue;
    }
    out.push_back(c);
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++chars;
  }
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
  bool in_string = false;
  for (size_t i = 1; i < line.size(); ++i) {
    if (line[i] == '"' && line[i - 1] != '\\') in_string = !in_string;
    if (line[i] == '\'' && !in_string) {
      line.resize(i);
      return;
    }
  }
}

void InitSourceLines(TranslationContext& ctx) {
  ctx.sourceLines.clear();
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
  ExpandTabs(line);
  AddSourceLine(ctx, line);
  StripComment(line);
  if (LexLine(ctx, line, line_number) != 0) {
    PrependLinePart(ctx, line_number);
    ShowErrorText(ctx);
    return 1;
  }
  return 0;
}

std::optional<std::string> DecodeSource(std::string_view bytes, SourceEncoding encoding,
                                        std::string& why) {
  if (encoding != SourceEncoding::kCp932 && bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
    bytes.remove_prefix(kUtf8Bom.size());
  }
  if (encoding != SourceEncoding::kCp932 && IsValidUtf8(bytes)) return std::string(bytes);
  if (encoding == SourceEncoding::kUtf8) {
    why = "the file is not valid UTF-8 text";
    return std::nullopt;
  }
  std::optional<std::string> text = Cp932ToUtf8(bytes);
  if (!text) {
    why = encoding == SourceEncoding::kCp932 ? "the file is not valid CP932 (Shift_JIS) text"
                                             : "the file is neither UTF-8 nor CP932 (Shift_JIS) text";
  }
  return text;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

int16_t ReadSourceBytes(TranslationContext& ctx, std::string_view bytes, std::string_view path) {
  std::string why;
  std::optional<std::string> text = DecodeSource(bytes, ctx.encoding, why);
  if (!text) {
    ctx.failureText = fmt::format("{}: {}", path, why);
    return 1;
  }
  const std::vector<std::string_view> lines = SplitLines(*text);
  ctx.sourceLines.reserve(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string line(lines[i]);
    if (i >= static_cast<size_t>(kMaxLines)) {
      // The line number is 16-bit: a longer program cannot be numbered.
      ExpandTabs(line);
      ReportErrorInLineText(ctx, static_cast<int>(i) + 1, line,
                            fmt::format("プログラムの行数が多すぎます（{}行まで）", kMaxLines));
      return 1;
    }
    int16_t line_number = static_cast<int16_t>(i + 1);
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
    ctx.failureText = fmt::format("{}: cannot read the source file: {}", path, why);
    return 1;
  }
  return ReadSourceBytes(ctx, bytes, path);
}

}  // namespace corvel
