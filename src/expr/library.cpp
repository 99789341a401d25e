#include "expr/library.h"

namespace corvel {

void InitLibrary(TranslationContext& ctx) {
  ClearTable(ctx.procedures);
  ctx.libraryClasses.clear();
}

}  // namespace corvel
