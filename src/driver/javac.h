// Finding the Java tools: the folder of javac, beside which jar and java
// are found too. They are started through RunProgram (system/process.h).
#pragma once

#include <string>
#include <string_view>

#include "system/process.h"

namespace corvel {

// The folder holding javac (or javac.exe): `given` when it does, else the
// folder of javac on PATH, else $JAVA_HOME/bin. "" when there is none.
std::string FindJavacDir(std::string_view given);

// Whether `dir` holds an executable javac or javac.exe; `path` receives it.
bool HoldsJavac(const std::string& dir, std::string& path);

}  // namespace corvel
