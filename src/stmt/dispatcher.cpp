#include "stmt/dispatcher.h"

namespace corvel {

int16_t TranslateMainProgram(TranslationContext&) { return 0; }

}  // namespace corvel
