// Random well-formed programs built from every block, nested up to six deep,
// with and without jumps, and with procedures that call each other and
// themselves (each call one level less deep): the translator must accept
// each one, javac must compile every generated class, and the first ones
// must run to an end, a runtime error or the time limit, never to a fault
// of the runtime or of the generated Java.
//   corvel_random_programs SYSLIB_PARENT_DIR [count] [seed]
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "diag/report_forms.h"
#include "driver/pipeline.h"

namespace {

namespace fs = std::filesystem;

class ProgramGenerator {
 public:
  explicit ProgramGenerator(unsigned seed) : random_(seed) {}

  std::string Program() {
    out_.clear();
    procedures_ = Pick(3);
    Unit("L", "2", "END");
    for (int j = 1; j <= procedures_; ++j) {
      const std::string sub = "P" + std::to_string(j);
      Line(0, "SUB " + sub + "(BYVAL N AS INTEGER, R AS LONG)");
      Line(1, "IF N <= 0 THEN EXIT SUB");
      Line(1, "R = R + N");
      Unit(sub + "L", "N - 1", "EXIT SUB");
      Line(0, "END SUB");
      const std::string function = "Q" + std::to_string(j);
      Line(0, "FUNCTION " + function + "%(BYVAL N AS INTEGER)");
      Line(1, function + " = N");
      Line(1, "IF N <= 0 THEN EXIT FUNCTION");
      Unit(function + "L", "N - 1", "EXIT FUNCTION");
      Line(0, "END FUNCTION");
    }
    return out_;
  }

 private:
  // The variables, statements and jump targets of the main program or a
  // procedure body; calls pass `depth` on, `leave` ends the unit.
  void Unit(const std::string& labels, const std::string& depth, const std::string& leave) {
    labels_ = labels;
    depth_ = depth;
    Line(1, "DIM I AS INTEGER, K AS LONG, X AS SINGLE, D AS DOUBLE, S AS STRING, B AS BOOLEAN");
    Line(1, "DIM F1 AS INTEGER, F2 AS INTEGER, F3 AS LONG, F4 AS INTEGER, F5 AS DOUBLE, F6 AS INTEGER");
    Line(1, "DIM A(10) AS INTEGER");
    const int statements = 3 + Pick(6);
    for (int k = 0; k < statements; ++k) Statement(1, 0, false, false);
    Line(1, leave);
    // Targets of every GOTO and GOSUB stand outside every block.
    for (int k = 1; k <= 3; ++k) {
      Line(1, "*" + labels_ + std::to_string(k) + ": PRINT " + std::to_string(k));
      Line(1, "RETURN");
    }
  }

  int Pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

  void Line(int depth, const std::string& text) {
    out_.append(static_cast<size_t>(depth) * 4, ' ');
    out_ += text + "\r\n";
  }

  std::string Number() {
    const char* numbers[] = {"0", "1", "2", "3", "10", "(-1)", "2.5", "&H10", "100000"};
    return numbers[Pick(9)];
  }

  std::string Numeric() {
    const char* places[] = {"I", "K", "X", "D", "A(1)", "A(I MOD 10)", "Len(S)", "Abs(K)"};
    switch (Pick(5)) {
      case 0: return Number();
      case 1: return places[Pick(8)];
      case 2: return Numeric() + " + " + Numeric();
      case 3: return "(" + Numeric() + ") * " + Number();
      default: return places[Pick(8)] + std::string(" - ") + Number();
    }
  }

  std::string Condition() {
    const char* relations[] = {" > ", " < ", " = ", " <> ", " >= ", " <= "};
    switch (Pick(5)) {
      case 0: return "B";
      case 1: return Numeric();
      case 2: return "S = \"a\"";
      case 3: return Numeric() + relations[Pick(6)] + Numeric() + " AND NOT B";
      default: return Numeric() + relations[Pick(6)] + Numeric();
    }
  }

