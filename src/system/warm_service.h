// The client of the compile service (runtime/KWC_Service.java): one JVM,
// our child, that compiles a program where javac would and runs it in the
// viewer, so that neither starts a JVM of its own. Kept alive, its compiler
// stays loaded and compiled to machine code: a program is compiled in a
// fraction of javac's time and run at once.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>
#include <vector>

namespace corvel {

class WarmService {
 public:
  WarmService() = default;
  WarmService(const WarmService&) = delete;
  WarmService& operator=(const WarmService&) = delete;
  ~WarmService() { Stop(); }

  // Starts the service's JVM (`java` with `jvm_options`, the classes in
  // `syslib`) in `cwd`, where the viewer runs programs; standard input,
  // output and error are ours. false with `why` when it cannot be started.
  bool Start(const std::string& java, const std::vector<std::string>& jvm_options, const std::string& syslib,
             const std::string& cwd, std::string& why);
  bool Started() const { return pid_ > 0; }

  // Compiles `dir`/`name`.java as javac started in `dir` does; `output`
  // gets what javac would print. javac's exit status; -1 when the service
  // is lost (or an interrupt came), with `why`.
  int Compile(const std::string& dir, const std::string& name, std::string_view release, std::string& output,
              std::string& why);
  // Compiles it again a few times in the background, into a folder of the
  // service's own: later compiles run at full speed.
  void Warm(const std::string& dir, const std::string& name, std::string_view release);

  // Starts the viewer with `args` on the program in `dir`, stopping the
  // program that runs. WaitRun tells when it has ended.
  bool Run(const std::string& dir, const std::vector<std::string>& args);
  bool Running() const { return running_; }
  // The viewer's exit status once the run has ended (the JVM's, should it
  // end with the run); -1 while it runs after `timeout_ms` (-1: no limit)
  // or when an interrupt came.
  int WaitRun(int timeout_ms);
  // Stops the running program, its threads and its window.
  void StopRun();

  // Ends the JVM, whatever it runs, and waits for it.
  void Stop();

 private:
  bool Send(const std::string& line);
  // One reply line; false on the end of the replies, an interrupt or after
  // `timeout_ms` (-1: no limit).
  bool ReadLine(std::string& line, int timeout_ms);
  bool ReadBytes(size_t count, std::string& out);
  bool Fill(int timeout_ms);
  int Reap();

  pid_t pid_ = -1;
  int requests_ = -1;
  int replies_ = -1;
  std::string pending_;  // replies read but not yet taken
  bool running_ = false;
  int exit_status_ = -1;  // the JVM's, once reaped
};

}  // namespace corvel
