// One-line text forms of statement records, so a test of a pass asserts one
// string instead of field after field.
#pragma once

#include <string>

#include "symbols/context.h"

namespace corvel {

// The token texts joined by spaces; a token without text (one the lexer
// appended) shows as <code>.
std::string DumpTokens(const Statement& s);

// One line per record: index, kind, line, column, span, area, block links,
// case flag, tokens, and the Java text when there is one.
std::string DumpStatements(const TranslationContext& ctx);

}  // namespace corvel
