// Block matching: links every statement to its innermost enclosing block.
#pragma once

#include <cstdint>

#include "context/context.h"

namespace corvel {

// 0 on success; non-zero after the fault has been reported.
int16_t MatchBlocks(TranslationContext& ctx);

}  // namespace corvel
