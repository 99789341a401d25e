// Jumps: GOTO, GOSUB, RETURN, END, EXIT SUB, EXIT FUNCTION, EXIT DO and
// EXIT FOR, all written for the program-counter machine, and the rule that
// moves every block around a jump into its program-counter form.
#pragma once

#include <cstdint>
#include <string_view>

#include "context/context.h"

namespace corvel {

// RETURN's code: it leaves the return stack one lower, so a RETURN without
// GOSUB fails at the unit's dispatch, not on its own line.
inline constexpr std::string_view kReturnCode = "CPC--;\r\nbreak;";

// Gives every block that encloses statement i its program-counter kind.
void ForceProgramCounterForm(TranslationContext& ctx, int16_t i);

// Each translates the statement at i: 0, or 1 after a report.
int16_t TranslateEnd(TranslationContext& ctx, int16_t& i);  // END, EXIT SUB, EXIT FUNCTION
int16_t TranslateReturn(TranslationContext& ctx, int16_t& i);
int16_t TranslateExitDo(TranslationContext& ctx, int16_t& i);
int16_t TranslateExitFor(TranslationContext& ctx, int16_t& i);
int16_t TranslateGoto(TranslationContext& ctx, int16_t& i);
int16_t TranslateGosub(TranslationContext& ctx, int16_t& i);

// The label statement t becomes a comment followed by its case label.
void MarkJumpTarget(TranslationContext& ctx, int16_t t);

}  // namespace corvel
