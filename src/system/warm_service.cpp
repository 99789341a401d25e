#include "system/warm_service.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "system/process.h"

namespace corvel {
namespace {

// The service reads its requests on descriptor 3 and replies on 4: the
// standard ones stay the program's.
constexpr int kRequestFd = 3;
constexpr int kReplyFd = 4;
// How long an interrupt may go unnoticed while a reply is awaited.
constexpr int kPollMs = 50;
// A JVM asked to end gets this long before it is killed.
constexpr int kEndGraceMs = 1000;

}  // namespace

bool WarmService::Start(const std::string& java, const std::vector<std::string>& jvm_options,
                        const std::string& syslib, const std::string& cwd, std::string& why) {
  int to_service[2], from_service[2];
  if (pipe2(to_service, O_CLOEXEC) != 0) {
    why = SystemReason(errno);
    return false;
  }
  if (pipe2(from_service, O_CLOEXEC) != 0) {
    why = SystemReason(errno);
    close(to_service[0]), close(to_service[1]);
    return false;
  }
  std::vector<std::string> argv = {java};
  argv.insert(argv.end(), jvm_options.begin(), jvm_options.end());
  argv.insert(argv.end(), {"-cp", syslib, "KWC_Service"});
  std::vector<char*> args = ExecPointers(argv);
  const std::vector<std::string> env_strings = ChangedEnvironment(JavaToolEnvironment());
  std::vector<char*> env = ExecPointers(env_strings);
  std::fflush(stdout);
  std::fflush(stderr);
  pid_ = fork();
  if (pid_ < 0) {
    why = SystemReason(errno);
    for (int fd : {to_service[0], to_service[1], from_service[0], from_service[1]}) close(fd);
    return false;
  }
  if (pid_ == 0) {
    // Out of the way of 3 and 4 first: a pipe may already be one of them.
    const int in = fcntl(to_service[0], F_DUPFD, 10), out = fcntl(from_service[1], F_DUPFD, 10);
    if (in < 0 || out < 0 || dup2(in, kRequestFd) < 0 || dup2(out, kReplyFd) < 0) _exit(127);
    // The service ends with its client: Ctrl+C at a terminal is the client's.
    signal(SIGINT, SIG_IGN);
    if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(127);
    execve(args[0], args.data(), env.data());
    _exit(127);
  }
  close(to_service[0]);
  close(from_service[1]);
  requests_ = to_service[1];
  replies_ = from_service[0];
  pending_.clear();
  running_ = false;
  exit_status_ = -1;
  return true;
}

bool WarmService::Send(const std::string& line) {
  if (requests_ < 0) return false;
  const std::string text = line + "\n";
  // A service that has ended must not end us with SIGPIPE.
  struct sigaction ignore = {}, old = {};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGPIPE, &ignore, &old);
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(requests_, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  sigaction(SIGPIPE, &old, nullptr);
  return done == text.size();
}

bool WarmService::Fill(int timeout_ms) {
  const auto start = std::chrono::steady_clock::now();
  for (;;) {
    if (Interrupted() != 0 || replies_ < 0) return false;
    int wait_ms = kPollMs;
    bool last = false;  // the time is up: one look without waiting
    if (timeout_ms >= 0) {
      const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
      const int left = timeout_ms - static_cast<int>(spent.count());
      last = left <= 0;
      wait_ms = std::max(0, std::min(wait_ms, left));
    }
    pollfd fd = {replies_, POLLIN, 0};
    if (poll(&fd, 1, wait_ms) <= 0) {
      if (last) return false;
      continue;
    }
    char buffer[4096];
    const ssize_t n = read(replies_, buffer, sizeof buffer);
    if (n > 0) {
      pending_.append(buffer, static_cast<size_t>(n));
      return true;
    }
    if (n < 0 && errno == EINTR) continue;
    close(replies_);
    replies_ = -1;
    return false;
  }
}

bool WarmService::ReadLine(std::string& line, int timeout_ms) {
  size_t end;
  while ((end = pending_.find('\n')) == std::string::npos) {
    if (!Fill(timeout_ms)) return false;
  }
  line = pending_.substr(0, end);
  pending_.erase(0, end + 1);
  return true;
}

bool WarmService::ReadBytes(size_t count, std::string& out) {
  while (pending_.size() < count) {
    if (!Fill(-1)) return false;
  }
  out = pending_.substr(0, count);
  pending_.erase(0, count);
  return true;
}

int WarmService::Compile(const std::string& dir, const std::string& name, std::string_view release,
                         std::string& output, std::string& why) {
  std::string line;
  if (Send("compile\t" + dir + "\t" + name + "\t" + std::string(release))) {
    // An earlier run's end may still be on its way.
    while (ReadLine(line, -1) && line.rfind("ended\t", 0) == 0) running_ = false;
    int status = -1;
    size_t length = 0;
    if (std::sscanf(line.c_str(), "compiled\t%d\t%zu", &status, &length) == 2 && ReadBytes(length, output)) {
      return status;
    }
  }
  why = Interrupted() != 0 ? std::string() : std::string(std::strerror(EPIPE));
  Stop();
  return -1;
}

void WarmService::Warm(const std::string& dir, const std::string& name, std::string_view release) {
  Send("warm\t" + dir + "\t" + name + "\t" + std::string(release));
}

bool WarmService::Run(const std::string& dir, const std::vector<std::string>& args) {
  if (running_) StopRun();
  std::string line = "run\t" + dir;
  for (const std::string& a : args) line += "\t" + a;
  running_ = Send(line);
  return running_;
}

int WarmService::WaitRun(int timeout_ms) {
  std::string line;
  while (running_) {
    if (ReadLine(line, timeout_ms)) {
      if (line.rfind("ended\t", 0) == 0) {
        running_ = false;
        return std::atoi(line.c_str() + 6);
      }
      continue;
    }
    if (replies_ >= 0) return -1;  // still running, or interrupted
    // The JVM ended with the run (its window closed): its status is the run's.
    running_ = false;
    return Reap();
  }
  return -1;
}

void WarmService::StopRun() {
  if (!running_) return;
  std::string line;
  if (Send("stop")) {
    while (ReadLine(line, -1) && line != "stopped") {
    }
  }
  running_ = false;
}

int WarmService::Reap() {
  if (pid_ <= 0) return exit_status_;
  if (requests_ >= 0) close(requests_);
  requests_ = -1;
  // The end of its requests ends the service; one that does not listen is killed.
  int status = 0;
  pid_t ended = 0;
  for (int waited = 0; (ended = waitpid(pid_, &status, WNOHANG)) == 0 && waited < kEndGraceMs; waited += 10) {
    usleep(10000);
  }
  if (ended == 0) {
    kill(pid_, SIGKILL);
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
  }
  pid_ = -1;
  if (replies_ >= 0) close(replies_);
  replies_ = -1;
  running_ = false;
  exit_status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return exit_status_;
}

void WarmService::Stop() {
  if (pid_ > 0) Reap();
}

}  // namespace corvel
