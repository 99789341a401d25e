// FUNCTION and SUB declarations: every header read into the procedure
// table. The bodies are translated afterwards by TranslateProcedureBodies,
// once every header is in the table.
#pragma once

#include <cstdint>

#include "context/context.h"

namespace corvel {

// 0 on success; non-zero after the fault has been reported.
int16_t DeclareProcedures(TranslationContext& ctx);

}  // namespace corvel
