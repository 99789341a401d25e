// Writing the output folder: nothing half-written, whatever fails.
#include "emit/output_files.h"

#include <fmt/format.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "diag/command_texts.h"
#include "emit/java_writer.h"
#include "symbols/program_name.h"
#include "system/process.h"

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
  // Every target is checked before the first rename; a file it replaces is
  // kept aside until all renames are done, and put back if one fails.
  bool Commit(std::string& why) {
    std::error_code ec;
    for (const auto& [temporary, final_path] : files) {
      if (fs::is_directory(final_path, ec)) {
        why = fmt::format(kCmdIsAFolder, final_path.string());
        return false;
      }
    }
    struct Done {
      fs::path final_path;
      fs::path kept;  // the replaced file, or empty
    };
    std::vector<Done> done;
    auto undo = [&] {
      std::error_code ignored;
      for (auto it = done.rbegin(); it != done.rend(); ++it) {
        if (it->kept.empty()) {
          fs::remove(it->final_path, ignored);
        } else {
          fs::rename(it->kept, it->final_path, ignored);
        }
      }
    };
    for (const auto& [temporary, final_path] : files) {
      fs::path kept;
      if (fs::exists(fs::symlink_status(final_path, ec))) {
        kept = final_path;
        kept += fmt::format(".corvel-{}.old", getpid());
        fs::rename(final_path, kept, ec);
        if (ec) {
          why = fmt::format("{}: {}", final_path.string(), ec.message());
          undo();
          return false;
        }
      }
      done.push_back({final_path, kept});
      fs::rename(temporary, final_path, ec);
      if (ec) {
        why = fmt::format("{}: {}", final_path.string(), ec.message());
        undo();
        return false;
      }
    }
    for (const Done& d : done) {
      if (!d.kept.empty()) fs::remove(d.kept, ec);
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
    why = fmt::format(kCmdCannotWrite, path.string(), std::strerror(errno));
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
    ctx.failureText = fmt::format(kCmdRuntimeMissing, syslib.string());
    return 1;
  }
  fs::create_directories(out_dir, ec);
  if (ec) {
    ctx.failureText = fmt::format(kCmdCannotCreateOutput, out_dir.string(), ec.message());
    return 1;
  }
  PendingFiles pending;
  JavaFile java = BuildJavaFile(ctx);
  if (!WriteText(pending, out_dir / (name + ".java"), java.text, why) ||
      !WriteText(pending, out_dir / (name + ".lines"), BuildLineMap(ctx, java.corvelLines), why) ||
      !WriteText(pending, out_dir / (name + ".html"), BuildHtmlPage(ctx), why)) {
    ctx.failureText = why;
    return 1;
  }
  for (const std::string& runtime_class : RuntimeClassesNeeded(ctx)) {
    for (const fs::path& file : ClassFiles(syslib, runtime_class)) {
      fs::copy_file(file, pending.Temporary(out_dir / file.filename()), fs::copy_options::overwrite_existing, ec);
      if (ec) {
        ctx.failureText = fmt::format(kCmdCannotCopy, file.string(), ec.message());
        return 1;
      }
    }
  }
  if (!pending.Commit(why)) {
    ctx.failureText = why;
    return 1;
  }
  ctx.javaCorvelLines = std::move(java.corvelLines);
  return 0;
}

int16_t WriteJar(TranslationContext& ctx) {
  const std::string name = GetProgramName(ctx);
  const fs::path out_dir = ctx.outputDir.empty() ? fs::path(".") : fs::path(ctx.outputDir);
  std::error_code ec;
  fs::path tool = fs::path(ctx.javacDir) / "jar";
  if (access(tool.c_str(), X_OK) != 0) tool += ".exe";
  if (access(tool.c_str(), X_OK) != 0) {
    ctx.failureText = fmt::format(kCmdNoJarTool, ctx.javacDir);
    return 1;
  }
  // The classes the JAR holds, with their nested classes' Name$*.class.
  std::vector<std::string> classes = RuntimeClassesNeeded(ctx);
  classes.push_back(name);
  auto belongs = [&](const std::string& file) {
    if (file == name + ".html" || file == name + ".lines") return true;
    if (file.size() <= 6 || file.substr(file.size() - 6) != ".class") return false;
    const std::string stem = file.substr(0, file.size() - 6);
    if (stem.rfind("KWU_" + name + "_", 0) == 0) return true;  // the program's base classes
    return std::any_of(classes.begin(), classes.end(), [&](const std::string& c) {
      return stem == c || stem.rfind(c + "$", 0) == 0;
    });
  };
  std::vector<std::string> entries;
  for (const auto& entry : fs::directory_iterator(out_dir, ec)) {
    const std::string file = entry.path().filename().string();
    if (entry.is_regular_file(ec) && belongs(file)) entries.push_back(file);
  }
  std::sort(entries.begin(), entries.end());
  // The viewer finds its page through this file at the JAR's root.
  const std::string extra = fmt::format(".corvel-jar-{}", getpid());
  const fs::path extra_dir = out_dir / extra;
  const fs::path jar = out_dir / (name + ".jar");
  struct RemoveDir {
    fs::path dir;
    ~RemoveDir() {
      std::error_code ignored;
      fs::remove_all(dir, ignored);
    }
  } remove_extra{extra_dir};
  std::string why;
  fs::create_directory(extra_dir, ec);
  if (!ec) std::ofstream(extra_dir / "KWC_Viewer.page", std::ios::binary) << name << ".html\n";
  if (ec || !fs::is_regular_file(extra_dir / "KWC_Viewer.page", ec)) {
    ctx.failureText = fmt::format(kCmdCannotWriteFolder, extra_dir.string());
    return 1;
  }
  PendingFiles pending;
  const fs::path jar_temporary = pending.Temporary(jar);
  std::vector<std::string> argv = {tool.string(), "--create", "--file", jar_temporary.filename().string(),
                                   "--main-class", "KWC_Viewer"};
  for (const std::string& file : entries) argv.push_back(file);
  for (const char* a : {"-C", extra.c_str(), "KWC_Viewer.page"}) argv.emplace_back(a);
  std::string output;
  const int status = RunProgram(argv, out_dir.string(), true, why, &output);
  if (status != 0 || !pending.Commit(why)) {
    ctx.failureText = fmt::format("{}: {}", tool.string(), !why.empty() ? why : output);
    return 1;
  }
  return 0;
}

}  // namespace corvel
