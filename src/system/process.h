// Starting other programs: the Java tools (javac, jar, java) are all started
// through here, by the writer as by the front ends. It knows nothing of a
// translation, so every layer may use it.
#pragma once

#include <string>
#include <vector>

namespace corvel {

// Starts `argv` (argv[0] a path) in the folder `cwd`, without a shell. With
// `wait` returns its exit status (128 + signal when killed), else 0 once
// started. -1 when it could not be started, with `why`. With `wait` and an
// `output`, what the program writes on standard output and error is
// collected there instead of going where ours goes.
int RunProgram(const std::vector<std::string>& argv, const std::string& cwd, bool wait, std::string& why,
               std::string* output = nullptr);

}  // namespace corvel
