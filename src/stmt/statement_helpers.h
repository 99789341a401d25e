// What the statement translators share: reports, the program-counter
// machine's jump texts, the test of a condition.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "context/context.h"
#include "diag/messages.h"

namespace corvel {

inline Statement& At(TranslationContext& ctx, int i) { return ctx.statements[static_cast<size_t>(i)]; }

// The unit whose statements are being translated.
inline UnitRecord& CurrentUnit(TranslationContext& ctx) { return ctx.unit != nullptr ? *ctx.unit : ctx.mainUnit; }

// Reports `message` at `line` and `column`; returns the failure flag 1.
int16_t FailAt(TranslationContext& ctx, int line, int column, const Message& message);

// The same at the statement's own line and first column.
inline int16_t FailAt(TranslationContext& ctx, const Statement& s, const Message& message) {
  return FailAt(ctx, s.lineNumber, s.firstColumn, message);
}

// The lines of a code text (joined by CR LF).
inline size_t CodeLineCount(std::string_view text) {
  size_t lines = 1;
  for (size_t at = text.find("\r\n"); at != std::string_view::npos; at = text.find("\r\n", at + 2)) ++lines;
  return lines;
}

// "PC[CPC]=n;": the next case the program-counter machine runs.
std::string JumpTo(int case_number);

// The jump, then "break;" on the next line; each line starts with `indent`.
std::string JumpAndBreak(int case_number, std::string_view indent = "");

// javac reads "}else if" chains recursively, and a long one overflows its
// stack: a chain of more branches than this is written flat, as a labelled
// block of separate ifs each leaving the block when taken.
inline constexpr int kFlatChainBranches = 32;

// The label of block h's flat chain.
std::string ChainLabel(int h);

// The Java texts that hold and that fail for a condition X of type `type`:
// a number compared with 0, a boolean as it is. False when the type cannot
// be a condition.
bool ConditionTexts(const std::string& x, int16_t type, std::string& holds, std::string& fails);

}  // namespace corvel
