#include "expr/library.h"

namespace corvel {

void InitLibrary(TranslationContext& ctx) {
  ctx.procedures.clear();
  ctx.libraryClasses.clear();
}

}  // namespace corvel
