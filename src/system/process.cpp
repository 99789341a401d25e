#include "system/process.h"

#include <fmt/format.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "diag/command_texts.h"

namespace corvel {

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
    if (WEXITSTATUS(status) == 127) why = fmt::format(kCmdNotStarted, argv[0]);
    return WEXITSTATUS(status);
  }
  return 128 + WTERMSIG(status);
}

}  // namespace corvel
