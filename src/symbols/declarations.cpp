#include "symbols/declarations.h"

namespace corvel {

int16_t RunDeclarationsPass(TranslationContext&) { return 0; }

}  // namespace corvel
