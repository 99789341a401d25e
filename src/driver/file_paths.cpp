#include "driver/file_paths.h"

#include <clocale>
#include <filesystem>
#include <cwctype>
#include <set>

#include "source/text_encoding.h"

namespace corvel {
namespace {

std::string WithoutTrailingSlash(std::string_view dir) {
  if (dir.size() > 1 && dir.back() == '/') dir.remove_suffix(1);
  return std::string(dir);
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

}  // namespace

void SetOutputDir(TranslationContext& ctx, std::string_view dir) { ctx.outputDir = WithoutTrailingSlash(dir); }
void SetSourceDir(TranslationContext& ctx, std::string_view dir) { ctx.sourceDir = WithoutTrailingSlash(dir); }
void SetSourceFileName(TranslationContext& ctx, std::string_view name) { ctx.sourceFileName = name; }
void SetAppDir(TranslationContext& ctx, std::string_view dir) { ctx.appDir = WithoutTrailingSlash(dir); }
void SetJavacDir(TranslationContext& ctx, std::string_view dir) { ctx.javacDir = WithoutTrailingSlash(dir); }

std::string DefaultAppDir() {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  const fs::path dir = ec ? fs::current_path(ec) : exe.parent_path();
  const fs::path installed = dir / ".." / "share" / "corvel";
  if (!fs::exists(dir / "SysLib", ec) && fs::exists(installed / "SysLib", ec)) {
    return fs::weakly_canonical(installed, ec).string();
  }
  return dir.string();
}

bool IsValidProgramName(std::string_view name) {
  static const std::set<std::string_view> kReserved = {
      "abstract", "assert", "boolean", "break", "byte", "case", "catch", "char", "class",
      "const", "continue", "default", "do", "double", "else", "enum", "extends", "final",
      "finally", "float", "for", "goto", "if", "implements", "import", "instanceof", "int",
      "interface", "long", "native", "new", "package", "private", "protected", "public",
      "return", "short", "static", "strictfp", "super", "switch", "synchronized", "this",
      "throw", "throws", "transient", "try", "void", "volatile", "while", "true", "false",
      "null", "_", "var", "yield", "record", "sealed", "permits",
      // Classes of java.lang that the generated code or the runtime names:
      // a program class of that name would hide them.
      "Math", "String", "Object", "System", "Integer", "Long", "Short", "Byte", "Float", "Double",
      "Boolean", "Character", "Number", "Thread", "Runnable", "Exception", "Error", "Class",
      "RuntimeException", "IllegalStateException", "StringBuilder", "Override", "Deprecated"};
  if (name.empty() || kReserved.count(name) != 0 || !IsValidUtf8(name)) return false;
  // The runtime's classes and the generated classes (user types, frames) use these names.
  for (std::string_view prefix : {"KWC_", "KWV_", "KWA_", "KWL_", "KWU_"}) {
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

std::string SuggestProgramName(std::string_view name) {
  std::u32string chars = DecodeUtf8(name);
  for (char32_t& c : chars) {
    if (!IsJavaLetter(c, false)) c = U'_';
  }
  if (!chars.empty() && !IsJavaLetter(chars[0], true)) chars.insert(chars.begin(), U'_');
  std::string suggested = EncodeUtf8(chars);
  if (!IsValidProgramName(suggested)) suggested += '_';
  // The runtime's prefixes stay taken whatever follows them.
  if (!IsValidProgramName(suggested)) suggested = "My" + suggested;
  return IsValidProgramName(suggested) ? suggested : "Program";
}

}  // namespace corvel
