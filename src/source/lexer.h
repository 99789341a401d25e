// The lexer: cuts one source line into tokens and statement records, records
// labels, and rejects malformed literals and misplaced keywords.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "context/context.h"
#include "diag/fault.h"

namespace corvel {

// Lexes one line (tabs expanded, comment stripped) and appends its records.
// 0 when accepted; 1 when rejected, with the column and the message set in
// `fault` (the reader adds the line and reports it).
int16_t LexLine(TranslationContext& ctx, std::string& line, int16_t& line_number, Fault& fault);

// Appends one statement record made of tokens[first..last].
void AddStatement(TranslationContext& ctx, std::span<const Token> tokens, int first, int last,
                  int16_t line_number, int16_t kind);

// The value a string literal token (quotes included) stands for: its
// backslash sequences are Java's (\b \t \n \f \r \s \" \' \\, octal,
// \uXXXX). False when a sequence is not one of them or would be half a
// surrogate pair.
bool StringLiteralValue(std::string_view literal, std::string& value);

// Replaces `code` by the keyword code when the upper-cased `word` of
// `length` characters is a keyword; otherwise leaves it unchanged.
void LookupKeyword(std::string_view word, int length, int16_t& code);

}  // namespace corvel
