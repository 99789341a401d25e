// Hints: for some faults, a line under the report that says what to type
// instead. The report's own text never changes; the catalogue is hints.def.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "diag/fault.h"

namespace corvel {

#define CORVEL_HINT(name, text) inline constexpr std::string_view kHint##name = text;
#include "diag/hints.def"

/// The whole catalogue in its order.
inline constexpr std::string_view kHints[] = {
#define CORVEL_HINT(name, text) text,
#include "diag/hints.def"
};

// The hint for `fault`, without the "ヒント: " in front; nullopt when the
// catalogue has none for it. Reads only the record: the message id, the
// column and the line as the report shows it.
std::optional<std::string> HintFor(const Fault& fault);

}  // namespace corvel
