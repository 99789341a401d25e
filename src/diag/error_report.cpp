#include "diag/error_report.h"

#include <fmt/format.h>

#include <string>

#include "source/text_encoding.h"

namespace corvel {
namespace {

std::string MessageLines(std::string_view message, std::string_view second) {
  std::string text = fmt::format("    {}", message);
  if (!second.empty()) text += fmt::format("{}    {}", kCrLf, second);
  return text;
}

std::string_view StoredLine(const TranslationContext& ctx, int line) {
  if (line < 1 || line > static_cast<int>(ctx.sourceLines.size())) return {};
  return ctx.sourceLines[static_cast<size_t>(line - 1)];
}

// A line too long to translate is shown by its beginning only: a report is
// read by a person, and the line may run to millions of characters.
constexpr size_t kShownOfLongLine = 120;

std::string_view ShownPart(std::string_view text, bool& cut) {
  cut = text.size() > static_cast<size_t>(kMaxLineLength) && CountChars(text) > static_cast<size_t>(kMaxLineLength);
  return cut ? text.substr(0, PrefixBytes(text, kShownOfLongLine)) : text;
}

void PrependLineText(TranslationContext& ctx, int line, std::string_view source_text) {
  bool cut = false;
  const std::string_view shown = ShownPart(source_text, cut);
  PrependErrorText(ctx, fmt::format("{}{}    <{}{}>{}", fmt::format(kMsgLineHeading, line), kCrLf, shown,
                                    cut ? kMsgCutMark : "", kCrLf));
}

}  // namespace

void PrependErrorText(TranslationContext& ctx, std::string_view text) {
  ctx.errorText.insert(0, text);
}

void ShowErrorText(TranslationContext& ctx, std::string_view title) {
  if (ctx.reporter) ctx.reporter(title, ctx.errorText);
  ctx.errorText.clear();
}

void PrependColumnPart(TranslationContext& ctx, int column, std::string_view message,
                       std::string_view second) {
  PrependErrorText(ctx, fmt::format("{}{}{}", fmt::format(kMsgColumnHeading, column), kCrLf,
                                    MessageLines(message, second)));
}

void PrependLinePart(TranslationContext& ctx, int line) {
  PrependLineText(ctx, line, StoredLine(ctx, line));
}

void ReportErrorAt(TranslationContext& ctx, int line, int column, std::string_view message,
                   std::string_view second) {
  PrependColumnPart(ctx, column, message, second);
  PrependLinePart(ctx, line);
  ShowErrorText(ctx);
}

void ReportErrorInLine(TranslationContext& ctx, int line, std::string_view message,
                       std::string_view second) {
  PrependErrorText(ctx, MessageLines(message, second));
  PrependLinePart(ctx, line);
  ShowErrorText(ctx);
}

void ReportErrorInLineText(TranslationContext& ctx, int line, std::string_view source_text,
                           std::string_view message) {
  PrependErrorText(ctx, MessageLines(message, {}));
  PrependLineText(ctx, line, source_text);
  ShowErrorText(ctx);
}

void ReportSyntaxErrorInLine(TranslationContext& ctx, int line) {
  PrependErrorText(ctx, MessageLines(fmt::format(kMsgSyntaxErrorInLine, line), {}));
  PrependLinePart(ctx, line);
  ShowErrorText(ctx, kMsgErrorTitle);
}

void ErrorDone(TranslationContext&) {}

}  // namespace corvel
