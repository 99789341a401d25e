#include "checks/options.h"

namespace corvel {

int16_t ProcessOptions(TranslationContext&) { return 0; }

}  // namespace corvel
