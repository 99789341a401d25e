// Property run through javac: mutants of the end-to-end programs (lines
// deleted, duplicated and swapped, operators, literals and suffixes changed,
// blocks nested around lines) translated by the real corvel binary; every
// mutant it accepts must compile. A translator that accepts a program must
// give Java that javac takes.
//   corvel_mutants CORVEL SYSLIB PROGRAM_DIR COUNT [SEED]
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> ReadLines(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

class Mutator {
 public:
  explicit Mutator(unsigned seed) : random_(seed) {}

  std::vector<std::string> Mutate(std::vector<std::string> lines) {
    const int steps = 1 + Pick(3);
    for (int k = 0; k < steps && !lines.empty(); ++k) Step(lines);
    return lines;
  }

 private:
  int Pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

  template <size_t N>
  const char* Choose(const char* const (&options)[N]) {
    return options[Pick(static_cast<int>(N))];
  }

  void Step(std::vector<std::string>& lines) {
    const size_t at = static_cast<size_t>(Pick(static_cast<int>(lines.size())));
    switch (Pick(7)) {
      case 0:
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
        break;
      case 1:
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), lines[at]);
        break;
      case 2:
        std::swap(lines[at], lines[static_cast<size_t>(Pick(static_cast<int>(lines.size())))]);
        break;
      case 3: {  // an operator for another
        static const char* const kOps[] = {"+", "-", "*", "/", "\\", " MOD ", " AND ", " OR ", "=", "<", ">", "<>", "^"};
        ReplaceOne(lines[at], "+-*/\\^=<>", Choose(kOps));
        break;
      }
      case 4: {  // a literal for another
        static const char* const kLiterals[] = {"0",     "1",          "-1",         "32767",        "32768",
                                                "65536", "2147483648", "3E+9",       "1.5",          "&HFFFF",
                                                "1E+38", "255",        "4294967297", "0.000001",     "9999999999"};
        ReplaceOne(lines[at], "0123456789", Choose(kLiterals));
        break;
      }
      case 5: {  // a suffix on a name
        static const char* const kSuffixes[] = {"%", "&", "&&", "!", "#", "$", ""};
        std::string& line = lines[at];
        for (size_t i = 0; i < line.size(); ++i) {
          if (std::isalpha(static_cast<unsigned char>(line[i])) &&
              (i + 1 == line.size() || !std::isalnum(static_cast<unsigned char>(line[i + 1])))) {
            if (Pick(3) == 0) {
              line.insert(i + 1, Choose(kSuffixes));
              break;
            }
          }
        }
        break;
      }
      default: {  // a block around some lines
        const size_t end = std::min(lines.size(), at + 1 + static_cast<size_t>(Pick(4)));
        static const char* const kHeads[] = {"FOR Q% = 1 TO 2", "IF Q% = 0 THEN", "DO WHILE Q% < 0", "WHILE Q% > 5",
                                             "SELECT CASE Q%"};
        static const char* const kEnds[] = {"NEXT", "END IF", "LOOP", "WEND", "END SELECT"};
        const int kind = Pick(5);
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(end), kEnds[kind]);
        if (kind == 4) lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), "CASE 0");
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), kHeads[kind]);
        break;
      }
    }
  }

  // One character of `set` outside string literals becomes `with`.
  void ReplaceOne(std::string& line, const char* set, const std::string& with) {
    std::vector<size_t> places;
    bool in_string = false;
    for (size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '"') in_string = !in_string;
      if (!in_string && std::strchr(set, line[i]) != nullptr) places.push_back(i);
    }
    if (places.empty()) return;
    line.replace(places[static_cast<size_t>(Pick(static_cast<int>(places.size())))], 1, with);
  }

  std::mt19937 random_;
};

int Run(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: %s CORVEL SYSLIB PROGRAM_DIR COUNT [SEED]\n", argv[0]);
    return 2;
  }
  const std::string corvel = fs::absolute(argv[1]).string();
  const std::string syslib = fs::absolute(argv[2]).string();
  const int count = std::atoi(argv[4]);
  const unsigned seed = argc > 5 ? static_cast<unsigned>(std::strtoul(argv[5], nullptr, 10)) : 20261206u;
  std::vector<fs::path> programs;
  for (const auto& entry : fs::directory_iterator(argv[3])) {
    if (entry.path().extension() == ".txt") programs.push_back(entry.path());
  }
  std::sort(programs.begin(), programs.end());
  if (programs.empty()) {
    std::fprintf(stderr, "no programs in %s\n", argv[3]);
    return 2;
  }
  // A folder of this process's own: test runs of other build folders may run at the same time.
  const fs::path work =
      fs::temp_directory_path() / ("corvel_mutants_" + std::to_string(seed) + "_" + std::to_string(getpid()));
  fs::remove_all(work);
  fs::create_directories(work);
  Mutator mutator(seed);
  std::ofstream list(work / "accepted.txt");
  int accepted = 0, refused = 0, failed = 0;
  for (int n = 0; n < count; ++n) {
    const fs::path& original = programs[static_cast<size_t>(n) % programs.size()];
    const fs::path dir = work / ("m" + std::to_string(n));
    fs::create_directories(dir);
    const fs::path source = dir / ("Mut" + std::to_string(n) + ".txt");
    {
      std::ofstream out(source, std::ios::binary);
      for (const std::string& line : mutator.Mutate(ReadLines(original))) out << line << "\r\n";
    }
    // Every other mutant is cut as a long program would be: parts of a few
    // statements, and its blocks in the program-counter form; of the others,
    // every other one is in the fast form.
    const std::string cut = n % 2 == 1 ? " --part-size 100" : n % 4 == 2 ? " -O" : "";
    const int status = Run("'" + corvel + "' -q --no-javac" + cut + " '" + source.string() + "' 2>/dev/null");
    if (status == 0) {
      ++accepted;
      list << (dir / ("Mut" + std::to_string(n) + ".java")).string() << "\n";
    } else if (status == 1) {
      ++refused;
      fs::remove_all(dir);
    } else {
      ++failed;
      std::fprintf(stderr, "%s (from %s): corvel exited %d\n", source.c_str(), original.filename().c_str(), status);
    }
  }
  list.close();
  // One virtual machine compiles every accepted mutant, each on its own.
  const int javac = Run("java -cp '" + syslib + "' '" CORVEL_COMPILE_EACH "' '" + syslib + "' '" +
                        (work / "accepted.txt").string() + "'");
  std::printf("%d mutants: %d accepted, %d refused, %d translator failures; javac %s\n", count, accepted, refused,
              failed, javac == 0 ? "compiled every accepted mutant" : "FAILED on some (listed above)");
  const bool ok = failed == 0 && javac == 0;
  if (ok) fs::remove_all(work);
  return ok ? 0 : 1;
}
