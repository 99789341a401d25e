// User-defined types: TYPE name, one element per line, END TYPE.
#pragma once

#include <cstdint>

#include "context/context.h"

namespace corvel {

// Declares the type whose TYPE line is `statement_index`; on success leaves
// the index on the END TYPE line. 0 on success, 1 after a report.
int16_t DeclareUserType(TranslationContext& ctx, int16_t& statement_index);

}  // namespace corvel
