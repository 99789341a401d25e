// One-line text forms of statement records, so a test of a pass asserts one
// string instead of field after field.
#pragma once

#include <string>

#include "context/context.h"

namespace corvel {

// The token texts joined by spaces; a token without text (one the lexer
// appended) shows as <code>.
std::string DumpTokens(const Statement& s);

// One line per record: index, kind name, line, column, span, area, block
// links, case flag, tokens, and the Java text when there is one.
std::string DumpStatements(const TranslationContext& ctx);

// What block matching wrote: one line per record, "index Kind rREGION
// dDEPTH hHEAD eEND sSPAN".
std::string DumpBlockLinks(const TranslationContext& ctx);

// What the translators wrote: "index: code text" per translated record,
// "index@c:" when it carries case label c, line breaks shown as "|".
std::string DumpCodeTexts(const TranslationContext& ctx);

}  // namespace corvel
