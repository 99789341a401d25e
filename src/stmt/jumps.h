// RETURN's code, which the writer looks for.
#pragma once

#include <string_view>

namespace corvel {

// RETURN's code: it leaves the return stack one lower, so a RETURN without
// GOSUB fails at the unit's dispatch, not on its own line.
inline constexpr std::string_view kReturnCode = "CPC--;\r\nbreak;";

}  // namespace corvel
