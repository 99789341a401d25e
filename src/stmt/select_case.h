// SELECT CASE: a Java switch when the selector and every item are integers
// of Long width, else an if-chain over a temporary holding the selector;
// each in the structured and the program-counter form.
#pragma once

#include <cstdint>

#include "source/token_codes.h"
#include "context/context.h"

namespace corvel {

int16_t TranslateSelectHeader(TranslationContext& ctx, int16_t& h);
int16_t FinishSwitchStructured(TranslationContext& ctx, int16_t& h);
int16_t FinishSwitchProgramCounter(TranslationContext& ctx, int16_t& h);
int16_t FinishIfChainStructured(TranslationContext& ctx, int16_t& h);
int16_t FinishIfChainProgramCounter(TranslationContext& ctx, int16_t& h);

}  // namespace corvel
