#include "system/process.h"

#include <fcntl.h>
#include <fmt/format.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "diag/command_texts.h"

extern char** environ;

namespace corvel {
namespace {

// Set by the handler; the self-pipe wakes a wait that sleeps in poll, so a
// signal arriving just before it is never missed. SIGCHLD writes to it too.
volatile sig_atomic_t g_interrupt = 0;
int g_wake[2] = {-1, -1};

void OnSignal(int signal_number) {
  const int saved = errno;
  if (signal_number != SIGCHLD) g_interrupt = signal_number;
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = write(g_wake[1], &byte, 1);
  errno = saved;
}

// Waits for `pid`, reading its output from `out_fd` (-1: none) meanwhile,
// and ends it when an interrupt is caught.
int WaitFor(pid_t pid, int out_fd, std::string* output, std::string& why) {
  char buffer[4096];
  int status = 0;
  bool killed = false;
  for (;;) {
    if (g_interrupt != 0 && !killed) killed = kill(pid, SIGTERM) == 0;
    if (out_fd < 0) {
      const pid_t ended = waitpid(pid, &status, g_wake[0] >= 0 ? WNOHANG : 0);
      if (ended == pid) break;
      if (ended < 0 && errno != EINTR) {
        why = SystemReason(errno);
        return -1;
      }
      if (ended < 0) continue;
    }
    pollfd fds[2] = {{g_wake[0], POLLIN, 0}, {out_fd, POLLIN, 0}};
    if (poll(fds, 2, -1) < 0) continue;
    if (fds[0].revents != 0) {
      while (read(g_wake[0], buffer, sizeof buffer) > 0) {
      }
    }
    if (fds[1].revents != 0) {
      const ssize_t n = read(out_fd, buffer, sizeof buffer);
      if (n > 0) {
        output->append(buffer, static_cast<size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        close(out_fd);
        out_fd = -1;
      }
    }
  }
  return status;
}

}  // namespace

std::vector<std::string> ChangedEnvironment(const std::vector<std::string>& changes) {
  std::vector<std::string> result;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string_view text = *entry;
    const std::string_view name = text.substr(0, text.find('='));
    bool replaced = false;
    for (const std::string& change : changes) replaced |= std::string_view(change).substr(0, change.find('=')) == name;
    if (!replaced) result.emplace_back(text);
  }
  for (const std::string& change : changes) {
    if (change.find('=') != std::string::npos) result.push_back(change);
  }
  return result;
}

std::vector<char*> ExecPointers(const std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (const std::string& s : strings) pointers.push_back(const_cast<char*>(s.c_str()));
  pointers.push_back(nullptr);
  return pointers;
}

int RunProgram(const std::vector<std::string>& argv, const std::string& cwd, bool wait, std::string& why,
               std::string* output, const std::vector<std::string>& environment) {
  std::vector<char*> args = ExecPointers(argv);
  const std::vector<std::string> env_strings = ChangedEnvironment(environment);
  std::vector<char*> env = ExecPointers(env_strings);
  const bool capture = wait && output != nullptr;
  int pipe_ends[2] = {-1, -1};
  if (capture && pipe2(pipe_ends, O_CLOEXEC) != 0) {
    why = SystemReason(errno);
    return -1;
  }
  std::fflush(stdout);
  std::fflush(stderr);
  const pid_t pid = fork();
  if (pid < 0) {
    why = SystemReason(errno);
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
    execve(args[0], args.data(), env.data());
    _exit(127);
  }
  if (capture) close(pipe_ends[1]);
  int status = 0;
  if (wait) {
    status = WaitFor(pid, capture ? pipe_ends[0] : -1, output, why);
    if (status < 0) return -1;
  } else {
    while (waitpid(pid, &status, 0) < 0) {
      if (errno != EINTR) {
        why = SystemReason(errno);
        return -1;
      }
    }
    return 0;  // the child that started the program has ended
  }
  if (WIFEXITED(status)) {
    if (WEXITSTATUS(status) == 127) why = fmt::format(kCmdNotStarted, argv[0]);
    return WEXITSTATUS(status);
  }
  return 128 + WTERMSIG(status);
}

const std::vector<std::string>& JavaToolEnvironment() {
  static const std::vector<std::string> kEnvironment = {"CLASSPATH", "LC_ALL=C.UTF-8"};
  return kEnvironment;
}

void CatchInterrupts() {
  if (pipe2(g_wake, O_CLOEXEC | O_NONBLOCK) != 0) return;
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a blocking wait returns with EINTR and looks at the flag.
  action.sa_flags = 0;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);  // the terminal closed
  action.sa_flags = SA_RESTART | SA_NOCLDSTOP;
  sigaction(SIGCHLD, &action, nullptr);
  signal(SIGXFSZ, SIG_IGN);
}

int Interrupted() { return g_interrupt; }

std::string SystemReason(int error) {
  switch (error) {
    case ENOSPC: return std::string(kCmdReasonNoSpace);
    case EACCES: return std::string(kCmdReasonAccess);
    case EROFS: return std::string(kCmdReasonReadOnly);
    case ENOENT: return std::string(kCmdReasonMissing);
    case EEXIST: return std::string(kCmdReasonExists);
    case EISDIR: return std::string(kCmdReasonIsFolder);
    case ENOTDIR: return std::string(kCmdReasonNotFolder);
    case EFBIG: return std::string(kCmdReasonTooBig);
    case EDQUOT: return std::string(kCmdReasonQuota);
    case EIO: return std::string(kCmdReasonIo);
    default: return std::strerror(error);
  }
}

}  // namespace corvel
