// Reports of faults in the user's program. Each report is one Fault record
// handed to the context's reporter at once; nothing of it stays in the
// context, so a second translation never sees a fault of the first.
#pragma once

#include <string_view>

#include "context/context.h"
#include "diag/fault.h"
#include "diag/messages.h"

namespace corvel {

// Hands a finished fault to the reporter.
void ShowErrorText(TranslationContext& ctx, const Fault& fault);

// The line half of a fault: `line` (1-based) and the stored source line.
// The lexer finds the column and the message; the reader adds this half.
void SetLinePart(const TranslationContext& ctx, int line, Fault& fault);

// A fault at `line` and `column`.
void ReportErrorAt(TranslationContext& ctx, int line, int column, const Message& message);

// A fault that names its line only.
void ReportErrorInLine(TranslationContext& ctx, int line, const Message& message);

// As ReportErrorInLine, for a line that is not in the source line store
// (one beyond the last line the store can hold).
void ReportErrorInLineText(TranslationContext& ctx, int line, std::string_view source_text,
                           const Message& message);

// The report of a statement that cannot be translated at all: the line
// form with the message "Syntax Error In Line <line>", titled "Error". Like
// every report it returns to its caller, which fails the pass.
void ReportSyntaxErrorInLine(TranslationContext& ctx, int line);

// Marks a fault path next to its report; does nothing.
void ErrorDone(TranslationContext& ctx);

}  // namespace corvel
