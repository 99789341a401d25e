// Finding and starting the Java tools: javac for the generated file, java
// for the viewer.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvel {

// The folder holding javac (or javac.exe): `given` when it does, else the
// folder of javac on PATH, else $JAVA_HOME/bin. "" when there is none.
std::string FindJavacDir(std::string_view given);

// Whether `dir` holds an executable javac or javac.exe; `path` receives it.
bool HoldsJavac(const std::string& dir, std::string& path);

// Starts `argv` (argv[0] a path) in the folder `cwd`, without a shell. With
// `wait` returns its exit status (128 + signal when killed), else 0 once
// started. -1 when it could not be started, with `why`. With `wait` and an
// `output`, what the program writes on standard output and error is
// collected there instead of going where ours goes.
int RunProgram(const std::vector<std::string>& argv, const std::string& cwd, bool wait, std::string& why,
               std::string* output = nullptr);

}  // namespace corvel
