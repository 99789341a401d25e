#include "diag/error_report.h"

#include <fmt/format.h>

#include <string>

namespace corvel {
namespace {

constexpr std::string_view kCrLf = "\r\n";

std::string MessageLines(std::string_view message, std::string_view second) {
  std::string text = fmt::format("    {}", message);
  if (!second.empty()) text += fmt::format("{}    {}", kCrLf, second);
  return text;
}

std::string_view StoredLine(const TranslationContext& ctx, int line) {
  if (line < 1 || line > static_cast<int>(ctx.sourceLines.size())) return {};
  return ctx.sourceLines[static_cast<size_t>(line - 1)];
}

void PrependLineText(TranslationContext& ctx, int line, std::string_view source_text) {
  PrependErrorText(ctx, fmt::format("第{}行目{}    <{}>{}", line, kCrLf, source_text, kCrLf));
}

}  // namespace

void PrependErrorText(TranslationContext& ctx, std::string_view text) {
  ctx.errorText.insert(0, text);
}

void ShowErrorText(TranslationContext& ctx) {
  if (ctx.reporter) ctx.reporter(kSyntaxErrorTitle, ctx.errorText);
  ctx.errorText.clear();
}

void PrependColumnPart(TranslationContext& ctx, int column, std::string_view message,
                       std::string_view second) {
  PrependErrorText(ctx, fmt::format("第{}文字目{}{}", column, kCrLf, MessageLines(message, second)));
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
  ReportErrorInLine(ctx, line, fmt::format("Syntax Error In Line {}", line));
}

void ErrorDone(TranslationContext&) {}

}  // namespace corvel
