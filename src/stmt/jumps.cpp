// Jumps: GOTO, GOSUB, RETURN, END, EXIT SUB, EXIT FUNCTION, EXIT DO and
// EXIT FOR, all written for the program-counter machine: each first moves
// every block around it into its program-counter form.
#include "stmt/jumps.h"

#include <fmt/format.h>

#include "diag/error_report.h"
#include "diag/messages.h"
#include "source/source_reader.h"
#include "source/token_codes.h"
#include "stmt/dispatcher.h"
#include "stmt/statement_helpers.h"
#include "stmt/statement_translators.h"
#include "stmt/statement_views.h"

namespace corvel {
namespace {

// A jump's text ends a case: the next statement begins one.
void FinishJump(Statement& s, std::string text) {
  Finish(s, std::move(text));
  s.caseLabel = kCaseLabelAfter;
}

// The statement index of the label that GOTO or GOSUB [*]name at i names,
// or -1 after a report.
int16_t FindJumpLabel(TranslationContext& ctx, int16_t i, std::string_view keyword) {
  const Statement& s = At(ctx, i);
  const bool star = s.tokens.size() > 1 && s.tokens[1].code == kTokStar;
  if (s.tokens.size() != (star ? 3u : 2u)) {
    FailAt(ctx, s, star ? Msg(kMsgJumpNeedsLabelName, keyword)
                        : Msg(kMsgJumpNeedsLineNumber, keyword));
    return -1;
  }
  const auto found = ctx.labelIndex.find(s.tokens[star ? 2 : 1].text);
  if (found == ctx.labelIndex.end()) {
    FailAt(ctx, s, Msg(kMsgNoSuchLabel, keyword));
    return -1;
  }
  return ctx.labels[static_cast<size_t>(found->second)].statementIndex;
}

// A jump may only reach a label of its own unit: the main program or the
// same procedure. Each unit has a switch of its own.
bool SameUnit(const Statement& a, const Statement& b) { return a.area == b.area && a.areaDetail == b.areaDetail; }

// The innermost enclosing block head of statement i whose kind is one of
// `kinds`, or -1.
template <size_t N>
int16_t EnclosingBlock(const TranslationContext& ctx, int16_t i, const int16_t (&kinds)[N]) {
  const Statement* s = &At(ctx, i);
  while (s->blockDepth > 0) {
    const int16_t x = s->blockHead;
    s = &At(ctx, x);
    for (int16_t k : kinds) {
      if (s->kind == k) return x;
    }
  }
  return -1;
}

// EXIT at i leaves loop x: past its end record. Every program-counter loop
// but DO ... LOOP WHILE|UNTIL prints a case behind its end anyway.
int16_t LeaveLoop(TranslationContext& ctx, int16_t i, int16_t x) {
  const int16_t end = BlockEnd(ctx, x);
  At(ctx, end).caseLabel = kCaseLabelAfter;
  FinishJump(At(ctx, i), JumpAndBreak(CaseOf(end)));
  return 0;
}

// The jump at i to the label statement t: its text, and the label's, a
// comment followed by its case label.
int16_t JumpToLabel(TranslationContext& ctx, int16_t i, int16_t t, std::string text) {
  FinishJump(At(ctx, i), std::move(text));
  Statement& target = At(ctx, t);
  if (target.span <= 0 || target.commentWritten) return 0;  // an earlier jump marked it
  FinishJump(target, OwnComment(ctx, target));
  return 0;
}

}  // namespace

// END | EXIT SUB | EXIT FUNCTION
int16_t TranslateEnd(TranslationContext& ctx, int16_t i) {
  ForceProgramCounterForm(ctx, i);
  FinishJump(At(ctx, i), JumpAndBreak(0));
  return 0;
}

// RETURN
int16_t TranslateReturn(TranslationContext& ctx, int16_t i) {
  ForceProgramCounterForm(ctx, i);
  if (At(ctx, i).tokens.size() != 1) return FailAt(ctx, At(ctx, i), kMsgCodeAfterReturn);
  FinishJump(At(ctx, i), std::string(kReturnCode));
  return 0;
}

// EXIT DO: past the LOOP of the innermost DO block
int16_t TranslateExitDo(TranslationContext& ctx, int16_t i) {
  ForceProgramCounterForm(ctx, i);
  constexpr int16_t kDoForms[] = {kKindDoWhileProgramCounter, kKindDoUntilProgramCounter, kKindDoLoopProgramCounter};
  const int16_t x = EnclosingBlock(ctx, i, kDoForms);
  return x < 0 ? FailAt(ctx, At(ctx, i), kMsgExitDoOutsideDo) : LeaveLoop(ctx, i, x);
}

// EXIT FOR: past the NEXT of the innermost FOR block
int16_t TranslateExitFor(TranslationContext& ctx, int16_t i) {
  ForceProgramCounterForm(ctx, i);
  constexpr int16_t kForForms[] = {kKindForProgramCounter};
  const int16_t x = EnclosingBlock(ctx, i, kForForms);
  return x < 0 ? FailAt(ctx, At(ctx, i), kMsgExitForOutsideFor) : LeaveLoop(ctx, i, x);
}

// GOTO [*]label
int16_t TranslateGoto(TranslationContext& ctx, int16_t i) {
  ForceProgramCounterForm(ctx, i);
  const int16_t t = FindJumpLabel(ctx, i, "Goto");
  if (t < 0) return 1;
  const Statement& c = At(ctx, i);
  const Statement& target = At(ctx, t);
  // No jump into a block from outside it: the label stands outside every
  // block, in the jump's own block part, or beside one of its enclosing heads.
  bool allowed = target.blockDepth == 0 || (target.blockDepth == c.blockDepth && target.blockRegion == c.blockRegion);
  for (const Statement* x = &c; !allowed && x->blockDepth >= 1;) {
    x = &At(ctx, x->blockHead);
    allowed = x->blockDepth == target.blockDepth && x->blockRegion == target.blockRegion;
  }
  if (!allowed || !SameUnit(c, target)) return FailAt(ctx, c, kMsgBadGotoTarget);
  return JumpToLabel(ctx, i, t, JumpAndBreak(CaseOf(t)));
}

// GOSUB [*]label
int16_t TranslateGosub(TranslationContext& ctx, int16_t i) {
  ForceProgramCounterForm(ctx, i);
  const int16_t t = FindJumpLabel(ctx, i, "Gosub");
  if (t < 0) return 1;
  const Statement& c = At(ctx, i);
  if (At(ctx, t).blockDepth != 0 || !SameUnit(c, At(ctx, t))) return FailAt(ctx, c, kMsgBadGosubTarget);
  // The return case is the GOSUB's own, printed behind it.
  return JumpToLabel(ctx, i, t, fmt::format("{}{}PC[++CPC]={};{}break;", JumpTo(CaseOf(i)), kCrLf, CaseOf(t), kCrLf));
}

}  // namespace corvel
