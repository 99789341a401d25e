// Writing the output folder: nothing half-written, whatever fails.
#include "emit/output_files.h"

#include <fcntl.h>
#include <fmt/format.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "diag/command_texts.h"
#include "emit/java_writer.h"
#include "symbols/program_name.h"
#include "system/process.h"

namespace corvel {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kStagePrefix = ".corvel-stage-";
// Inside a stage: the files a commit moved aside, renamed to kDoneFolder in
// one step once every move is done. A stage left with kKeptFolder was cut
// off mid-commit: its files are put back.
constexpr std::string_view kKeptFolder = ".kept";
constexpr std::string_view kDoneFolder = ".done";
// Inside kKeptFolder: an empty file for each file the commit moves in that
// was new to the folder, made before the move, so that a commit cut off
// takes them out again.
constexpr std::string_view kNewFolder = ".corvel-new";
constexpr std::string_view kManifestName = ".corvel-manifest";
// How often a translation waiting for the folder asks for it again.
constexpr useconds_t kLockPollUs = 20'000;
constexpr std::string_view kManifestHeader = "corvel-manifest 1";

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// A process of that id still runs (or runs under another user).
bool Alive(long pid) { return pid > 0 && (kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM); }

// The process id in a name such as ".corvel-stage-123-Ab3dEf" or
// "Prog.html.corvel-123.tmp" after `marker`; 0 when there is none.
long PidAfter(std::string_view name, std::string_view marker) {
  const size_t at = name.find(marker);
  if (at == std::string_view::npos) return 0;
  const std::string digits(name.substr(at + marker.size()));
  return std::strtol(digits.c_str(), nullptr, 10);
}

// FNV-1a: a cheap fingerprint that tells a file Corvel wrote from one
// edited since; it guards against mistakes, not against an adversary.
std::string Checksum(std::string_view data) {
  uint64_t hash = 14695981039346656037ull;
  for (const char c : data) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  return fmt::format("{:016x}", hash);
}

bool ReadWhole(const fs::path& path, std::string& data) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  data = std::move(text).str();
  return !in.bad();
}

// The files Corvel wrote in a folder, by name, with their checksums.
std::map<std::string, std::string> ReadManifest(const fs::path& dir) {
  std::map<std::string, std::string> files;
  std::string data;
  if (!ReadWhole(dir / kManifestName, data) || data.rfind(kManifestHeader, 0) != 0) return files;
  std::istringstream lines(data);
  for (std::string line; std::getline(lines, line);) {
    const size_t tab = line.find('\t');
    if (tab != std::string::npos) files[line.substr(tab + 1)] = line.substr(0, tab);
  }
  return files;
}

// Takes out the files a dead commit had moved in new, puts back every file it
// had moved aside, then removes the stage.
void RecoverStage(const fs::path& out_dir, const fs::path& stage) {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(stage / kKeptFolder / kNewFolder, ec)) {
    const fs::path target = out_dir / entry.path().filename();
    if (fs::is_regular_file(fs::symlink_status(target, ec))) fs::remove(target, ec);
  }
  for (const auto& entry : fs::directory_iterator(stage / kKeptFolder, ec)) {
    if (entry.path().filename() == kNewFolder) continue;
    const fs::path target = out_dir / entry.path().filename();
    if (!fs::is_directory(fs::symlink_status(target, ec))) fs::rename(entry.path(), target, ec);
  }
  fs::remove_all(stage, ec);
}

}  // namespace

FolderLock::~FolderLock() {
  if (fd_ >= 0) close(fd_);
}

