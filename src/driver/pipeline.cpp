#include "driver/pipeline.h"

#include <fmt/format.h>
#include <unistd.h>

#include <chrono>
#include <clocale>
#include <cwctype>
#include <filesystem>
#include <set>

#include "checks/block_matching.h"
#include "checks/options.h"
#include "checks/placement.h"
#include "expr/library.h"
#include "source/source_reader.h"
#include "source/text_encoding.h"
#include "stmt/dispatcher.h"
#include "symbols/declarations.h"
#include "symbols/procedures.h"

namespace corvel {
namespace {

namespace fs = std::filesystem;

struct PassSlot {
  std::string_view name;
  int16_t (*run)(TranslationContext&);
};

// The passes in the order they must run; each relies on the tables the
// earlier ones filled.
constexpr PassSlot kPasses[] = {
    {"ReadSourceFile", ReadSourceFile},
    {"CheckPlacement", CheckPlacement},
    {"ProcessOptions", ProcessOptions},
    {"RunDeclarationsPass", RunDeclarationsPass},
    {"MatchBlocks", MatchBlocks},
    {"DeclareProcedures", DeclareProcedures},
    {"TranslateMainProgram", TranslateMainProgram},
};

std::string WithoutTrailingSlash(std::string_view dir) {
  if (dir.size() > 1 && dir.back() == '/') dir.remove_suffix(1);
  return std::string(dir);
}

bool EndsWithTxt(std::string_view name) {
  if (name.size() <= 4) return false;
  std::string ext(name.substr(name.size() - 4));
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".txt";
}

// A class name may use any Unicode letter, so the classification needs a
// UTF-8 locale; it is made once and never changed.
bool IsJavaLetter(char32_t c, bool first) {
  if (c < 0x80) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '$' ||
           (!first && c >= '0' && c <= '9');
  }
  static const locale_t kUtf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
  if (kUtf8 == static_cast<locale_t>(0)) return !std::iswspace(static_cast<wint_t>(c));
  const auto wc = static_cast<wint_t>(c);
  return first ? iswalpha_l(wc, kUtf8) != 0 : iswalnum_l(wc, kUtf8) != 0;
}

// A missing folder is created when the files are written; it must then lie
// in a writable folder.
bool CheckOutputDir(const std::string& dir, std::string& why) {
  std::error_code ec;
  fs::path path = dir.empty() ? fs::path(".") : fs::path(dir);
  if (fs::exists(path, ec)) {
    if (!fs::is_directory(path, ec)) {
      why = "the output folder is not a folder";
      return false;
    }
    if (access(path.c_str(), W_OK | X_OK) != 0) {
      why = "the output folder cannot be written";
      return false;
    }
    return true;
  }
  fs::path parent = fs::absolute(path, ec).parent_path();
  while (!parent.empty() && !fs::exists(parent, ec)) parent = parent.parent_path();
  if (parent.empty() || !fs::is_directory(parent, ec) || access(parent.c_str(), W_OK | X_OK) != 0) {
    why = "the output folder does not exist and cannot be created";
    return false;
  }
  return true;
}

void ShowStatus(TranslationContext& ctx, std::string_view text) {
  if (ctx.status) ctx.status(text);
}

}  // namespace

void SetOutputDir(TranslationContext& ctx, std::string_view dir) { ctx.outputDir = WithoutTrailingSlash(dir); }
void SetSourceDir(TranslationContext& ctx, std::string_view dir) { ctx.sourceDir = WithoutTrailingSlash(dir); }
void SetSourceFileName(TranslationContext& ctx, std::string_view name) { ctx.sourceFileName = name; }
void SetAppDir(TranslationContext& ctx, std::string_view dir) { ctx.appDir = WithoutTrailingSlash(dir); }
void SetJavacDir(TranslationContext& ctx, std::string_view dir) { ctx.javacDir = WithoutTrailingSlash(dir); }

std::string GetProgramName(const TranslationContext& ctx) {
  const std::string& name = ctx.sourceFileName;
  return name.size() >= 4 ? name.substr(0, name.size() - 4) : std::string();
}

bool IsValidProgramName(std::string_view name) {
  static const std::set<std::string_view> kReserved = {
      "abstract", "assert", "boolean", "break", "byte", "case", "catch", "char", "class",
      "const", "continue", "default", "do", "double", "else", "enum", "extends", "final",
      "finally", "float", "for", "goto", "if", "implements", "import", "instanceof", "int",
      "interface", "long", "native", "new", "package", "private", "protected", "public",
      "return", "short", "static", "strictfp", "super", "switch", "synchronized", "this",
      "throw", "throws", "transient", "try", "void", "volatile", "while", "true", "false",
      "null", "_", "var", "yield", "record", "sealed", "permits"};
  if (name.empty() || kReserved.count(name) != 0 || !IsValidUtf8(name)) return false;
  // The runtime's classes and the generated classes of user types use these names.
  for (std::string_view prefix : {"KWC_", "KWV_", "KWA_", "KWL_"}) {
    if (name.substr(0, prefix.size()) == prefix) return false;
  }
  if (name.size() > 3 && name.substr(0, 3) == "TYP" &&
      name.find_first_not_of("0123456789", 3) == std::string_view::npos) {
    return false;
  }
  const std::u32string chars = DecodeUtf8(name);
  for (size_t i = 0; i < chars.size(); ++i) {
    if (!IsJavaLetter(chars[i], i == 0)) return false;
  }
  return true;
}

CompileResult CompileProgram(TranslationContext& ctx, const CompileInputs& inputs) {
  if (!inputs.sourceChosen) return CompileResult::kNotStarted;

  InitTranslation(ctx);
  InitLibrary(ctx);
  SetAppDir(ctx, inputs.appDir);
  SetSourceDir(ctx, inputs.sourceDir);
  SetSourceFileName(ctx, inputs.sourceFileName);
  SetOutputDir(ctx, inputs.outputDir);
  SetJavacDir(ctx, inputs.javacDir);

  const std::string source_path =
      ctx.sourceDir.empty() ? ctx.sourceFileName : ctx.sourceDir + "/" + ctx.sourceFileName;
  if (!EndsWithTxt(ctx.sourceFileName)) {
    ctx.failureText = fmt::format("{}: a Corvel program must be a .txt file", source_path);
    return CompileResult::kFailure;
  }
  if (!IsValidProgramName(GetProgramName(ctx))) {
    ctx.failureText = fmt::format(
        "{}: \"{}\" cannot name a Java class (use letters, digits and _, not starting with a digit)",
        source_path, GetProgramName(ctx));
    return CompileResult::kFailure;
  }
  std::string why;
  if (!CheckOutputDir(ctx.outputDir, why)) {
    ctx.failureText = fmt::format("{}: {}", ctx.outputDir.empty() ? "." : ctx.outputDir, why);
    return CompileResult::kFailure;
  }

  ShowStatus(ctx, kStatusTranslating);
  for (const PassSlot& pass : kPasses) {
    const auto start = std::chrono::steady_clock::now();
    const int16_t failed = pass.run(ctx);
    if (inputs.onPassTimed) {
      const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
      inputs.onPassTimed(pass.name, elapsed.count());
    }
    if (failed != 0) {
      ShowStatus(ctx, "");
      return ctx.failureText.empty() ? CompileResult::kProgramFault : CompileResult::kFailure;
    }
  }
  return CompileResult::kTranslated;
}

}  // namespace corvel
