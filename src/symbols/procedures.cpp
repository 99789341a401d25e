#include "symbols/procedures.h"

namespace corvel {

int16_t DeclareProcedures(TranslationContext&) { return 0; }

}  // namespace corvel
