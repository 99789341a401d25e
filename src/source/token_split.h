// Cutting a range of a line's tokens at a separator that stands outside
// parentheses: the items of a list, the arguments of a statement. The lexer
// and the statement translators cut their lists here and nowhere else.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "context/records.h"
#include "source/token_codes.h"

namespace corvel {

// How a cut reads parentheses. Where they balance, the first three cut at
// the same places; they differ in what a ")" that closes no "(" does, and
// each list keeps the reading its reports were made with.
enum class Parentheses {
  kNest,                // it takes the depth below the top: no separator cuts until a "(" makes up for it
  kNestSkipUnmatched,   // it is passed over, as if it were any other token
  kCloseEnds,           // it ends the range: the range is the inside of a "(" opened before it
  kIgnore,              // parentheses do not count: every separator cuts
};

// One piece of a cut range: tokens [first, end).
struct TokenPiece {
  int first = 0;
  int end = 0;         // the separator behind the piece, the end of the range, or the ")" that ended it
  bool open = false;   // a "(" is left open at the end of the range (only the last piece can be)

  bool Empty() const { return first == end; }
};

// Cuts tokens [from, to) at each `separator` outside parentheses: n cuts give
// n + 1 pieces, empty ones too, so an empty range is one empty piece. With
// kCloseEnds the last piece ends at the ")" that ends the range, if any.
inline std::vector<TokenPiece> SplitTokens(std::span<const Token> tokens, int from, int to, int16_t separator,
                                           Parentheses parentheses) {
  std::vector<TokenPiece> pieces{{from, from, false}};
  int depth = 0;
  for (int k = from; k < to; ++k) {
    const int16_t code = tokens[static_cast<size_t>(k)].code;
    if (code == separator && (depth == 0 || parentheses == Parentheses::kIgnore)) {
      pieces.back().end = k;
      pieces.push_back({k + 1, k + 1, false});
    } else if (parentheses == Parentheses::kIgnore) {
      continue;
    } else if (code == kTokLParen) {
      ++depth;
    } else if (code == kTokRParen && (depth > 0 || parentheses == Parentheses::kNest)) {
      --depth;
    } else if (code == kTokRParen && parentheses == Parentheses::kCloseEnds) {
      pieces.back().end = k;
      return pieces;
    }
  }
  pieces.back().end = to;
  pieces.back().open = depth > 0;
  return pieces;
}

}  // namespace corvel
