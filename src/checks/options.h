// OPTION lines: option values and applet parameters.
#pragma once

#include <cstdint>

#include "context/context.h"

namespace corvel {

// 0 on success; non-zero after the fault has been reported.
int16_t ProcessOptions(TranslationContext& ctx);

}  // namespace corvel