bool FolderLock::Take(const std::string& dir, const std::function<void()>& on_wait, std::string& why) {
  const fs::path path = fs::path(dir) / ".corvel.lock";
  fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
  // Another user's lock file in a shared folder: flock needs no write access.
  if (fd_ < 0 && errno == EACCES) fd_ = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd_ < 0) {
    why = fmt::format(kCmdCannotWrite, path.string(), SystemReason(errno));
    return false;
  }
  if (flock(fd_, LOCK_EX | LOCK_NB) == 0) return true;
  if (errno != EWOULDBLOCK) {
    why = fmt::format(kCmdCannotWrite, path.string(), SystemReason(errno));
    return false;
  }
  if (on_wait) on_wait();
  // Asked again and again rather than waited for: an interrupt that came
  // just before a blocking wait would go unseen until the other run ends.
  while (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK && errno != EINTR) {
      why = fmt::format(kCmdCannotWrite, path.string(), SystemReason(errno));
      return false;
    }
    if (Interrupted() != 0) {
      why = std::string(kCmdInterrupted);
      return false;
    }
    usleep(kLockPollUs);
  }
  return true;
}

void ClearDeadRuns(const std::string& dir) {
  const fs::path out_dir(dir);
  std::error_code ec;
  std::vector<fs::path> entries;
  for (const auto& entry : fs::directory_iterator(out_dir, ec)) entries.push_back(entry.path());
  for (const fs::path& path : entries) {
    const std::string name = path.filename().string();
    if (name.rfind(kStagePrefix, 0) == 0) {
      if (!Alive(PidAfter(name, kStagePrefix))) RecoverStage(out_dir, path);
    } else if (name.rfind(".corvel-jar-", 0) == 0) {
      if (!Alive(PidAfter(name, ".corvel-jar-"))) fs::remove_all(path, ec);
    } else if (EndsWith(name, ".tmp") || EndsWith(name, ".old")) {
      // Older versions kept their temporaries beside the files they stood for.
      const size_t marker = name.rfind(".corvel-");
      if (marker == std::string::npos || PidAfter(name, ".corvel-") <= 0 || Alive(PidAfter(name, ".corvel-"))) continue;
      const fs::path original = out_dir / name.substr(0, marker);
      if (EndsWith(name, ".old") && !fs::is_directory(fs::symlink_status(original, ec))) {
        fs::rename(path, original, ec);
      } else {
        fs::remove(path, ec);
      }
    }
  }
}

bool OutputStage::Open(const std::string& out_dir, std::string& why) {
  out_dir_ = out_dir;
  std::string pattern = (fs::path(out_dir) / fmt::format("{}{}-XXXXXX", kStagePrefix, getpid())).string();
  if (mkdtemp(pattern.data()) == nullptr) {
    why = fmt::format(kCmdCannotWrite, out_dir, SystemReason(errno));
    return false;
  }
  dir_ = pattern;
  return true;
}

bool OutputStage::Write(const std::string& name, std::string_view data, std::string& why) {
  const fs::path path = fs::path(dir_) / name;
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  int error = fd < 0 ? errno : 0;
  for (size_t done = 0; error == 0 && done < data.size();) {
    const ssize_t n = write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno != EINTR) error = errno;
    if (n > 0) done += static_cast<size_t>(n);
  }
  if (fd >= 0 && close(fd) != 0 && error == 0) error = errno;
  if (error == 0) return true;
  why = fmt::format(kCmdCannotWrite, (fs::path(out_dir_) / name).string(), SystemReason(error));
  return false;
}

