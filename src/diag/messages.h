// The report texts as named constants, one kMsg<Name> per entry of
// messages.def. A pattern is filled where the report is built, with the
// constant as the format string so that {fmt} checks its holes against the
// arguments when compiling: fmt::format(kMsgTooManyVariables, kMaxTableEntries).
#pragma once

#include <string_view>

namespace corvel {

#define CORVEL_MESSAGE(name, text) inline constexpr std::string_view kMsg##name = text;
#include "diag/messages.def"

struct MessageEntry {
  std::string_view name;
  std::string_view text;
};

/// The whole catalogue in its order, for tests and tools that read every text.
inline constexpr MessageEntry kMessages[] = {
#define CORVEL_MESSAGE(name, text) {#name, text},
#include "diag/messages.def"
};

}  // namespace corvel
