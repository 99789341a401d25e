// PRINT and INPUT: text output through the text screen, input through the
// applet's prompt and the variables' wrappers.
#pragma once

#include <cstdint>

#include "context/context.h"

namespace corvel {

int16_t TranslatePrint(TranslationContext& ctx, int16_t& i);
int16_t TranslateInput(TranslationContext& ctx, int16_t& i);

}  // namespace corvel
