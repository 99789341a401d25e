#include "stmt/dispatcher.h"


#include <algorithm>
#include <vector>

#include "diag/messages.h"
#include "expr/expression.h"
#include "source/token_codes.h"
#include "stmt/graphics.h"
#include "stmt/if_block.h"
#include "stmt/jumps.h"
#include "stmt/loop_blocks.h"
#include "stmt/select_case.h"
#include "stmt/print_input.h"
#include "stmt/redim.h"
#include "stmt/statement_helpers.h"
#include "symbols/declarations.h"

namespace corvel {
namespace {

using Translator = int16_t (*)(TranslationContext&, int16_t&);

int16_t Declare(TranslationContext& ctx, int16_t& i) { return DeclareVariables(ctx, i); }
int16_t Assign(TranslationContext& ctx, int16_t& i) { return TranslateStatementExpression(ctx, i); }

struct Dispatch {
  Translator translator = nullptr;
  bool jumps = false;  // a jump-capable translator: its unit needs the program-counter machine
};

// First pass: statement heads and single statements.
Dispatch FirstPass(const Statement& s) {
  switch (s.kind) {
    case kKindExitFor: return {TranslateExitFor, true};
    case kKindExitDo: return {TranslateExitDo, true};
    case kKindEnd:
    case kKindExitFunction:
    case kKindExitSub: return {TranslateEnd, true};
    case kKindStatic: return {Declare, false};
    case kKindIf: return {TranslateIfConditions, false};
    case kKindFor: return {TranslateForHeader, false};
    case kKindWhile:
    case kKindDoWhile:
    case kKindDoUntil: return {TranslateHeadCondition, false};
    case kKindDo: return {TranslateLoopCondition, false};
    case kKindSelectCase: return {TranslateSelectHeader, false};
    case kKindOrdinary: break;
    default: return {};  // parts of compound statements, labels, block ends
  }
  switch (s.tokens[0].code) {
    case kKwDim: return {Declare, false};
    case kKwGoto: return {TranslateGoto, true};
    case kKwGosub: return {TranslateGosub, true};
    case kKwPrint: return {TranslatePrint, false};
    case kKwInput: return {TranslateInput, false};
    case kKwRem: return {};
    case kKwReturn: return {TranslateReturn, true};
    case kKwRedim: return {TranslateRedim, false};
    case kKwScreen: return {TranslateScreen, false};
    case kKwLine: return {TranslateLine, false};
    case kKwCircle: return {TranslateCircle, false};
    case kKwGet: return {TranslateGet, false};
    case kKwPut: return {TranslatePut, false};
    case kKwPset: return {TranslatePset, false};
    case kKwPaint: return {TranslatePaint, false};
    case kKwDrawStr: return {TranslateDrawStr, false};
    default: return {Assign, false};
  }
}

// Second pass: blocks in the form the first pass and the jump rule left.
Dispatch SecondPass(int16_t kind) {
  switch (kind) {
    case kKindIfStructured: return {FinishIfStructured, false};
    case kKindIfProgramCounter: return {FinishIfProgramCounter, true};
    case kKindForStructured: return {FinishForStructured, false};
    case kKindForProgramCounter: return {FinishForProgramCounter, true};
    case kKindWhileStructured:
    case kKindDoWhileStructured:
    case kKindDoUntilStructured: return {FinishHeadTestedStructured, false};
    case kKindWhileProgramCounter:
    case kKindDoWhileProgramCounter:
    case kKindDoUntilProgramCounter: return {FinishHeadTestedProgramCounter, true};
    case kKindDoLoopStructured: return {FinishDoLoopStructured, false};
    case kKindDoLoopProgramCounter: return {FinishDoLoopProgramCounter, true};
    case kKindSwitchStructured: return {FinishSwitchStructured, false};
    case kKindSwitchProgramCounter: return {FinishSwitchProgramCounter, true};
    case kKindIfChainStructured: return {FinishIfChainStructured, false};
    case kKindIfChainProgramCounter: return {FinishIfChainProgramCounter, true};
    default: return {};
  }
}

// The head kinds a block has after the first pass.
bool IsStructuredHead(int16_t kind) {
  switch (kind) {
    case kKindIfStructured:
    case kKindSwitchStructured:
    case kKindIfChainStructured:
    case kKindForStructured:
    case kKindWhileStructured:
    case kKindDoWhileStructured:
    case kKindDoUntilStructured:
    case kKindDoLoopStructured: return true;
    default: return false;
  }
}

// A structured block is one Java statement that the writer cannot cut. In a
// unit long enough to be cut, a block whose first-pass text is longer than
// a part takes the program-counter form, and so does every block around
// it. The texts are an estimate; the second pass adds little to them.
void CutLongBlocks(TranslationContext& ctx, int16_t first, int16_t last) {
  std::vector<size_t> before(static_cast<size_t>(last - first + 2), 0);  // text size of first..i-1
  for (int16_t i = first; i <= last; ++i) {
    before[static_cast<size_t>(i - first + 1)] = before[static_cast<size_t>(i - first)] + At(ctx, i).codeText.size();
  }
  if (before.back() <= ctx.methodSize) return;
  for (int16_t h = first; h <= last; ++h) {
    if (!IsStructuredHead(At(ctx, h).kind)) continue;
    const int end = std::min<int>(StatementAt(ctx, h + 1).blockEnd, last);
    if (end <= h) continue;
    const size_t size = before[static_cast<size_t>(end - first + 1)] - before[static_cast<size_t>(h - first)];
    if (size > ctx.partSize) ForceProgramCounterForm(ctx, static_cast<int16_t>(h + 1));
  }
}

}  // namespace

int16_t DispatchStatements(TranslationContext& ctx, int16_t& first, int16_t& last) {
  int16_t result = kDispatchDone;
  for (int16_t i = first; i <= last; ++i) {
    const Statement& s = ctx.statements[static_cast<size_t>(i)];
    if (s.kind == kKindTranslated) continue;
    const Dispatch d = FirstPass(s);
    if (d.translator == nullptr) continue;  // parts of compound statements, labels, REM
    if (d.translator(ctx, i) != 0) return kDispatchFailed;
    if (d.jumps) result = kDispatchJumps;
  }
  CutLongBlocks(ctx, first, last);
  // The second pass finishes each block in the form the first pass, the
  // jump rule and the size rule left it.
  for (int16_t i = first; i <= last; ++i) {
    const Dispatch d = SecondPass(ctx.statements[static_cast<size_t>(i)].kind);
    if (d.translator == nullptr) continue;
    if (d.translator(ctx, i) != 0) return kDispatchFailed;
    if (d.jumps) result = kDispatchJumps;
  }
  return result;
}

int16_t TranslateMainProgram(TranslationContext& ctx) {
  int16_t first = -1;
  int16_t last = -2;
  for (size_t i = 0; i < ctx.statements.size(); ++i) {
    if (ctx.statements[i].area != kAreaMain) continue;
    first = static_cast<int16_t>(i);
    last = first;
    while (StatementAt(ctx, last + 1).area == kAreaMain) ++last;
    break;
  }
  ctx.mainUnit = UnitRecord{};
  ctx.unit = &ctx.mainUnit;
  if (first >= 0) {
    const int16_t result = DispatchStatements(ctx, first, last);
    if (result == kDispatchFailed) return 1;
    if (result == kDispatchJumps) ctx.mainUnit.jumpsUsed = 1;
  }
  ctx.mainUnit.first = first;
  ctx.mainUnit.last = last;
  ctx.unit = nullptr;
  return 0;
}

}  // namespace corvel
