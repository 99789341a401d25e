// Placement checks: stamps every statement with its program area.
#pragma once

#include <cstdint>

#include "context/context.h"

namespace corvel {

// 0 on success; non-zero after the fault has been reported.
int16_t CheckPlacement(TranslationContext& ctx);

}  // namespace corvel
