// IF blocks, block and one-line: conditions in the first pass, then the
// structured form or the program-counter form in the second.
#pragma once

#include <cstdint>

#include "symbols/context.h"

namespace corvel {

// Kinds of an IF head after the first pass.
inline constexpr int16_t kKindIfStructured = 111;
inline constexpr int16_t kKindIfProgramCounter = 121;
// A record the writer prints no text for, though it honours its case label.
inline constexpr int16_t kKindLabelOnly = 4001;

int16_t TranslateIfConditions(TranslationContext& ctx, int16_t& h);
int16_t FinishIfStructured(TranslationContext& ctx, int16_t& h);
int16_t FinishIfProgramCounter(TranslationContext& ctx, int16_t& h);

}  // namespace corvel
