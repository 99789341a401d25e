#include "stmt/dispatcher.h"

#include <algorithm>
#include <iterator>
#include <span>
#include <vector>

#include "expr/expression.h"
#include "source/token_codes.h"
#include "stmt/statement_helpers.h"
#include "stmt/statement_translators.h"
#include "stmt/statement_views.h"
#include "symbols/declarations.h"

namespace corvel {
namespace {

using Translator = int16_t (*)(TranslationContext&, int16_t);

// A row of the first pass: the translator of a kind of record, or of an
// ordinary statement that starts with a keyword.
struct Dispatch {
  int16_t code = 0;  // the kind, or the keyword
  Translator translator = nullptr;
};

// Block heads and the statements that have a kind of their own. No other
// kind has a translator: parts of compound statements, labels, block ends.
constexpr Dispatch kFirstPassByKind[] = {
    {kKindExitFor, TranslateExitFor},
    {kKindExitDo, TranslateExitDo},
    {kKindEnd, TranslateEnd},
    {kKindExitFunction, TranslateEnd},
    {kKindExitSub, TranslateEnd},
    {kKindStatic, DeclareVariables},
    {kKindIf, TranslateIfConditions},
    {kKindFor, TranslateForHeader},
    {kKindWhile, TranslateHeadCondition},
    {kKindDoWhile, TranslateHeadCondition},
    {kKindDoUntil, TranslateHeadCondition},
    {kKindDo, TranslateLoopCondition},
    {kKindSelectCase, TranslateSelectHeader},
};

// Ordinary statements by their first keyword. One that starts with none of
// these is an assignment or a call.
constexpr Dispatch kFirstPassByKeyword[] = {
    {kKwDim, DeclareVariables},
    {kKwGoto, TranslateGoto},
    {kKwGosub, TranslateGosub},
    {kKwPrint, TranslatePrint},
    {kKwInput, TranslateInput},
    {kKwRem, nullptr},
    {kKwReturn, TranslateReturn},
    {kKwRedim, TranslateRedim},
    {kKwScreen, TranslateScreen},
    {kKwLine, TranslateLine},
    {kKwCircle, TranslateCircle},
    {kKwGet, TranslateGet},
    {kKwPut, TranslatePut},
    {kKwPset, TranslatePset},
    {kKwPaint, TranslatePaint},
    {kKwDrawStr, TranslateDrawStr},
};

// The jumps: a unit that runs one needs the program-counter machine.
constexpr Translator kJumps[] = {TranslateExitFor, TranslateExitDo, TranslateEnd,
                                 TranslateGoto,    TranslateGosub,  TranslateReturn};

// Each block's two forms: the kind the first pass leaves its head in and
// the kind the jump rule or the size rule moves it to, each with the
// translator of the second pass that writes the block in that form.
struct BlockForms {
  int16_t structured;
  Translator finishStructured;
  int16_t programCounter;
  Translator finishProgramCounter;
};

constexpr BlockForms kBlockForms[] = {
    {kKindIfStructured, FinishIfStructured, kKindIfProgramCounter, FinishIfProgramCounter},
    {kKindSwitchStructured, FinishSwitchStructured, kKindSwitchProgramCounter, FinishSwitchProgramCounter},
    {kKindIfChainStructured, FinishIfChainStructured, kKindIfChainProgramCounter, FinishIfChainProgramCounter},
    {kKindForStructured, FinishForStructured, kKindForProgramCounter, FinishForProgramCounter},
    {kKindWhileStructured, FinishHeadTestedStructured, kKindWhileProgramCounter, FinishHeadTestedProgramCounter},
    {kKindDoWhileStructured, FinishHeadTestedStructured, kKindDoWhileProgramCounter, FinishHeadTestedProgramCounter},
    {kKindDoUntilStructured, FinishHeadTestedStructured, kKindDoUntilProgramCounter, FinishHeadTestedProgramCounter},
    {kKindDoLoopStructured, FinishDoLoopStructured, kKindDoLoopProgramCounter, FinishDoLoopProgramCounter},
};

Translator FirstPass(const Statement& s) {
  const bool ordinary = s.kind == kKindOrdinary;
  const std::span<const Dispatch> table = ordinary ? std::span<const Dispatch>(kFirstPassByKeyword) : kFirstPassByKind;
  const int16_t code = ordinary ? s.tokens[0].code : s.kind;
  const auto row = std::find_if(table.begin(), table.end(), [code](const Dispatch& d) { return d.code == code; });
  if (row != table.end()) return row->translator;
  return ordinary ? TranslateStatementExpression : nullptr;
}

bool IsJump(Translator translator) {
  return std::find(std::begin(kJumps), std::end(kJumps), translator) != std::end(kJumps);
}

// The forms of the block whose head has `kind`, or none.
const BlockForms* FormsOf(int16_t kind) {
  for (const BlockForms& forms : kBlockForms) {
    if (kind == forms.structured || kind == forms.programCounter) return &forms;
  }
  return nullptr;
}

bool IsStructuredHead(int16_t kind) {
  const BlockForms* forms = FormsOf(kind);
  return forms != nullptr && kind == forms->structured;
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
    const int end = std::min<int>(BlockEnd(ctx, h), last);
    if (end <= h) continue;
    const size_t size = before[static_cast<size_t>(end - first + 1)] - before[static_cast<size_t>(h - first)];
    if (size > ctx.partSize) ForceProgramCounterForm(ctx, h);
  }
}

}  // namespace

void ForceProgramCounterForm(TranslationContext& ctx, int16_t i) {
  for (Statement* s = &At(ctx, i);; s = &At(ctx, s->blockHead)) {
    const BlockForms* forms = FormsOf(s->kind);
    if (forms != nullptr) s->kind = forms->programCounter;
    if (s->blockDepth == 0) return;
  }
}

int16_t DispatchStatements(TranslationContext& ctx, int16_t first, int16_t last) {
  int16_t result = kDispatchDone;
  for (int16_t i = first; i <= last; ++i) {
    const Statement& s = At(ctx, i);
    if (s.kind == kKindTranslated) continue;
    const Translator translator = FirstPass(s);
    if (translator == nullptr) continue;  // parts of compound statements, labels, REM
    if (translator(ctx, i) != 0) return kDispatchFailed;
    if (IsJump(translator)) result = kDispatchJumps;
  }
  CutLongBlocks(ctx, first, last);
  // The second pass finishes each block in the form the first pass, the
  // jump rule and the size rule left it.
  for (int16_t i = first; i <= last; ++i) {
    const int16_t kind = At(ctx, i).kind;
    const BlockForms* forms = FormsOf(kind);
    if (forms == nullptr) continue;
    const bool structured = kind == forms->structured;
    if ((structured ? forms->finishStructured : forms->finishProgramCounter)(ctx, i) != 0) return kDispatchFailed;
    if (!structured) result = kDispatchJumps;
  }
  return result;
}

int16_t TranslateMainProgram(TranslationContext& ctx) {
  int16_t first = -1;
  int16_t last = -2;
  for (int i = 0; i < static_cast<int>(ctx.statements.size()); ++i) {
    if (At(ctx, i).area != kAreaMain) continue;
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