  std::string Simple(bool in_for, bool in_do) {
    if (procedures_ > 0 && Pick(6) == 0) {
      const std::string j = std::to_string(1 + Pick(procedures_));
      return Pick(2) == 0 ? "P" + j + " " + depth_ + ", K" : "I = Q" + j + "%(" + depth_ + ") MOD 7";
    }
    switch (Pick(in_for || in_do ? 9 : 8)) {
      case 0: return "I = " + Numeric();
      case 1: return "X = " + Numeric() + " / 3";
      case 2: return "S = S + \"a\"";
      case 3: return "PRINT " + Numeric() + "; S";
      case 4: return "B = " + Numeric() + " > 1";
      case 5: return "GOTO " + labels_ + std::to_string(1 + Pick(3));
      case 6: return "GOSUB " + labels_ + std::to_string(1 + Pick(3));
      case 7: return "A(2) = " + Numeric();
      default: return in_for && (!in_do || Pick(2) == 0) ? "EXIT FOR" : "EXIT DO";
    }
  }

  void Block(int depth, int nesting, bool in_for, bool in_do) {
    const int statements = 1 + Pick(3);
    for (int k = 0; k < statements; ++k) Statement(depth, nesting, in_for, in_do);
  }

  void Statement(int depth, int nesting, bool in_for, bool in_do) {
    if (nesting >= 6 || Pick(3) == 0) {
      Line(depth, Simple(in_for, in_do));
      return;
    }
    const int d = depth + 1;
    switch (Pick(7)) {
      case 0:
        Line(depth, "IF " + Condition() + " THEN");
        Block(d, nesting + 1, in_for, in_do);
        if (Pick(2) == 0) {
          Line(depth, "ELSEIF " + Condition() + " THEN");
          Block(d, nesting + 1, in_for, in_do);
        }
        if (Pick(2) == 0) {
          Line(depth, "ELSE");
          Block(d, nesting + 1, in_for, in_do);
        }
        Line(depth, "END IF");
        return;
      case 1:
        Line(depth, "IF " + Condition() + " THEN " + Simple(in_for, in_do) +
                        (Pick(2) == 0 ? " ELSE " + Simple(in_for, in_do) : std::string()));
        return;
      case 2: {
        const std::string v = "F" + std::to_string(nesting + 1);
        Line(depth, "FOR " + v + " = " + Number() + " TO " + Numeric() + (Pick(2) == 0 ? " STEP " + Number() : ""));
        Block(d, nesting + 1, true, in_do);
        Line(depth, Pick(2) == 0 ? "NEXT" : "NEXT " + v);
        return;
      }
      case 3:
        Line(depth, "WHILE " + Condition());
        Block(d, nesting + 1, in_for, in_do);
        Line(depth, "WEND");
        return;
      case 4:
        Line(depth, std::string(Pick(2) == 0 ? "DO WHILE " : "DO UNTIL ") + Condition());
        Block(d, nesting + 1, in_for, true);
        Line(depth, "LOOP");
        return;
      case 5:
        Line(depth, "DO");
        Block(d, nesting + 1, in_for, true);
        Line(depth, std::string(Pick(2) == 0 ? "LOOP WHILE " : "LOOP UNTIL ") + Condition());
        return;
      default: {
        const bool text = Pick(3) == 0;
        Line(depth, text ? "SELECT CASE S" : "SELECT CASE " + std::string(Pick(2) == 0 ? "I" : "X"));
        const int cases = 1 + Pick(3);
        for (int c = 0; c < cases; ++c) {
          if (text) {
            Line(depth, "CASE \"a\", \"b" + std::to_string(c) + "\"");
          } else {
            const char* items[] = {"1", "2, 3", "4 TO 6", "IS > 7", "-1", "0"};
            Line(depth, std::string("CASE ") + items[Pick(6)]);
          }
          Block(d, nesting + 1, in_for, in_do);
        }
        if (Pick(2) == 0) {
          Line(depth, "CASE ELSE");
          Block(d, nesting + 1, in_for, in_do);
        }
        Line(depth, "END SELECT");
        return;
      }
    }
  }

