// The built-in library: its procedure-table entries and its optional classes.
#pragma once

#include "symbols/context.h"

namespace corvel {

// Fills the procedure table with the library entries and the library class
// table, anew for every translation.
void InitLibrary(TranslationContext& ctx);

}  // namespace corvel
