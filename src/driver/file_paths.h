// The paths of a translation: setters that normalise folders, and the
// program name every output file and the Java class are named after.
#pragma once

#include <string>
#include <string_view>

#include "symbols/context.h"

namespace corvel {

// Folders are stored without one trailing "/".
void SetOutputDir(TranslationContext& ctx, std::string_view dir);
void SetSourceDir(TranslationContext& ctx, std::string_view dir);
void SetSourceFileName(TranslationContext& ctx, std::string_view name);
void SetAppDir(TranslationContext& ctx, std::string_view dir);
void SetJavacDir(TranslationContext& ctx, std::string_view dir);
// The source file name without its ".txt": the class and output file name.
std::string GetProgramName(const TranslationContext& ctx);
// The output folder joined with a file name.
std::string OutputPath(const TranslationContext& ctx, std::string_view file);

// The translator's folder, which holds SysLib/: the folder of the running
// executable (a build tree), or the installed share folder beside it. Every
// front end (the command, the wizard) finds the runtime the same way.
std::string DefaultAppDir();

// Whether `name` can name the generated Java class (identifier syntax, not a
// Java keyword, not one of the runtime's class names).
bool IsValidProgramName(std::string_view name);

}  // namespace corvel
