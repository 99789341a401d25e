// Reports of faults in the user's program. A report is assembled in the
// context's error text from its last line to its first, then handed to the
// context's reporter and cleared, so a translation shows at most one report
// and a second translation never sees text of the first.
#pragma once

#include <string_view>

#include "diag/messages.h"
#include "context/context.h"

namespace corvel {

// Puts `text` in front of the error text.
void PrependErrorText(TranslationContext& ctx, std::string_view text);

// Hands the error text to the reporter under `title`, then empties it.
void ShowErrorText(TranslationContext& ctx, std::string_view title = kMsgSyntaxErrorTitle);

// 第<line>行目 / "    <" source line ">" / 第<column>文字目 / "    " message
// [/ "    " second]. `line` is the 1-based source line number.
void ReportErrorAt(TranslationContext& ctx, int line, int column, std::string_view message,
                   std::string_view second = {});

// 第<line>行目 / "    <" source line ">" / "    " message [/ "    " second].
void ReportErrorInLine(TranslationContext& ctx, int line, std::string_view message,
                       std::string_view second = {});

// As ReportErrorInLine, for a line that is not in the source line store
// (one beyond the last line the store can hold).
void ReportErrorInLineText(TranslationContext& ctx, int line, std::string_view source_text,
                           std::string_view message);

// The column half of a report, as the lexer builds it: 第<column>文字目 and
// the message lines go in front of the error text; the reader adds the line half.
void PrependColumnPart(TranslationContext& ctx, int column, std::string_view message,
                       std::string_view second = {});

// The line half: 第<line>行目 and the stored source line go in front.
void PrependLinePart(TranslationContext& ctx, int line);

// The report of a statement that cannot be translated at all: the line
// form with the message "Syntax Error In Line <line>", titled "Error". Like
// every report it returns to its caller, which fails the pass.
void ReportSyntaxErrorInLine(TranslationContext& ctx, int line);

// Marks a fault path next to its report; does nothing.
void ErrorDone(TranslationContext& ctx);

}  // namespace corvel
