// REDIM: an array's dimensions and bounds set at run time.
#pragma once

#include <cstdint>

#include "context/context.h"

namespace corvel {

int16_t TranslateRedim(TranslationContext& ctx, int16_t& i);

}  // namespace corvel
