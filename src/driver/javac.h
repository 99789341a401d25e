// Finding the Java tools: the folder of javac, beside which jar and java
// are found too. They are started through RunProgram (system/process.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "system/process.h"

namespace corvel {

// The folder holding javac (or javac.exe): `given` when it does, else the
// folder of javac on PATH, else $JAVA_HOME/bin. "" when there is none.
std::string FindJavacDir(std::string_view given);

// The Java version the runtime is compiled for (set once, in the build),
// and so the one every program is compiled for: a newer JDK's classes
// would not run on the runtime's Java.
inline constexpr std::string_view kJavaRelease = CORVEL_JAVA_RELEASE;

// javac's arguments for <program>.java in its working folder, which holds
// every class the program needs: that folder is its whole class path, and
// its classes are written there.
std::vector<std::string> JavacArguments(const std::string& javac, const std::string& program);

// The options of the JVM that runs a program in the viewer: the serial
// collector starts fastest, and a program's hot loops, compiled once by the
// optimizing compiler rather than first by the quick one, run up to twice
// as fast (the quick tier's profile of a long main loop misleads it).
inline constexpr std::string_view kViewerJvmOptions[] = {"-XX:+UseSerialGC", "-XX:-TieredCompilation"};

// Whether `dir` holds an executable javac or javac.exe; `path` receives it.
bool HoldsJavac(const std::string& dir, std::string& path);

}  // namespace corvel
