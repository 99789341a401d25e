// The wizard's captions as named constants.
#pragma once

namespace corvel::caption {

#define CORVEL_CAPTION(name, text) inline constexpr const char k##name[] = text;
#include "ui/captions.def"
#undef CORVEL_CAPTION

}  // namespace corvel::caption
