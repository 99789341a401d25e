// The statement dispatcher and the translation of the main program.
#pragma once

#include <cstdint>

#include "symbols/context.h"

namespace corvel {

// Translates records first..last in two passes. 0: all translated, no jump;
// 2: all translated and the range needs the program-counter machine;
// 1: a translator reported a fault.
int16_t DispatchStatements(TranslationContext& ctx, int16_t& first, int16_t& last);

// The pass: finds the main program's range, translates it, and records the
// range and whether it jumps for the writer. 0 or 1.
int16_t TranslateMainProgram(TranslationContext& ctx);

}  // namespace corvel
