// What the window programs answer before Qt starts, so that it works
// without a display.
#pragma once

#include <cstdio>
#include <cstring>

namespace corvel {

// Prints `help` for -h/--help, or "<name> <version>" for --version; true
// when one was answered and the program should end.
inline bool AnsweredHelpOrVersion(int argc, char** argv, const char* help, const char* name_and_version) {
  for (int k = 1; k < argc; ++k) {
    if (std::strcmp(argv[k], "--help") == 0 || std::strcmp(argv[k], "-h") == 0) {
      std::fputs(help, stdout);
      return true;
    }
    if (std::strcmp(argv[k], "--version") == 0) {
      std::puts(name_and_version);
      return true;
    }
  }
  return false;
}

}  // namespace corvel
