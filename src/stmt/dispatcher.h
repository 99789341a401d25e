// The statement dispatcher and the translation of the main program.
#pragma once

#include <cstdint>

#include "context/context.h"

namespace corvel {

// What DispatchStatements gives back.
enum DispatchResult : int16_t {
  kDispatchDone = 0,     // all translated, no jump
  kDispatchFailed = 1,   // a translator reported a fault
  kDispatchJumps = 2,    // all translated; the range needs the program-counter machine
};

// Gives every block around record i, and i's own block when i is a head,
// its program-counter kind: the rule for a jump, which only the machine can
// take, and for a block too long to stay one Java statement.
void ForceProgramCounterForm(TranslationContext& ctx, int16_t i);

// Translates records first..last in two passes; a DispatchResult.
int16_t DispatchStatements(TranslationContext& ctx, int16_t first, int16_t last);

// The pass: finds the main program's range, translates it, and records the
// range and whether it jumps for the writer. 0 or 1.
int16_t TranslateMainProgram(TranslationContext& ctx);

}  // namespace corvel
