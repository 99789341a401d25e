#include "diag/error_report.h"

#include <string>

#include "source/text_encoding.h"

namespace corvel {
namespace {

std::string_view StoredLine(const TranslationContext& ctx, int line) {
  if (line < 1 || line > static_cast<int>(ctx.sourceLines.size())) return {};
  return ctx.sourceLines[static_cast<size_t>(line - 1)];
}

// A line too long to translate is shown by its beginning only: a report is
// read by a person, and the line may run to millions of characters.
constexpr size_t kShownOfLongLine = 120;

void SetLineText(int line, std::string_view source_text, Fault& fault) {
  fault.line = line;
  if (source_text.size() > static_cast<size_t>(kMaxLineLength) &&
      CountChars(source_text) > static_cast<size_t>(kMaxLineLength)) {
    fault.lineText = std::string(source_text.substr(0, PrefixBytes(source_text, kShownOfLongLine)));
    fault.lineText += kMsgCutMark;
  } else {
    fault.lineText = std::string(source_text);
  }
}

}  // namespace

void ShowErrorText(TranslationContext& ctx, const Fault& fault) {
  if (ctx.reporter) ctx.reporter(fault);
}

// The column of the line as written that holds expanded column `column`
// (tabs expanded to the next multiple of 4, as the source store has them).
int WrittenColumn(std::string_view written, int column) {
  int expanded = 0, at = 0;  // characters before the current one, expanded and as written
  for (size_t i = 0; i < written.size(); ++i) {
    if ((static_cast<unsigned char>(written[i]) & 0xC0) == 0x80) continue;  // inside a character
    const int width = written[i] == '\t' ? 4 - expanded % 4 : 1;
    ++at;
    if (column <= expanded + width) return at;
    expanded += width;
  }
  return at + column - expanded;  // past the end, where the lexer appends a token
}

void SetLinePart(const TranslationContext& ctx, int line, Fault& fault) {
  SetLineText(line, StoredLine(ctx, line), fault);
  const auto tabbed = ctx.linesWithTabs.find(line);
  fault.writtenColumn = tabbed == ctx.linesWithTabs.end() || fault.column == 0
                            ? fault.column
                            : WrittenColumn(tabbed->second, fault.column);
}

void ReportErrorAt(TranslationContext& ctx, int line, int column, const Message& message) {
  Fault fault;
  fault.message = message;
  fault.column = column;
  SetLinePart(ctx, line, fault);
  ShowErrorText(ctx, fault);
}

void ReportErrorInLine(TranslationContext& ctx, int line, const Message& message) {
  ReportErrorAt(ctx, line, 0, message);
}

void ReportErrorInLineText(TranslationContext& ctx, int line, std::string_view source_text,
                           const Message& message) {
  Fault fault;
  fault.message = message;
  SetLineText(line, source_text, fault);
  ShowErrorText(ctx, fault);
}

void ReportSyntaxErrorInLine(TranslationContext& ctx, int line) {
  Fault fault;
  fault.title = kMsgErrorTitle;
  fault.message = Msg(kMsgSyntaxErrorInLine, line);
  SetLinePart(ctx, line, fault);
  ShowErrorText(ctx, fault);
}

void ErrorDone(TranslationContext&) {}

}  // namespace corvel
