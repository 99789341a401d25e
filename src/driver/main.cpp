// corvel: translates a Corvel program into a Java program from the command line.
#include <CLI/CLI.hpp>
#include <fmt/format.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "diag/report_forms.h"
#include "driver/file_paths.h"
#include "driver/heap.h"
#include "driver/javac.h"
#include "driver/pipeline.h"
#include "expr/library.h"
#include "context/context.h"

namespace {

namespace fs = std::filesystem;

// Exit statuses that scripts and tests rely on.
constexpr int kExitOk = 0;
constexpr int kExitProgramFault = 1;
constexpr int kExitFailure = 2;
constexpr int kExitJavacFailed = 3;

struct Options {
  std::string source;
  std::string outputDir;
  std::string appDir;
  std::string javacDir;
  std::string encoding = "auto";
  bool noJavac = false;
  bool detach = false;
  bool quiet = false;
  bool timePasses = false;
  int partSize = 0;
  bool run = false;
  bool jar = false;
  std::string diagnostics = "default";
};

// Reports are built with CR LF between lines; a terminal wants LF.
std::string WithLf(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out.push_back(text[i]);
  }
  return out;
}

int Fail(const std::string& text) {
  std::fprintf(stderr, "corvel: %s\n", text.c_str());
  return kExitFailure;
}

}  // namespace

