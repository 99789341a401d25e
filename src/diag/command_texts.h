// The command's catalogue (diag/command_texts.def) as named constants,
// one kCmd<Name> per entry.
#pragma once

#include <string_view>

namespace corvel {

#define CORVEL_COMMAND_TEXT(name, text) inline constexpr std::string_view kCmd##name = text;
#include "diag/command_texts.def"
#undef CORVEL_COMMAND_TEXT

}  // namespace corvel