bool OutputStage::Commit(const std::vector<std::string>& drop, std::string& why) {
  const fs::path out_dir(out_dir_), stage(dir_), kept = stage / kKeptFolder;
  std::error_code ec;
  std::vector<std::string> moves;
  for (const auto& entry : fs::directory_iterator(stage, ec)) {
    if (entry.is_regular_file(ec)) moves.push_back(entry.path().filename().string());
  }
  // Every target is checked before the first rename.
  for (const std::string& name : moves) {
    if (fs::is_directory(fs::symlink_status(out_dir / name, ec))) {
      why = fmt::format(kCmdIsAFolder, (out_dir / name).string());
      return false;
    }
  }
  fs::create_directory(kept, ec);
  if (!ec) fs::create_directory(kept / kNewFolder, ec);
  struct Done {
    std::string name;
    bool moved_in;  // else only moved aside
    bool was_kept;
  };
  std::vector<Done> done;
  auto undo = [&] {
    std::error_code ignored;
    for (auto it = done.rbegin(); it != done.rend(); ++it) {
      if (it->moved_in) fs::rename(out_dir / it->name, stage / it->name, ignored);
      if (it->was_kept) fs::rename(kept / it->name, out_dir / it->name, ignored);
    }
  };
  auto fail = [&](const std::string& name, const std::error_code& error) {
    why = fmt::format(kCmdCannotWrite, (out_dir / name).string(), SystemReason(error.value()));
    undo();
    return false;
  };
  if (ec) return fail(std::string(kKeptFolder), ec);
  for (size_t k = 0; k < moves.size() + drop.size(); ++k) {
    const bool move_in = k < moves.size();
    const std::string& name = move_in ? moves[k] : drop[k - moves.size()];
    const bool exists = fs::exists(fs::symlink_status(out_dir / name, ec));
    if (!exists && !move_in) continue;
    if (exists) {
      fs::rename(out_dir / name, kept / name, ec);
      if (ec) return fail(name, ec);
    } else {
      const fs::path marker = kept / kNewFolder / name;
      const int fd = open(marker.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
      if (fd < 0 || close(fd) != 0) return fail(name, std::error_code(errno, std::generic_category()));
    }
    done.push_back({name, false, exists});
    if (!move_in) continue;
    fs::rename(stage / name, out_dir / name, ec);
    if (ec) return fail(name, ec);
    done.back().moved_in = true;
  }
  fs::rename(kept, stage / kDoneFolder, ec);
  Discard();
  return true;
}

void OutputStage::Discard() {
  if (dir_.empty()) return;
  std::error_code ec;
  fs::remove_all(dir_, ec);
  dir_.clear();
}

int16_t WriteJavaProgram(TranslationContext& ctx, OutputStage& stage, bool force) {
  const std::string name = GetProgramName(ctx);
  const fs::path out_dir = ctx.outputDir.empty() ? fs::path(".") : fs::path(ctx.outputDir);
  const fs::path syslib = fs::path(ctx.appDir) / "SysLib";
  std::error_code ec;
  if (!fs::is_directory(syslib, ec)) {
    ctx.failureText = fmt::format(kCmdRuntimeMissing, syslib.string());
    return 1;
  }
  // The files of the program's name: written by Corvel and unchanged since,
  // or replaced only when the user says so. javac's class goes with them: a
  // folder in its place is refused before javac runs.
  std::map<std::string, std::string> manifest = ReadManifest(out_dir);
  for (const char* ext : {".java", ".lines", ".html", ".class"}) {
    const fs::path path = out_dir / (name + ext);
    const fs::file_status status = fs::symlink_status(path, ec);
    if (fs::is_directory(status)) {
      ctx.failureText = fmt::format(kCmdIsAFolder, path.string());
      return 1;
    }
    if (force || !fs::exists(status) || std::string_view(ext) == ".class") continue;
    std::string data;
    const auto entry = manifest.find(name + ext);
    if (!fs::is_regular_file(status) || entry == manifest.end() || !ReadWhole(path, data) ||
        Checksum(data) != entry->second) {
      ctx.failureText = fmt::format(kCmdNotWrittenByCorvel, path.string());
      return 1;
    }
  }
  std::string why;
  JavaFile java = BuildJavaFile(ctx);
  const std::pair<std::string, std::string> texts[] = {
      {name + ".java", std::move(java.text)},
      {name + ".lines", BuildLineMap(ctx, java.corvelLines)},
      {name + ".html", BuildHtmlPage(ctx)},
  };
  for (const auto& [file, text] : texts) {
    manifest[file] = Checksum(text);
    if (!stage.Write(file, text, why)) {
      ctx.failureText = why;
      return 1;
    }
  }
  // Each runtime class with its nested classes' Name$*.class files.
  std::vector<std::string> runtime_classes = RuntimeClassesNeeded(ctx);
  for (const auto& entry : fs::directory_iterator(syslib, ec)) {
    const std::string file = entry.path().filename().string();
    const size_t dollar = file.find('$');
    if (dollar != std::string::npos && EndsWith(file, ".class") &&
        std::find(runtime_classes.begin(), runtime_classes.end(), file.substr(0, dollar)) != runtime_classes.end()) {
      runtime_classes.push_back(file.substr(0, file.size() - 6));
    }
  }
  for (const std::string& runtime_class : runtime_classes) {
    const fs::path file = syslib / (runtime_class + ".class");
    std::string data;
    if (!ReadWhole(file, data)) {
      ctx.failureText = fmt::format(kCmdCannotCopy, file.string(), SystemReason(errno));
      return 1;
    }
    if (!stage.Write(file.filename().string(), data, why)) {
      ctx.failureText = why;
      return 1;
    }
  }
  std::string listed = std::string(kManifestHeader) + "\n";
  for (const auto& [file, checksum] : manifest) listed += checksum + "\t" + file + "\n";
  if (!stage.Write(std::string(kManifestName), listed, why)) {
    ctx.failureText = why;
    return 1;
  }
  ctx.javaCorvelLines = std::move(java.corvelLines);
  return 0;
}

int16_t CommitProgram(TranslationContext& ctx, OutputStage& stage) {
  const std::string name = GetProgramName(ctx);
  const fs::path out_dir = ctx.outputDir.empty() ? fs::path(".") : fs::path(ctx.outputDir);
  // The program's old classes that this compile did not write: Name.class
  // and its nested classes' Name$*.class.
  std::vector<std::string> drop;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(out_dir, ec)) {
    const std::string file = entry.path().filename().string();
    const bool own = file == name + ".class" || (file.rfind(name + "$", 0) == 0 && EndsWith(file, ".class"));
    if (own && !fs::exists(fs::path(stage.Dir()) / file, ec)) drop.push_back(file);
  }
  std::string why;
  if (!stage.Commit(drop, why)) {
    ctx.failureText = why;
    return 1;
  }
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
  // The JAR is made in a stage of its own; the viewer finds its page through
  // a file at the JAR's root, kept in a folder below the stage so that the
  // commit moves only the JAR.
  OutputStage stage;
  std::string why;
  if (!stage.Open(out_dir.string(), why)) {
    ctx.failureText = why;
    return 1;
  }
  const std::string stage_name = fs::path(stage.Dir()).filename().string();
  const fs::path page_dir = fs::path(stage.Dir()) / "page";
  fs::create_directory(page_dir, ec);
  if (!ec) std::ofstream(page_dir / "KWC_Viewer.page", std::ios::binary) << name << ".html\n";
  if (ec || !fs::is_regular_file(page_dir / "KWC_Viewer.page", ec)) {
    ctx.failureText = fmt::format(kCmdCannotWriteFolder, page_dir.string());
    return 1;
  }
  std::vector<std::string> argv = {tool.string(), "--create", "--file", stage_name + "/" + name + ".jar",
                                   "--main-class", "KWC_Viewer"};
  for (const std::string& file : entries) argv.push_back(file);
  for (const std::string& a : {std::string("-C"), stage_name + "/page", std::string("KWC_Viewer.page")}) argv.push_back(a);
  std::string output;
  const int status = RunProgram(argv, out_dir.string(), true, why, &output, JavaToolEnvironment());
  if (status != 0 || !stage.Commit({}, why)) {
    ctx.failureText = fmt::format("{}: {}", tool.string(), !why.empty() ? why : output);
    return 1;
  }
  return 0;
}

}  // namespace corvel
