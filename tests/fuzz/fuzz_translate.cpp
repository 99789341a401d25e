// libFuzzer target: the whole translation, reader through writer, in
// process, on the input bytes as a program file. The contract it checks:
// the program translates with no report, or is refused with exactly one
// report and nothing written; a failure other than undecodable bytes, and
// any escaped exception, is a finding.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include <unistd.h>

#include "diag/command_texts.h"
#include "diag/report_forms.h"
#include "driver/pipeline.h"

namespace {

namespace fs = std::filesystem;

struct Workspace {
  fs::path root;
  fs::path source_dir;
  fs::path output_dir;
  fs::path app_dir;
};

// A folder in memory when the machine has one; the runtime classes are
// empty stand-ins named after the runtime's sources, since only their
// copying is exercised.
Workspace MakeWorkspace() {
  std::error_code ec;
  const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
  Workspace w;
  w.root = base / ("corvel_fuzz_" + std::to_string(::getpid()));
  w.source_dir = w.root / "src";
  w.output_dir = w.root / "out";
  w.app_dir = w.root / "app";
  fs::create_directories(w.source_dir);
  fs::create_directories(w.output_dir);
  fs::create_directories(w.app_dir / "SysLib");
  for (const auto& entry : fs::directory_iterator(CORVEL_RUNTIME_SOURCE_DIR, ec)) {
    if (entry.path().extension() != ".java") continue;
    std::ofstream(w.app_dir / "SysLib" / (entry.path().stem().string() + ".class")) << "stand-in";
  }
  return w;
}

[[noreturn]] void Finding(const char* what, const std::string& detail) {
  std::fprintf(stderr, "FINDING: %s\n%s\n", what, detail.c_str());
  std::abort();
}

// The line map names a line of the program for each line of the Java file.
void CheckLineMap(const fs::path& java_file, const corvel::TranslationContext& ctx) {
  std::ifstream in(java_file, std::ios::binary);
  const std::string java((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  size_t lines = 0;
  for (size_t at = java.find("\r\n"); at != std::string::npos; at = java.find("\r\n", at + 2)) ++lines;
  if (lines != ctx.javaCorvelLines.size()) Finding("the line map's length", std::to_string(lines));
  for (const int line : ctx.javaCorvelLines) {
    if (line < 0 || static_cast<size_t>(line) > ctx.sourceLines.size()) Finding("a mapped line", std::to_string(line));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const Workspace w = MakeWorkspace();
  {
    std::ofstream source(w.source_dir / "Fuzz.txt", std::ios::binary | std::ios::trunc);
    source.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  std::error_code ec;
  fs::remove(w.output_dir / "Fuzz.java", ec);

  corvel::TranslationContext ctx;
  // Inputs of odd length are cut as long programs are, into tiny parts.
  if (size % 2 == 1) ctx.methodSize = ctx.partSize = 64;
  int reports = 0;
  std::string last_report;
  ctx.reporter = [&](const corvel::Fault& fault) {
    ++reports;
    last_report = std::string(fault.title) + "\n" + corvel::ReportText(fault);
    // the editors' form of every report is one line naming the source
    const std::string gnu = corvel::GnuReport("Fuzz.txt", fault);
    if (gnu.find('\n') != std::string::npos || gnu.rfind("Fuzz.txt:", 0) != 0) Finding("a report's one-line form", gnu);
  };
  corvel::CompileInputs inputs;
  inputs.appDir = w.app_dir.string();
  inputs.sourceDir = w.source_dir.string();
  inputs.sourceFileName = "Fuzz.txt";
  inputs.outputDir = w.output_dir.string();
  inputs.javac = corvel::JavacMode::kNone;
  inputs.optimize = size % 2 == 1;  // the fast form too, its passes over the Java text
  const corvel::CompileResult result = corvel::CompileProgram(ctx, inputs);
  const bool written = fs::exists(w.output_dir / "Fuzz.java", ec);
  switch (result) {
    case corvel::CompileResult::kTranslated:
      if (reports != 0) Finding("a translated program was also reported", last_report);
      if (!written) Finding("a translated program wrote no Java file", "");
      CheckLineMap(w.output_dir / "Fuzz.java", ctx);
      break;
    case corvel::CompileResult::kProgramFault:
      if (reports != 1) Finding("a refused program did not get exactly one report", std::to_string(reports));
      if (written) Finding("a refused program wrote its Java file", last_report);
      break;
    case corvel::CompileResult::kFailure:
      // The failures bytes can cause: text in neither encoding, or UTF-8
      // but for a few bytes (named after the line number its text starts with).
      if (ctx.failureText.find(corvel::kCmdNotText) == std::string::npos &&
          ctx.failureText.find(std::string_view(corvel::kCmdMostlyUtf8).substr(2)) == std::string::npos) {
        Finding("a failure that is not the program's", ctx.failureText);
      }
      break;
    default:
      Finding("internal failure", ctx.failureText);
  }
  return 0;
}
