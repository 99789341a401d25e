// Views of the compound statements. The lexer cuts a compound statement
// into consecutive records, its parts at fixed places after the head record;
// block matching links the records of each block. A view names the records
// of one block, so that a translator reads `view.step`, and only the
// functions here know where the parts stand.
#pragma once

#include <cstdint>
#include <vector>

#include "context/context.h"
#include "source/token_codes.h"
#include "stmt/statement_helpers.h"

namespace corvel {

// The last record of the block whose head is h (END IF, END SELECT, NEXT,
// WEND, LOOP, LOOP WHILE, LOOP UNTIL). Block matching gives it to every
// record after the head; a nested block relabels only the records after its
// own head, so the first of them always keeps it.
inline int16_t BlockEnd(const TranslationContext& ctx, int h) { return StatementAt(ctx, h + 1).blockEnd; }

// IF condition THEN ... {ELSEIF condition THEN ...} [ELSE ...] END IF; a
// one-line IF has the same records, its END IF appended by the lexer.
struct IfView {
  int16_t head = 0;
  int16_t condition = 0;
  int16_t then = 0;
  std::vector<Branch> branches;  // ELSEIF and ELSE, in order
  int16_t end = 0;               // END IF
};

// SELECT CASE selector {CASE list ...} [CASE ELSE ...] END SELECT
struct SelectView {
  int16_t head = 0;
  int16_t selector = 0;
  std::vector<Branch> branches;  // CASE and CASE ELSE, in order
  int16_t end = 0;               // END SELECT
  // A statement between the selector and the first branch, which no branch
  // would run: the record to report, or -1.
  int16_t strayBody = -1;
};

// FOR variable = start TO limit [STEP step] ... NEXT [variable]
struct ForView {
  int16_t head = 0;
  int16_t variable = 0;
  int16_t start = 0;
  int16_t to = 0;  // the TO record
  int16_t limit = 0;
  int16_t step = -1;       // the STEP record, or -1
  int16_t stepValue = -1;  // the step's expression, or -1
  int16_t next = 0;        // the NEXT that closes the loop
  int16_t nextVariable = -1;  // the variable that NEXT names, or -1
};

// WHILE condition ... WEND, DO WHILE|UNTIL condition ... LOOP and
// DO ... LOOP WHILE|UNTIL condition.
struct LoopView {
  int16_t head = 0;
  int16_t condition = 0;  // behind the head, or behind the end when the loop tests there
  int16_t end = 0;        // WEND, LOOP, LOOP WHILE or LOOP UNTIL
};

// The branches of the IF or SELECT CASE block at h that ends at `end`: the
// records of either kind at the depth of the block's parts. A kind_with_test
// branch has its test in the record behind it.
inline std::vector<Branch> BranchesOf(const TranslationContext& ctx, int16_t h, int16_t end, int16_t kind_with_test,
                                      int16_t kind_without) {
  const int16_t depth = At(ctx, h + kPartExpression).blockDepth;
  std::vector<Branch> branches;
  for (int16_t i = h + kPartExpression; i < end; ++i) {
    const Statement& s = At(ctx, i);
    if (s.blockDepth != depth) continue;
    if (s.kind == kind_with_test) branches.push_back({i, static_cast<int16_t>(i + kPartExpression)});
    if (s.kind == kind_without) branches.push_back({i, -1});
  }
  return branches;
}

inline IfView IfViewAt(const TranslationContext& ctx, int16_t h) {
  const int16_t end = BlockEnd(ctx, h);
  return {h, static_cast<int16_t>(h + kPartExpression), static_cast<int16_t>(h + kPartThen),
          BranchesOf(ctx, h, end, kKindElseIf, kKindElse), end};
}

inline SelectView SelectViewAt(const TranslationContext& ctx, int16_t h) {
  const int16_t end = BlockEnd(ctx, h);
  SelectView view{h, static_cast<int16_t>(h + kPartExpression), BranchesOf(ctx, h, end, kKindCase, kKindCaseElse), end};
  const int16_t first = view.branches.empty() ? end : view.branches.front().record;
  if (first != view.selector + 1) view.strayBody = static_cast<int16_t>(view.selector + 1);
  return view;
}

inline ForView ForViewAt(const TranslationContext& ctx, int16_t h) {
  const auto part = [h](int offset) { return static_cast<int16_t>(h + offset); };
  ForView view{h, part(kForVariable), part(kForStart), part(kForTo), part(kForEnd)};
  if (At(ctx, h + kForStep).kind == kKindForStep) {
    view.step = part(kForStep);
    view.stepValue = part(kForStepValue);
  }
  view.next = BlockEnd(ctx, h);
  if (StatementAt(ctx, view.next + 1).kind == kKindExpression) view.nextVariable = static_cast<int16_t>(view.next + 1);
  return view;
}

inline LoopView LoopViewAt(const TranslationContext& ctx, int16_t h) {
  const int16_t end = BlockEnd(ctx, h);
  const int16_t kind = At(ctx, end).kind;
  const bool tested_at_end = kind == kKindLoopWhile || kind == kKindLoopUntil;
  return {h, static_cast<int16_t>((tested_at_end ? end : h) + kPartExpression), end};
}

}  // namespace corvel
