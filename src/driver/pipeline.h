// The compile pipeline: one translation of one program, the passes in their
// fixed order over one context, stopping at the first that fails.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "symbols/context.h"

namespace corvel {

inline constexpr std::string_view kStatusTranslating = "Corvel言語を Java言語に変換しています。";

struct CompileInputs {
  std::string appDir;          // holds SysLib/
  std::string sourceDir;
  std::string sourceFileName;  // with its ".txt"
  std::string outputDir;
  std::string javacDir;
  bool sourceChosen = true;  // the wizard's flag: nothing happens before a file is chosen
  // Called after each pass with its name and its time in milliseconds.
  std::function<void(std::string_view pass, double ms)> onPassTimed;
};

enum class CompileResult {
  kNotStarted,    // no source chosen
  kTranslated,    // every pass succeeded
  kProgramFault,  // a pass reported a fault in the program
  kFailure,       // anything else; ctx.failureText says what
};

CompileResult CompileProgram(TranslationContext& ctx, const CompileInputs& inputs);

// Path routines; folders are stored without one trailing "/".
void SetOutputDir(TranslationContext& ctx, std::string_view dir);
void SetSourceDir(TranslationContext& ctx, std::string_view dir);
void SetSourceFileName(TranslationContext& ctx, std::string_view name);
void SetAppDir(TranslationContext& ctx, std::string_view dir);
void SetJavacDir(TranslationContext& ctx, std::string_view dir);
// The source file name without its ".txt": the class and output file name.
std::string GetProgramName(const TranslationContext& ctx);

// Whether `name` can name the generated Java class (identifier syntax, not a
// Java keyword, not one of the runtime's class names).
bool IsValidProgramName(std::string_view name);

}  // namespace corvel
