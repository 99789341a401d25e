// The translation of every FUNCTION and SUB body, once all procedures are
// declared.
#pragma once

#include <cstdint>

#include "context/context.h"

namespace corvel {

// Translates each user procedure's body through the dispatcher, in the
// order the procedures were declared. Runs right after DeclareProcedures: a
// body may call any procedure, also one declared after it, so every header
// must be in the table first. 0 on success; non-zero after the fault has
// been reported.
int16_t TranslateProcedureBodies(TranslationContext& ctx);

}  // namespace corvel
