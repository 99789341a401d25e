// The program name every output file and the Java class are named after,
// and where those files go: pure functions of the context, so the writer
// and the front ends derive them the same way.
#pragma once

#include <string>
#include <string_view>

#include "context/context.h"

namespace corvel {

// The source file name without its ".txt": the class and output file name.
std::string GetProgramName(const TranslationContext& ctx);
// The output folder joined with a file name.
std::string OutputPath(const TranslationContext& ctx, std::string_view file);

}  // namespace corvel
