// Translation of Corvel expressions, assignments and procedure-call
// statements into Java text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "context/context.h"

namespace corvel {

// Translates tokens first..last (inclusive) of statement `statement` into
// one Java expression of type `type` (extra in `extra`). 0 on success; 1
// after one report.
int16_t TranslateExpression(TranslationContext& ctx, int16_t statement, int16_t first_token, int16_t last_token,
                            std::string& java_text, int16_t& type, int16_t& extra);

// Translates `tokens`, written for the translator rather than by the user
// (FOR's increment "(step) + variable", a CASE range "a <= IS AND IS <= b"),
// as the whole of statement `statement`: they stand in for its tokens while
// the expression is translated, so that reports name its line and columns,
// and its own tokens are put back afterwards.
int16_t TranslateTokens(TranslationContext& ctx, int16_t statement, std::vector<Token> tokens, std::string& java_text,
                        int16_t& type, int16_t& extra);

// The Java text of a string literal token (quotes included). Backslash
// sequences are Java's; \uXXXX escapes become their characters, so that
// none can end the literal early. False when a sequence is not Java's.
bool JavaStringLiteral(std::string_view literal, std::string& java);

// A Java string literal too long for one class-file constant, written as
// pieces joined by concat calls (which javac does not fold back into one
// constant); a shorter one as it is.
std::string InPieces(const std::string& java);

// Translates an assignment ([LET] place = expression) or a procedure call
// (Name [args]) into the record's code text and marks it translated.
int16_t TranslateStatementExpression(TranslationContext& ctx, int16_t statement);

}  // namespace corvel
