// FOR ... NEXT, WHILE ... WEND, DO WHILE/UNTIL ... LOOP and DO ... LOOP
// WHILE/UNTIL: the first pass translates the parts, the second writes the
// structured form or the program-counter form.
#pragma once

#include <cstdint>

#include "source/token_codes.h"
#include "context/context.h"

namespace corvel {

int16_t TranslateForHeader(TranslationContext& ctx, int16_t& h);
int16_t FinishForStructured(TranslationContext& ctx, int16_t& h);
int16_t FinishForProgramCounter(TranslationContext& ctx, int16_t& h);

// WHILE, DO WHILE and DO UNTIL, tested at the head.
int16_t TranslateHeadCondition(TranslationContext& ctx, int16_t& h);
int16_t FinishHeadTestedStructured(TranslationContext& ctx, int16_t& h);
int16_t FinishHeadTestedProgramCounter(TranslationContext& ctx, int16_t& h);

// DO ... LOOP WHILE/UNTIL, tested at the end.
int16_t TranslateLoopCondition(TranslationContext& ctx, int16_t& h);
int16_t FinishDoLoopStructured(TranslationContext& ctx, int16_t& h);
int16_t FinishDoLoopProgramCounter(TranslationContext& ctx, int16_t& h);

}  // namespace corvel
