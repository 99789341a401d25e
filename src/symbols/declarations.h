// The declarations pass: user-defined types and module-level variables.
#pragma once

#include <cstdint>

#include "symbols/context.h"

namespace corvel {

// 0 on success; non-zero after the fault has been reported.
int16_t RunDeclarationsPass(TranslationContext& ctx);

}  // namespace corvel