int main(int argc, char** argv) {
  corvel::PrepareHeap();
  Options opt;
  CLI::App app{"Translates a Corvel program (.txt) into a Java program and compiles it with javac."};
  app.set_version_flag("--version", std::string("corvel ") + CORVEL_VERSION);
  app.add_option("SOURCE", opt.source, "The Corvel program, a .txt file")->required();
  app.add_option("-o,--output", opt.outputDir, "Output folder (default: the folder of SOURCE)");
  app.add_option("--app-dir", opt.appDir, "The translator's folder, holding SysLib/");
  app.add_option("--javac-dir", opt.javacDir, "Folder holding javac (default: javac on PATH, else $JAVA_HOME/bin)");
  app.add_flag("--no-javac", opt.noJavac, "Translate and write the files, but do not start javac");
  app.add_flag("--detach", opt.detach, "Start javac and return at once");
  app.add_option("--encoding", opt.encoding, "Source encoding (auto: UTF-8 when valid, else CP932)")
      ->check(CLI::IsMember({"auto", "utf-8", "cp932"}));
  app.add_flag("--run", opt.run, "After javac succeeds, run the program in the viewer");
  app.add_flag("--jar", opt.jar, "After javac succeeds, also write PROGRAM.jar (run it with java -jar)");
  app.add_option("--diagnostics", opt.diagnostics,
                 "How faults are printed: default (the report) or gnu (SOURCE:LINE:COLUMN: error: MESSAGE)")
      ->check(CLI::IsMember({"default", "gnu"}));
  app.add_flag("-q,--quiet", opt.quiet, "No status texts");
  app.add_flag("--time-passes", opt.timePasses, "Print the time of each pass on standard error");
  app.add_flag_callback(
      "--list-library",
      [] {
        for (const std::string& form : corvel::LibraryForms()) std::printf("%s\n", form.c_str());
        throw CLI::Success();
      },
      "Print every form of every library entry, then exit");
  // For tests: cut every program longer than this many characters of Java
  // into parts of this size.
  app.add_option("--part-size", opt.partSize)->check(CLI::Range(1, 1000000))->group("");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? kExitOk : kExitFailure;
  }

  std::error_code ec;
  const fs::path source(opt.source);
  if (!fs::exists(source, ec)) return Fail(fmt::format("{}: no such file", opt.source));
  if (!fs::is_regular_file(source, ec)) return Fail(fmt::format("{}: not a regular file", opt.source));
  if (access(source.c_str(), R_OK) != 0) return Fail(fmt::format("{}: cannot be read", opt.source));

  corvel::TranslationContext ctx;
  ctx.encoding = opt.encoding == "utf-8"   ? corvel::SourceEncoding::kUtf8
                 : opt.encoding == "cp932" ? corvel::SourceEncoding::kCp932
                                           : corvel::SourceEncoding::kAuto;
  if (opt.partSize > 0) ctx.methodSize = ctx.partSize = static_cast<size_t>(opt.partSize);
  // Texts are written whole: a report shows the user's line, which may hold any byte.
  const bool gnu = opt.diagnostics == "gnu";
  ctx.reporter = [&opt, gnu](const corvel::Fault& fault) {
    const std::string report = gnu ? corvel::GnuReport(opt.source, fault) + "\n"
                                   : std::string(fault.title) + "\n" + WithLf(corvel::ReportText(fault)) + "\n";
    std::fwrite(report.data(), 1, report.size(), stderr);
    const std::string hint = gnu ? corvel::GnuNote(opt.source, fault) : corvel::HintLine(fault);
    if (!hint.empty()) std::fprintf(stderr, "%s\n", hint.c_str());
  };
  ctx.status = [quiet = opt.quiet](std::string_view text) {
    if (quiet || text.empty()) return;
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
  };

  corvel::CompileInputs inputs;
  const fs::path source_dir = source.parent_path();
  inputs.sourceDir = source_dir.empty() ? "." : source_dir.string();
  inputs.sourceFileName = source.filename().string();
  inputs.outputDir = opt.outputDir.empty() ? inputs.sourceDir : opt.outputDir;
  inputs.appDir = opt.appDir.empty() ? corvel::DefaultAppDir() : opt.appDir;
  inputs.javacDir = opt.javacDir;
  inputs.javac = opt.noJavac ? corvel::JavacMode::kNone
                 : opt.detach ? corvel::JavacMode::kDetach
                              : corvel::JavacMode::kWait;
  if (opt.timePasses) {
    inputs.onPassTimed = [](std::string_view pass, double ms) {
      std::fprintf(stderr, "pass %.*s: %.3f ms\n", static_cast<int>(pass.size()), pass.data(), ms);
    };
  }

  if (opt.run && (opt.noJavac || opt.detach)) return Fail("--run needs javac to finish: drop --no-javac and --detach");
  if (opt.jar && opt.noJavac) return Fail("--jar needs javac: drop --no-javac");
  if (opt.jar) inputs.javac = corvel::JavacMode::kWait;  // the JAR holds what javac made
  inputs.jar = opt.jar;
  // javac's output as it gave it, then each of its errors traced to the
  // Corvel line it came from.
  inputs.onJavacOutput = [&ctx, &opt, gnu](std::string_view output) {
    std::fwrite(output.data(), 1, output.size(), stderr);
    const std::string traced = corvel::JavacErrorLines(
        corvel::GetProgramName(ctx) + ".java", opt.source, output, ctx.javaCorvelLines, ctx.sourceLines,
        gnu ? corvel::DiagnosticsForm::kGnu : corvel::DiagnosticsForm::kReport);
    std::fwrite(traced.data(), 1, traced.size(), stderr);
  };
  switch (corvel::CompileProgram(ctx, inputs)) {
    case corvel::CompileResult::kTranslated:
    case corvel::CompileResult::kNotStarted:
    case corvel::CompileResult::kJavacCancelled:  // only the wizard cancels
      break;
    case corvel::CompileResult::kProgramFault:
      return kExitProgramFault;
    case corvel::CompileResult::kJavacFailed:
      return kExitJavacFailed;
    case corvel::CompileResult::kFailure:
    case corvel::CompileResult::kInternalError:
      return Fail(ctx.failureText);
  }
  if (!opt.run) return kExitOk;
  // The viewer runs the compiled program from the output folder, in a window
  // when there is a display.
  const fs::path java = fs::path(ctx.javacDir) / "java";
  std::vector<std::string> viewer = {java.string(), "-cp", ".", "KWC_Viewer"};
  if (std::getenv("DISPLAY") == nullptr) viewer.insert(viewer.end(), {"--headless", "--dump-text", "-"});
  if (gnu) viewer.emplace_back("--diagnostics=gnu");
  viewer.push_back(corvel::GetProgramName(ctx) + ".html");
  std::string why;
  const int status = corvel::RunProgram(viewer, ctx.outputDir, true, why);
  if (status < 0) return Fail(java.string() + ": " + why);
  return status;
}
