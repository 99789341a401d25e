// Starting other programs: the Java tools (javac, jar, java) are all started
// through here, by the writer as by the front ends. It knows nothing of a
// translation, so every layer may use it. Also the process's signals, and
// the system's reasons in the user's words.
#pragma once

#include <string>
#include <vector>

namespace corvel {

// Starts `argv` (argv[0] a path) in the folder `cwd`, without a shell. With
// `wait` returns its exit status (128 + signal when killed), else 0 once
// started. -1 when it could not be started, with `why`. With `wait` and an
// `output`, what the program writes on standard output and error is
// collected there instead of going where ours goes. `environment` changes
// the child's environment: "NAME=value" sets, a bare "NAME" removes.
int RunProgram(const std::vector<std::string>& argv, const std::string& cwd, bool wait, std::string& why,
               std::string* output = nullptr, const std::vector<std::string>& environment = {});

// The environment after `changes` (as RunProgram takes them), as execve
// wants it; built before fork, since a child may only make
// async-signal-safe calls.
std::vector<std::string> ChangedEnvironment(const std::vector<std::string>& changes);

// The null-ended pointers execve wants for `strings`, which must outlive
// them; built before fork, as ChangedEnvironment is.
std::vector<char*> ExecPointers(const std::vector<std::string>& strings);

// The environment the Java tools get: their own class path (never the
// user's CLASSPATH) and a UTF-8 locale, whatever the user's.
const std::vector<std::string>& JavaToolEnvironment();

// From now on SIGINT and SIGTERM do not end the process: they are recorded,
// a program RunProgram waits for is ended, and a blocking call returns
// EINTR, so that the caller can roll back and end itself. SIGXFSZ is
// ignored: a write past the file size limit fails as a full disk does. For
// a single-threaded front end (the command).
void CatchInterrupts();

// The signal caught since CatchInterrupts, or 0.
int Interrupted();

// The system's reason for `error` (an errno value), in Japanese for the
// common ones, else as the system words it.
std::string SystemReason(int error);

}  // namespace corvel
