// The statement translators, the rows of the dispatcher's tables. Each
// translates the record at index i, or the block whose head is h, and
// returns 0, or 1 after a report. A first-pass translator reads a statement;
// for a block head it writes the tests and leaves the head in its structured
// kind. A Finish...() of the second pass writes a block in the form the
// first pass, the jump rule and the size rule left it: structured, or under
// the program-counter machine.
#pragma once

#include <cstdint>

#include "context/context.h"

namespace corvel {

// IF blocks, block and one-line (if_block.cpp).
int16_t TranslateIfConditions(TranslationContext& ctx, int16_t h);
int16_t FinishIfStructured(TranslationContext& ctx, int16_t h);
int16_t FinishIfProgramCounter(TranslationContext& ctx, int16_t h);

// SELECT CASE as a switch or as an if-chain (select_case.cpp).
int16_t TranslateSelectHeader(TranslationContext& ctx, int16_t h);
int16_t FinishSwitchStructured(TranslationContext& ctx, int16_t h);
int16_t FinishSwitchProgramCounter(TranslationContext& ctx, int16_t h);
int16_t FinishIfChainStructured(TranslationContext& ctx, int16_t h);
int16_t FinishIfChainProgramCounter(TranslationContext& ctx, int16_t h);

// Loops (loop_blocks.cpp): FOR; WHILE, DO WHILE and DO UNTIL, tested at the
// head; DO ... LOOP WHILE|UNTIL, tested at the end.
int16_t TranslateForHeader(TranslationContext& ctx, int16_t h);
int16_t FinishForStructured(TranslationContext& ctx, int16_t h);
int16_t FinishForProgramCounter(TranslationContext& ctx, int16_t h);
int16_t TranslateHeadCondition(TranslationContext& ctx, int16_t h);
int16_t FinishHeadTestedStructured(TranslationContext& ctx, int16_t h);
int16_t FinishHeadTestedProgramCounter(TranslationContext& ctx, int16_t h);
int16_t TranslateLoopCondition(TranslationContext& ctx, int16_t h);
int16_t FinishDoLoopStructured(TranslationContext& ctx, int16_t h);
int16_t FinishDoLoopProgramCounter(TranslationContext& ctx, int16_t h);

// Jumps, all under the program-counter machine (jumps.cpp).
int16_t TranslateEnd(TranslationContext& ctx, int16_t i);  // END, EXIT SUB, EXIT FUNCTION
int16_t TranslateReturn(TranslationContext& ctx, int16_t i);
int16_t TranslateExitDo(TranslationContext& ctx, int16_t i);
int16_t TranslateExitFor(TranslationContext& ctx, int16_t i);
int16_t TranslateGoto(TranslationContext& ctx, int16_t i);
int16_t TranslateGosub(TranslationContext& ctx, int16_t i);

// PRINT and INPUT (print_input.cpp), REDIM (redim.cpp).
int16_t TranslatePrint(TranslationContext& ctx, int16_t i);
int16_t TranslateInput(TranslationContext& ctx, int16_t i);
int16_t TranslateRedim(TranslationContext& ctx, int16_t i);

// Graphics (graphics.cpp).
int16_t TranslateScreen(TranslationContext& ctx, int16_t i);
int16_t TranslateLine(TranslationContext& ctx, int16_t i);
int16_t TranslatePset(TranslationContext& ctx, int16_t i);
int16_t TranslateCircle(TranslationContext& ctx, int16_t i);
int16_t TranslatePaint(TranslationContext& ctx, int16_t i);
int16_t TranslateGet(TranslationContext& ctx, int16_t i);
int16_t TranslatePut(TranslationContext& ctx, int16_t i);
int16_t TranslateDrawStr(TranslationContext& ctx, int16_t i);

}  // namespace corvel
