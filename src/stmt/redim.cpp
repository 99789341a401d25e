#include "stmt/redim.h"

#include <fmt/format.h>

#include <string>
#include <vector>

#include "diag/messages.h"
#include "expr/expression.h"
#include "expr/value_conversion.h"
#include "source/token_codes.h"
#include "stmt/statement_helpers.h"
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
int16_t TranslateRedim(TranslationContext& ctx, int16_t& i) {
  const Statement& s = At(ctx, i);
  const std::vector<Token>& t = s.tokens;
  size_t k = 1;
  const bool preserve = k < t.size() && t[k].code == kKwPreserve;
  if (preserve) ++k;
  if (k >= t.size() || t[k].code != kTokIdentifier) return Misuse(ctx, s, k);
  std::string name = t[k].text;
  int16_t type = 0;
  int16_t extra = 0;
  if (FindVariable(ctx, name, type, extra) != kFound) return FailAt(ctx, s.lineNumber, t[k].column, kMsgRedimUndeclared);
  if (type != kTypeArray) return FailAt(ctx, s.lineNumber, t[k].column, kMsgRedimNotArray);
  ++k;
  if (k >= t.size() || t[k].code != kTokLParen) return Misuse(ctx, s, k);
  // The ")" that closes the list must end the statement.
  size_t close = k + 1;
  for (int depth = 0; close < t.size(); ++close) {
    if (t[close].code == kTokLParen) ++depth;
    if (t[close].code == kTokRParen && depth-- == 0) break;
  }
  if (close >= t.size()) return Misuse(ctx, s, t.size() - 1);
  if (close + 1 < t.size()) return Misuse(ctx, s, close + 1);

  const int base = ctx.options.arrayBase == 1 ? 1 : 0;
  const Message base_message = Msg(kMsgRedimBound, base);
  std::vector<std::string> ranges;
  size_t start = k + 1;
  size_t to = 0;  // the bound's top-level TO, or 0
  for (size_t j = k + 1, depth = 0; j <= close; ++j) {
    const int16_t code = t[j].code;
    if (code == kTokLParen) ++depth;
    if (code == kTokRParen && j != close) --depth;
    if (depth > 0) continue;
    if (code == kKwTo && to == 0) {
      if (j == start) return Misuse(ctx, s, j);
      to = j;
    } else if (code == kTokComma || j == close) {
      const size_t first_upper = to != 0 ? to + 1 : start;
      if (j == first_upper) return Misuse(ctx, s, j);
      std::string lower = std::to_string(base);
      std::string upper;
      const Message& message = to != 0 ? Message(kMsgRedimRangeBound) : base_message;
      if (to != 0 && Bound(ctx, i, start, to - 1, message, lower) != 0) return 1;
      if (Bound(ctx, i, first_upper, j - 1, message, upper) != 0) return 1;
      ranges.push_back(fmt::format("{},{}", lower, upper));
      start = j + 1;
      to = 0;
    }
  }
  std::string text = fmt::format("{}.setDimension({});{}", name, ranges.size(), kCrLf);
  for (size_t d = 0; d < ranges.size(); ++d) text += fmt::format("{}.setRange({},{});{}", name, d + 1, ranges[d], kCrLf);
  text += fmt::format("{}.setElement({});", name, preserve ? 1 : 0);
  Statement& done = At(ctx, i);
  done.codeText = std::move(text);
  done.kind = kKindTranslated;
  return 0;
}

}  // namespace corvel
