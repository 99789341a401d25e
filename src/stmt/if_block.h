// IF blocks, block and one-line: conditions in the first pass, then the
// structured form or the program-counter form in the second.
#pragma once

#include <cstdint>

#include "source/token_codes.h"
#include "context/context.h"

namespace corvel {

int16_t TranslateIfConditions(TranslationContext& ctx, int16_t& h);
int16_t FinishIfStructured(TranslationContext& ctx, int16_t& h);
int16_t FinishIfProgramCounter(TranslationContext& ctx, int16_t& h);

}  // namespace corvel
