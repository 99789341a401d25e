// What the statement translators share: the way to a record and the end of
// its translation, reports, the program-counter machine's cases and jump
// texts, the test of a condition, the long form of a branch chain.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "context/context.h"
#include "diag/messages.h"
#include "source/token_codes.h"

namespace corvel {

// The one way the translators reach a record: every index they hold (their
// own, a part of a block's view, a label's) lies inside the table.
// StatementAt (context/context.h) stays for the walks that may step past
// the last record and stop at its all-zero end marker.
inline Statement& At(TranslationContext& ctx, int i) { return ctx.statements[static_cast<size_t>(i)]; }
inline const Statement& At(const TranslationContext& ctx, int i) { return ctx.statements[static_cast<size_t>(i)]; }

// The record's text is final: the writer prints it.
inline void Finish(Statement& s) { s.kind = kKindTranslated; }
inline void Finish(Statement& s, std::string text) {
  s.codeText = std::move(text);
  Finish(s);
}

// "// " and the record's source, for a text that holds its own comment: the
// writer then adds none.
std::string OwnComment(const TranslationContext& ctx, Statement& s);

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

// The case of record r under the program-counter machine, printed before or
// after r as its caseLabel says. Case 0 is the machine's way out.
inline int CaseOf(int r) { return r + 1; }

// "PC[CPC]=n;": the next case the program-counter machine runs.
std::string JumpTo(int case_number);

// The jump, then "break;" on the next line; each line starts with `indent`.
std::string JumpAndBreak(int case_number, std::string_view indent = "");

// javac reads "}else if" chains recursively, and a long one overflows its
// stack: a chain of more branches than this is written flat, as a labelled
// block of separate ifs each leaving the block when taken.
inline constexpr size_t kFlatChainBranches = 32;


// The Java texts that hold and that fail for a condition X of type `type`:
// a number compared with 0, a boolean as it is. False when the type cannot
// be a condition.
bool ConditionTexts(const std::string& x, int16_t type, std::string& holds, std::string& fails);

// A branch of an IF or SELECT CASE block.
struct Branch {
  int16_t record = 0;  // ELSEIF, ELSE, CASE or CASE ELSE
  int16_t test = -1;   // the ELSEIF's condition or the CASE's list; -1 for ELSE and CASE ELSE
};

// Whether a chain of these branches is written flat.
inline bool IsLongChain(const std::vector<Branch>& branches) { return branches.size() > kFlatChainBranches; }

// The label of block h's flat chain.
std::string ChainLabel(int h);

// "break ChainH;" and "}": a taken branch of block h's flat chain is done.
std::string LeaveChain(int h);

// The jump past the end record of a block that ends a branch's body under
// the machine, and the line break behind it.
std::string LeaveBlock(int end);

// "if(!(test)){", a jump to `next_case`, "}": a test that fails goes on.
std::string SkipUnless(const std::string& test, int next_case);

// The branches and the end record of a chain longer than kFlatChainBranches
// under the machine. Each test stands at a case of its own, before its body,
// and one that fails goes on to the next branch's case; no statement holds
// more than one test, so the writer can cut the chain anywhere. tests[k] is
// branch k's Java test; the branches after a body leave the block first,
// and the first one too when `body_before_first`. Returns 0.
int16_t FinishLongChain(TranslationContext& ctx, const std::vector<Branch>& branches, int16_t end,
                        const std::vector<std::string>& tests, bool body_before_first);

}  // namespace corvel
