// The statement dispatcher and the translation of the main program.
#pragma once

#include <cstdint>

#include "symbols/context.h"

namespace corvel {

// 0 on success; non-zero after the fault has been reported.
int16_t TranslateMainProgram(TranslationContext& ctx);

}  // namespace corvel
