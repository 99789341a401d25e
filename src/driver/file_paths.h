// The paths of a translation: setters that normalise folders, where the
// runtime is found, and which program names Java accepts. The program name
// and the output paths themselves come from symbols/program_name.h.
#pragma once

#include <string>
#include <string_view>

#include "context/context.h"
#include "symbols/program_name.h"

namespace corvel {

// Folders are stored without one trailing "/".
void SetOutputDir(TranslationContext& ctx, std::string_view dir);
void SetSourceDir(TranslationContext& ctx, std::string_view dir);
void SetSourceFileName(TranslationContext& ctx, std::string_view name);
void SetAppDir(TranslationContext& ctx, std::string_view dir);
void SetJavacDir(TranslationContext& ctx, std::string_view dir);

// The translator's folder, which holds SysLib/: the folder of the running
// executable (a build tree), or the installed share folder beside it. Every
// front end (the command, the wizard) finds the runtime the same way.
std::string DefaultAppDir();

// Whether `name` can name the generated Java class (identifier syntax, not a
// Java keyword, not one of the runtime's class names).
bool IsValidProgramName(std::string_view name);

// A valid program name close to `name`, to suggest when it is not one: every
// character a class name cannot hold becomes _, and a name Java reserves gets
// a _ after it ("my-prog" -> "my_prog", "class" -> "class_").
std::string SuggestProgramName(std::string_view name);

}  // namespace corvel
