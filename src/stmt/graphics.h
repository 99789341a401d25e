// The graphics statements: one call each of the runtime's screen classes.
// Optional arguments are passed as "true," value or "false," placeholder;
// a starting point as a mode (0 absolute, 1 STEP, 2 LINE's last point) and
// the point, or as the image drawn into and the point.
#pragma once

#include <cstdint>

#include "context/context.h"

namespace corvel {

int16_t TranslateScreen(TranslationContext& ctx, int16_t& i);
int16_t TranslateLine(TranslationContext& ctx, int16_t& i);
int16_t TranslatePset(TranslationContext& ctx, int16_t& i);
int16_t TranslateCircle(TranslationContext& ctx, int16_t& i);
int16_t TranslatePaint(TranslationContext& ctx, int16_t& i);
int16_t TranslateGet(TranslationContext& ctx, int16_t& i);
int16_t TranslatePut(TranslationContext& ctx, int16_t& i);
int16_t TranslateDrawStr(TranslationContext& ctx, int16_t& i);

}  // namespace corvel
