#include "driver/javac.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace corvel {

namespace fs = std::filesystem;

bool HoldsJavac(const std::string& dir, std::string& path) {
  for (const char* name : {"javac", "javac.exe"}) {
    const fs::path candidate = (dir.empty() ? fs::path(".") : fs::path(dir)) / name;
    std::error_code ec;
    if (fs::is_regular_file(candidate, ec) && access(candidate.c_str(), X_OK) == 0) {
      path = fs::absolute(candidate, ec).string();  // the child starts in another folder
      return true;
    }
  }
  return false;
}

std::string FindJavacDir(std::string_view given) {
  std::string path;
  if (!given.empty()) return HoldsJavac(std::string(given), path) ? std::string(given) : std::string();
  if (const char* env_path = std::getenv("PATH")) {
    std::string_view rest = env_path;
    while (!rest.empty()) {
      const size_t colon = rest.find(':');
      const std::string dir(rest.substr(0, colon));
      if (!dir.empty() && HoldsJavac(dir, path)) return dir;
      if (colon == std::string_view::npos) break;
      rest.remove_prefix(colon + 1);
    }
  }
  if (const char* java_home = std::getenv("JAVA_HOME")) {
    const std::string dir = (fs::path(java_home) / "bin").string();
    if (HoldsJavac(dir, path)) return dir;
  }
  return {};
}

std::vector<std::string> JavacArguments(const std::string& javac, const std::string& program) {
  // javac's own JVM lives about a second: the quick first tier of the JIT
  // and the serial collector start it fastest (a third off its time).
  return {javac, "-J-XX:TieredStopAtLevel=1", "-J-XX:+UseSerialGC", "-encoding", "UTF-8", "--release",
          std::string(kJavaRelease), "-classpath", ".", "-d", ".", program + ".java"};
}

}  // namespace corvel
