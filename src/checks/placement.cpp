#include "checks/placement.h"

namespace corvel {

int16_t CheckPlacement(TranslationContext&) { return 0; }

}  // namespace corvel
