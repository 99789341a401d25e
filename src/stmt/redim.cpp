// REDIM: an array's dimensions and bounds set at run time.
#include <fmt/format.h>

#include <string>
#include <vector>

#include "diag/messages.h"
#include "expr/expression.h"
#include "expr/value_conversion.h"
#include "source/token_codes.h"
#include "source/token_split.h"
#include "stmt/statement_helpers.h"
#include "stmt/statement_translators.h"
#include "symbols/symbol_tables.h"

namespace corvel {
namespace {

int16_t Misuse(TranslationContext& ctx, const Statement& s, size_t token) {
  const int column = token < s.tokens.size() ? s.tokens[token].column
                                             : s.tokens.back().column + s.tokens.back().length;
  return FailAt(ctx, s.lineNumber, column, kMsgRedimMisuse);
}

// The bound expression of tokens first..last as an int text; `message` when
// it is no number.
int16_t Bound(TranslationContext& ctx, int16_t i, size_t first, size_t last, const Message& message,
              std::string& java) {
  const Statement& s = At(ctx, i);
  int16_t type = 0;
  int16_t extra = 0;
  if (TranslateExpression(ctx, i, static_cast<int16_t>(first), static_cast<int16_t>(last), java, type, extra) != 0) {
    return 1;
  }
  // A bound beyond the int range stops the program rather than wrapping.
  if (ConvertChecked(java, type, kValueLong, kCheckSubscript) != 0) {
    return FailAt(ctx, s.lineNumber, s.tokens[first].column, message);
  }
  return 0;
}

}  // namespace

// REDIM [PRESERVE] name ( bound {, bound} ), bound = expression [TO expression]
int16_t TranslateRedim(TranslationContext& ctx, int16_t i) {
  const Statement& s = At(ctx, i);
  const std::vector<Token>& t = s.tokens;
  size_t k = 1;
  const bool preserve = k < t.size() && t[k].code == kKwPreserve;
  if (preserve) ++k;
  if (k >= t.size() || t[k].code != kTokIdentifier) return Misuse(ctx, s, k);
  std::string name;  // the array's Java name
  int16_t type = 0;
  int16_t extra = 0;
  if (FindVariable(ctx, t[k].text, type, extra, name) != Lookup::kFound) return FailAt(ctx, s.lineNumber, t[k].column, kMsgRedimUndeclared);
  if (type != kTypeArray) return FailAt(ctx, s.lineNumber, t[k].column, kMsgRedimNotArray);
  ++k;
  if (k >= t.size() || t[k].code != kTokLParen) return Misuse(ctx, s, k);
  // The ")" that closes the list must end the statement.
  const auto count = static_cast<int>(t.size());
  const std::vector<TokenPiece> bounds =
      SplitTokens(t, static_cast<int>(k) + 1, count, kTokComma, Parentheses::kCloseEnds);
  const int close = bounds.back().end;
  if (close >= count) return Misuse(ctx, s, t.size() - 1);
  if (close + 1 < count) return Misuse(ctx, s, static_cast<size_t>(close) + 1);

  const int base = ctx.options.arrayBase == 1 ? 1 : 0;
  const Message base_message = Msg(kMsgRedimBound, base);
  std::vector<std::string> ranges;
  for (const TokenPiece& bound : bounds) {
    // lower TO upper, cut at its first TO; a second one stays in the upper
    // bound, whose translation reports it.
    const std::vector<TokenPiece> sides = SplitTokens(t, bound.first, bound.end, kKwTo, Parentheses::kNest);
    const bool ranged = sides.size() > 1;
    if (ranged && sides[0].Empty()) return Misuse(ctx, s, static_cast<size_t>(sides[0].end));
    const TokenPiece upper{ranged ? sides[1].first : bound.first, bound.end};
    if (upper.Empty()) return Misuse(ctx, s, static_cast<size_t>(upper.end));
    std::string lower_text = std::to_string(base);
    std::string upper_text;
    const Message& message = ranged ? Message(kMsgRedimRangeBound) : base_message;
    if (ranged && Bound(ctx, i, sides[0].first, sides[0].end - 1, message, lower_text) != 0) return 1;
    if (Bound(ctx, i, upper.first, upper.end - 1, message, upper_text) != 0) return 1;
    ranges.push_back(fmt::format("{},{}", lower_text, upper_text));
  }
  std::string text = fmt::format("{}.setDimension({});{}", name, ranges.size(), kCrLf);
  for (size_t d = 0; d < ranges.size(); ++d) text += fmt::format("{}.setRange({},{});{}", name, d + 1, ranges[d], kCrLf);
  text += fmt::format("{}.setElement({});", name, preserve ? 1 : 0);
  Finish(At(ctx, i), std::move(text));
  return 0;
}

}  // namespace corvel
