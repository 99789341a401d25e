// Writing the output folder: nothing half-written, whatever fails.
#include <fmt/format.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "driver/file_paths.h"
#include "emit/java_writer.h"

namespace corvel {
namespace {

namespace fs = std::filesystem;

// Files written under temporary names; renamed together, or all removed.
struct PendingFiles {
  std::vector<std::pair<fs::path, fs::path>> files;  // temporary, final
  ~PendingFiles() {
    std::error_code ec;
    for (const auto& [temporary, final_path] : files) fs::remove(temporary, ec);
  }
  fs::path Temporary(const fs::path& final_path) {
    fs::path temporary = final_path;
    temporary += fmt::format(".corvel-{}.tmp", getpid());
    files.emplace_back(temporary, final_path);
    return temporary;
  }
  bool Commit(std::string& why) {
    std::error_code ec;
    for (const auto& [temporary, final_path] : files) {
      fs::rename(temporary, final_path, ec);
      if (ec) {
        why = fmt::format("{}: {}", final_path.string(), ec.message());
        return false;
      }
    }
    files.clear();
    return true;
  }
};

bool WriteText(PendingFiles& pending, const fs::path& path, const std::string& text, std::string& why) {
  const fs::path temporary = pending.Temporary(path);
  std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) {
    why = fmt::format("{}: cannot be written: {}", path.string(), std::strerror(errno));
    return false;
  }
  return true;
}

// Name.class and its nested classes' Name$*.class files.
std::vector<fs::path> ClassFiles(const fs::path& syslib, const std::string& name) {
  std::vector<fs::path> files = {syslib / (name + ".class")};
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(syslib, ec)) {
    const std::string file = entry.path().filename().string();
    if (file.rfind(name + "$", 0) == 0 && file.size() > 6 && file.substr(file.size() - 6) == ".class") {
      files.push_back(entry.path());
    }
  }
  return files;
}

}  // namespace

int16_t WriteJavaProgram(TranslationContext& ctx) {
  const std::string name = GetProgramName(ctx);
  const fs::path out_dir = ctx.outputDir.empty() ? fs::path(".") : fs::path(ctx.outputDir);
  const fs::path syslib = fs::path(ctx.appDir) / "SysLib";
  std::string why;
  std::error_code ec;
  if (!fs::is_directory(syslib, ec)) {
    ctx.failureText = fmt::format("{}: the runtime classes are missing (use --app-dir)", syslib.string());
    return 1;
  }
  fs::create_directories(out_dir, ec);
  if (ec) {
    ctx.failureText = fmt::format("{}: cannot create the output folder: {}", out_dir.string(), ec.message());
    return 1;
  }
  PendingFiles pending;
  if (!WriteText(pending, out_dir / (name + ".java"), BuildJavaProgram(ctx), why) ||
      !WriteText(pending, out_dir / (name + ".html"), BuildHtmlPage(ctx), why)) {
    ctx.failureText = why;
    return 1;
  }
  for (const std::string& runtime_class : RuntimeClassesNeeded(ctx)) {
    for (const fs::path& file : ClassFiles(syslib, runtime_class)) {
      fs::copy_file(file, pending.Temporary(out_dir / file.filename()), fs::copy_options::overwrite_existing, ec);
      if (ec) {
        ctx.failureText = fmt::format("{}: cannot be copied: {}", file.string(), ec.message());
        return 1;
      }
    }
  }
  if (!pending.Commit(why)) {
    ctx.failureText = why;
    return 1;
  }
  return 0;
}

}  // namespace corvel