  std::mt19937 random_;
  std::string out_;
  int procedures_ = 0;  // SUBs P1.. and FUNCTIONs Q1.. of the program
  std::string labels_;  // the unit's label prefix
  std::string depth_;   // the depth argument of its calls
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s APP_DIR [count] [seed]\n", argv[0]);
    return 2;
  }
  const int count = argc > 2 ? std::atoi(argv[2]) : 300;
  const unsigned seed = argc > 3 ? static_cast<unsigned>(std::atoi(argv[3])) : 20261206u;
  // A folder of this process's own: test runs of other build folders may run at the same time.
  const fs::path work =
      fs::temp_directory_path() / ("corvel_random_programs_" + std::to_string(seed) + "_" + std::to_string(getpid()));
  fs::remove_all(work);
  fs::create_directories(work / "src");
  ProgramGenerator generator(seed);
  int translated = 0;
  for (int n = 0; n < count; ++n) {
    const std::string name = "Gen" + std::to_string(n);
    const std::string program = generator.Program();
    std::FILE* file = std::fopen((work / "src" / (name + ".txt")).c_str(), "wb");
    std::fwrite(program.data(), 1, program.size(), file);
    std::fclose(file);
    // Each in the command's form and in the fast one (-O), which must not
    // tell apart from it.
    for (const bool optimize : {false, true}) {
      corvel::TranslationContext ctx;
      std::string report;
      ctx.reporter = [&](const corvel::Fault& fault) { report = corvel::ReportText(fault); };
      corvel::CompileInputs inputs;
      inputs.appDir = argv[1];
      inputs.sourceDir = (work / "src").string();
      inputs.sourceFileName = name + ".txt";
      inputs.outputDir = (work / (optimize ? "fast" : "out")).string();
      inputs.optimize = optimize;
      if (corvel::CompileProgram(ctx, inputs) != corvel::CompileResult::kTranslated) {
        std::fprintf(stderr, "%s was rejected:\n%s%s\n%s\n", name.c_str(), program.c_str(), report.c_str(),
                     ctx.failureText.c_str());
        return 1;
      }
    }
    ++translated;
  }
  int status = 0;
  for (const char* form : {"out", "fast"}) {
    const std::string javac = "cd '" + (work / form).string() + "' && javac -encoding UTF-8 -nowarn Gen*.java";
    status |= std::system(javac.c_str());
  }
  std::printf("%d programs generated, %d translated, javac %s\n", count, translated, status == 0 ? "compiled all" : "FAILED");
  // Run the first ones: exit 0, 1 (a runtime error such as RETURN without
  // GOSUB) and 124 (the time limit) are all sound; the runtime's message for
  // a fault it did not foresee, or any other status, is not.
  const int runs = status == 0 ? std::min(count, 25) : 0;
  for (int n = 0; n < runs; ++n) {
    const std::string name = "Gen" + std::to_string(n);
    int codes[2];
    std::string texts[2];
    for (int form = 0; form < 2; ++form) {
      const std::string out = (work / (form == 0 ? "out" : "fast")).string();
      const std::string log = out + "/" + name + ".log";
      const std::string run = "cd '" + out + "' && java -cp . KWC_Viewer --headless --dump-text - --timeout-ms 1500 " +
                              name + ".html >'" + log + "' 2>&1";
      const int raw = std::system(run.c_str());
      const int code = codes[form] = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128;
      std::string& text = texts[form];
      if (std::FILE* f = std::fopen(log.c_str(), "rb")) {
        char buffer[4096];
        size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, got);
        std::fclose(f);
      }
      if ((code != 0 && code != 1 && code != 124) || text.find("予期しない障害") != std::string::npos) {
        std::fprintf(stderr, "%s ran to exit %d:\n%s\n", name.c_str(), code, text.c_str());
        status = 1;
      }
    }
    // A run cut off by the time limit shows as much as it got to.
    if (codes[0] != 124 && codes[1] != 124 && (codes[0] != codes[1] || texts[0] != texts[1])) {
      std::fprintf(stderr, "%s ran otherwise with -O:\n%s\n-- -O: --\n%s\n", name.c_str(), texts[0].c_str(),
                   texts[1].c_str());
      status = 1;
    }
  }
  std::printf("%d programs run\n", runs);
  if (status == 0) fs::remove_all(work);
  return status == 0 ? 0 : 1;
}
