#include "driver/javac.h"

#include <fmt/format.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace corvel {

namespace fs = std::filesystem;

bool HoldsJavac(const std::string& dir, std::string& path) {
  for (const char* name : {"javac", "javac.exe"}) {
    const fs::path candidate = (dir.empty() ? fs::path(".") : fs::path(dir)) / name;
    std::error_code ec;
    if (fs::is_regular_file(candidate, ec) && access(candidate.c_str(), X_OK) == 0) {
      path = fs::absolute(candidate, ec).string();  // the child starts in another folder
      return true;
    }
  }
  return false;
}

std::string FindJavacDir(std::string_view given) {
  std::string path;
  if (!given.empty()) return HoldsJavac(std::string(given), path) ? std::string(given) : std::string();
  if (const char* env_path = std::getenv("PATH")) {
    std::string_view rest = env_path;
    while (!rest.empty()) {
      const size_t colon = rest.find(':');
      const std::string dir(rest.substr(0, colon));
      if (!dir.empty() && HoldsJavac(dir, path)) return dir;
      if (colon == std::string_view::npos) break;
      rest.remove_prefix(colon + 1);
    }
  }
  if (const char* java_home = std::getenv("JAVA_HOME")) {
    const std::string dir = (fs::path(java_home) / "bin").string();
    if (HoldsJavac(dir, path)) return dir;
  }
  return {};
}

int RunProgram(const std::vector<std::string>& argv, const std::string& cwd, bool wait, std::string& why,
               std::string* output) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const bool capture = wait && output != nullptr;
  int pipe_ends[2] = {-1, -1};
  if (capture && pipe2(pipe_ends, O_CLOEXEC) != 0) {
    why = std::strerror(errno);
    return -1;
  }
  std::fflush(stdout);
  std::fflush(stderr);
  const pid_t pid = fork();
  if (pid < 0) {
    why = std::strerror(errno);
    if (capture) close(pipe_ends[0]), close(pipe_ends[1]);
    return -1;
  }
  if (pid == 0) {
    // A detached program is started by a child that ends at once: the
    // program is then nobody's child but init's, which reaps it, so a
    // long-lived caller (the wizard) collects no zombie processes.
    if (!wait && fork() != 0) _exit(0);
    if (capture && (dup2(pipe_ends[1], STDOUT_FILENO) < 0 || dup2(pipe_ends[1], STDERR_FILENO) < 0)) _exit(127);
    if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(127);
    execv(args[0], args.data());
    _exit(127);
  }
  if (capture) {
    close(pipe_ends[1]);
    char buffer[4096];
    for (;;) {
      const ssize_t n = read(pipe_ends[0], buffer, sizeof buffer);
      if (n > 0) {
        output->append(buffer, static_cast<size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        break;
      }
    }
    close(pipe_ends[0]);
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) {
      why = std::strerror(errno);
      return -1;
    }
  }
  if (!wait) return 0;  // the child that started the program has ended
  if (WIFEXITED(status)) {
    if (WEXITSTATUS(status) == 127) why = fmt::format("{} could not be started", argv[0]);
    return WEXITSTATUS(status);
  }
  return 128 + WTERMSIG(status);
}

}  // namespace corvel
