#include "symbols/program_name.h"

namespace corvel {

std::string OutputPath(const TranslationContext& ctx, std::string_view file) {
  return (ctx.outputDir.empty() ? std::string(".") : ctx.outputDir) + "/" + std::string(file);
}

std::string GetProgramName(const TranslationContext& ctx) {
  const std::string& name = ctx.sourceFileName;
  return name.size() >= 4 ? name.substr(0, name.size() - 4) : std::string();
}

}  // namespace corvel
