// FUNCTION and SUB declarations; translates every procedure body.
#pragma once

#include <cstdint>

#include "symbols/context.h"

namespace corvel {

// 0 on success; non-zero after the fault has been reported.
int16_t DeclareProcedures(TranslationContext& ctx);

}  // namespace corvel
