#include "system/compile_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include <fmt/format.h>

#include "system/process.h"

namespace corvel {
namespace {

// How long an interrupt may go unnoticed while a reply is awaited.
constexpr int kPollMs = 50;
// A server that says nothing for this long is taken as lost: javac does the work.
constexpr int kSilenceMs = 120'000;

// The folder of the user's servers: made when missing, taken only when it
// is a folder of the user's that nobody else may enter.
std::string PrivateFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string folder = runtime != nullptr && runtime[0] == '/'
                                 ? std::string(runtime) + "/corvel"
                                 : fmt::format("/tmp/corvel-{}", getuid());
  mkdir(folder.c_str(), 0700);
  struct stat info = {};
  if (lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid() ||
      (info.st_mode & 077) != 0) {
    return "";
  }
  return folder;
}

}  // namespace

std::string CompileServerSocket(const std::string& java, const std::string& syslib) {
  // A machine short of memory, or a test that wants nothing left behind.
  const char* off = std::getenv("CORVEL_NO_COMPILE_SERVER");
  if (off != nullptr && off[0] != '\0') return "";
  const std::string folder = PrivateFolder();
  if (folder.empty()) return "";
  // One server per Java and per build of the service: a newer one never
  // talks to an older one, which ends once unused.
  struct stat service = {};
  const std::string classes = syslib + "/KWC_Service.class";
  if (stat(classes.c_str(), &service) != 0) return "";
  std::error_code ec;
  const std::string key = fmt::format("{}\n{}\n{}\n{}", std::filesystem::absolute(java, ec).string(),
                                      std::filesystem::absolute(syslib, ec).string(), service.st_size,
                                      service.st_mtim.tv_sec * 1'000'000'000LL + service.st_mtim.tv_nsec);
  const std::string socket = fmt::format("{}/compile-{:016x}", folder, std::hash<std::string>{}(key));
  // A socket's path has a small limit.
  return socket.size() < sizeof(sockaddr_un{}.sun_path) ? socket : "";
}

int CompileInServer(const std::string& socket, const std::string& dir, const std::string& name,
                    std::string_view release, std::string& output) {
  // A request is one line of tab-separated fields.
  if (socket.empty() || (dir + name).find_first_of("\t\n") != std::string::npos) return -1;
  // Never blocking: a server whose queue is full is no server.
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return -1;
  sockaddr_un address = {};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, socket.c_str(), socket.size() + 1);
  int status = -1;
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
    const std::string request = fmt::format("compile\t{}\t{}\t{}\n", dir, name, release);
    // A server that has gone must not end us with SIGPIPE.
    bool sent = send(fd, request.data(), request.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(request.size());
    std::string reply;
    size_t length = 0, head = std::string::npos;
    for (int silent = 0; sent && Interrupted() == 0 && silent < kSilenceMs;) {
      pollfd wait = {fd, POLLIN, 0};
      const int ready = poll(&wait, 1, kPollMs);
      if (ready == 0) {
        silent += kPollMs;
        continue;
      }
      char buffer[4096];
      const ssize_t n = ready < 0 ? -1 : read(fd, buffer, sizeof buffer);
      if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      if (n <= 0) break;
      silent = 0;
      reply.append(buffer, static_cast<size_t>(n));
      if (head == std::string::npos) {
        if ((head = reply.find('\n')) == std::string::npos) continue;
        int said = -1;
        if (std::sscanf(reply.c_str(), "compiled\t%d\t%zu", &said, &length) != 2 || said < 0) break;
        status = said;
      }
      if (reply.size() >= head + 1 + length) {
        output = reply.substr(head + 1, length);
        break;
      }
    }
    // Anything short of the whole reply: nothing is known of the compile.
    if (head == std::string::npos || reply.size() < head + 1 + length) status = -1;
  }
  close(fd);
  return status;
}

void StartCompileServer(const std::string& java, const std::string& syslib, const std::string& socket,
                        const std::string& dir, const std::string& name, std::string_view release) {
  if (socket.empty() || (dir + name).find_first_of("\t\n") != std::string::npos) return;
  const std::vector<std::string> argv = {java,   "-XX:+UseSerialGC", "-cp", syslib, "KWC_Service", "--serve",
                                         socket, dir,                name,  std::string(release)};
  std::vector<char*> args = ExecPointers(argv);
  const std::vector<std::string> env_strings = ChangedEnvironment(JavaToolEnvironment());
  std::vector<char*> env = ExecPointers(env_strings);
  std::fflush(stdout);
  std::fflush(stderr);
  // Twice forked: the server is nobody's child, in a session of its own, so
  // that neither our end nor the terminal's signals reach it.
  const pid_t child = fork();
  if (child < 0) return;
  if (child == 0) {
    if (fork() != 0) _exit(0);
    setsid();
    setpriority(PRIO_PROCESS, 0, 19);
    const int none = open("/dev/null", O_RDWR);
    if (none < 0 || dup2(none, 0) < 0 || dup2(none, 1) < 0 || dup2(none, 2) < 0) _exit(127);
    if (chdir("/") != 0) _exit(127);
    // Nothing of ours or of our caller's stays open in it for its life: a
    // caller reading our output to its end would wait for the server's.
    if (close_range(3, ~0U, 0) != 0) {
      for (long k = 3, open_max = sysconf(_SC_OPEN_MAX); k < open_max; ++k) close(static_cast<int>(k));
    }
    struct sigaction plain = {};
    plain.sa_handler = SIG_DFL;
    for (int s : {SIGINT, SIGTERM, SIGPIPE, SIGHUP, SIGXFSZ}) sigaction(s, &plain, nullptr);
    sigset_t none_blocked;
    sigemptyset(&none_blocked);
    sigprocmask(SIG_SETMASK, &none_blocked, nullptr);
    execve(args[0], args.data(), env.data());
    _exit(127);
  }
  while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace corvel
