#include "stmt/jumps.h"

#include <fmt/format.h>

#include "diag/error_report.h"
#include "diag/messages.h"
#include "source/source_reader.h"
#include "source/token_codes.h"
#include "stmt/if_block.h"
#include "stmt/loop_blocks.h"
#include "stmt/select_case.h"
#include "stmt/statement_helpers.h"

namespace corvel {
namespace {

// Structured block kinds and their program-counter forms. ORDER BLOCKFORMS
struct BlockForm {
  int16_t structured;
  int16_t programCounter;
};
constexpr BlockForm kBlockForms[] = {
    {kKindIfStructured, kKindIfProgramCounter},           {kKindSwitchStructured, kKindSwitchProgramCounter},
    {kKindIfChainStructured, kKindIfChainProgramCounter}, {kKindForStructured, kKindForProgramCounter},
    {kKindWhileStructured, kKindWhileProgramCounter},     {kKindDoWhileStructured, kKindDoWhileProgramCounter},
    {kKindDoUntilStructured, kKindDoUntilProgramCounter}, {kKindDoLoopStructured, kKindDoLoopProgramCounter}};

void Finish(Statement& s, std::string text) {
  s.codeText = std::move(text);
  s.kind = kKindTranslated;
  s.caseLabel = kCaseLabelAfter;
}

// The statement index of the label named by GOTO/GOSUB [*]name, or -1 after
// a report.
int16_t FindJumpLabel(TranslationContext& ctx, const Statement& s, std::string_view keyword) {
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

// The case that leaves the loop block whose head is x: the one of the record
// behind its end.
int16_t CaseAfterBlock(const TranslationContext& ctx, int16_t head) {
  const int16_t end = StatementAt(ctx, head + 1).blockEnd;
  return static_cast<int16_t>(end + 1);
}

// The innermost enclosing block head of statement i whose kind is one of
// `kinds`, or -1.
template <size_t N>
int16_t EnclosingBlock(const TranslationContext& ctx, int16_t i, const int16_t (&kinds)[N]) {
  const Statement* s = &ctx.statements[static_cast<size_t>(i)];
  while (s->blockDepth > 0) {
    const int16_t x = s->blockHead;
    s = &ctx.statements[static_cast<size_t>(x)];
    for (int16_t k : kinds) {
      if (s->kind == k) return x;
    }
  }
  return -1;
}

}  // namespace

void ForceProgramCounterForm(TranslationContext& ctx, int16_t i) {
  const Statement* s = &ctx.statements[static_cast<size_t>(i)];
  while (s->blockDepth > 0) {
    Statement& head = ctx.statements[static_cast<size_t>(s->blockHead)];
    for (const BlockForm& form : kBlockForms) {
      if (head.kind == form.structured) head.kind = form.programCounter;
    }
    s = &head;
  }
}

void MarkJumpTarget(TranslationContext& ctx, int16_t t) {
  Statement& target = ctx.statements[static_cast<size_t>(t)];
  if (target.span <= 0 || target.commentWritten) return;  // an earlier jump marked it
  target.codeText = "// " + SourceCommentText(ctx, target);
  target.kind = kKindTranslated;
  target.caseLabel = kCaseLabelAfter;
  target.commentWritten = true;
}

// END | EXIT SUB | EXIT FUNCTION
int16_t TranslateEnd(TranslationContext& ctx, int16_t& i) {
  ForceProgramCounterForm(ctx, i);
  Finish(ctx.statements[static_cast<size_t>(i)], JumpAndBreak(0));
  return 0;
}

// RETURN
int16_t TranslateReturn(TranslationContext& ctx, int16_t& i) {
  ForceProgramCounterForm(ctx, i);
  if (ctx.statements[static_cast<size_t>(i)].tokens.size() != 1) {
    return FailAt(ctx, ctx.statements[static_cast<size_t>(i)], kMsgCodeAfterReturn);
  }
  Finish(ctx.statements[static_cast<size_t>(i)], std::string(kReturnCode));
  return 0;
}

// EXIT DO: past the LOOP of the innermost DO block
int16_t TranslateExitDo(TranslationContext& ctx, int16_t& i) {
  ForceProgramCounterForm(ctx, i);
  constexpr int16_t kDoForms[] = {kKindDoWhileProgramCounter, kKindDoUntilProgramCounter, kKindDoLoopProgramCounter};
  const int16_t x = EnclosingBlock(ctx, i, kDoForms);
  if (x < 0) return FailAt(ctx, ctx.statements[static_cast<size_t>(i)], kMsgExitDoOutsideDo);
  const int16_t end = static_cast<int16_t>(CaseAfterBlock(ctx, x) - 1);
  if (ctx.statements[static_cast<size_t>(x)].kind == kKindDoLoopProgramCounter) ctx.statements[static_cast<size_t>(end)].caseLabel = kCaseLabelAfter;
  Finish(ctx.statements[static_cast<size_t>(i)], JumpAndBreak(end + 1));
  return 0;
}

// EXIT FOR: past the NEXT of the innermost FOR block
int16_t TranslateExitFor(TranslationContext& ctx, int16_t& i) {
  ForceProgramCounterForm(ctx, i);
  constexpr int16_t kForForms[] = {kKindForProgramCounter};
  const int16_t x = EnclosingBlock(ctx, i, kForForms);
  if (x < 0) return FailAt(ctx, ctx.statements[static_cast<size_t>(i)], kMsgExitForOutsideFor);
  Finish(ctx.statements[static_cast<size_t>(i)], JumpAndBreak(CaseAfterBlock(ctx, x)));
  return 0;
}

// GOTO [*]label
int16_t TranslateGoto(TranslationContext& ctx, int16_t& i) {
  ForceProgramCounterForm(ctx, i);
  const Statement& c = ctx.statements[static_cast<size_t>(i)];
  const int16_t t = FindJumpLabel(ctx, c, "Goto");
  if (t < 0) return 1;
  const Statement& target = ctx.statements[static_cast<size_t>(t)];
  // No jump into a block from outside it: the label stands outside every
  // block, in the jump's own block part, or beside one of its enclosing heads.
  bool allowed = target.blockDepth == 0 || (target.blockDepth == c.blockDepth && target.blockRegion == c.blockRegion);
  for (const Statement* x = &c; !allowed && x->blockDepth >= 1;) {
    x = &ctx.statements[static_cast<size_t>(x->blockHead)];
    allowed = x->blockDepth == target.blockDepth && x->blockRegion == target.blockRegion;
  }
  if (!allowed || !SameUnit(c, target)) return FailAt(ctx, c, kMsgBadGotoTarget);
  Finish(ctx.statements[static_cast<size_t>(i)], JumpAndBreak(t + 1));
  MarkJumpTarget(ctx, t);
  return 0;
}

// GOSUB [*]label
int16_t TranslateGosub(TranslationContext& ctx, int16_t& i) {
  ForceProgramCounterForm(ctx, i);
  const Statement& c = ctx.statements[static_cast<size_t>(i)];
  const int16_t t = FindJumpLabel(ctx, c, "Gosub");
  if (t < 0) return 1;
  const Statement& target = ctx.statements[static_cast<size_t>(t)];
  if (target.blockDepth != 0 || !SameUnit(c, target)) return FailAt(ctx, c, kMsgBadGosubTarget);
  Finish(ctx.statements[static_cast<size_t>(i)],
         fmt::format("{}{}PC[++CPC]={};{}break;", JumpTo(i + 1), kCrLf, t + 1, kCrLf));
  MarkJumpTarget(ctx, t);
  return 0;
}

}  // namespace corvel
