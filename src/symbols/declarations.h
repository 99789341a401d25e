// Variable declarations (DIM, STATIC, PRIVATE, PUBLIC) and the declarations
// pass over the head of the program.
#pragma once

#include <cstdint>

#include "context/context.h"

namespace corvel {

// Declares the variables of one declaring statement. 0 on success; 1 after
// reporting the first fault. Entries of earlier declarators stay.
int16_t DeclareVariables(TranslationContext& ctx, int16_t statement_index);

// The pass: user-defined types and module-level variables, from the first
// statement up to the first one of the main program or a procedure.
int16_t RunDeclarationsPass(TranslationContext& ctx);

}  // namespace corvel
