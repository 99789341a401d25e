// corvel: translates a Corvel program into a Java program from the command line.
#include <CLI/CLI.hpp>
#include <fmt/format.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "diag/report_forms.h"
#include "diag/command_texts.h"
#include "driver/file_paths.h"
#include "driver/heap.h"
#include "driver/javac.h"
#include "driver/pipeline.h"
#include "expr/library.h"
#include "context/context.h"
#include "system/compile_server.h"
#include "system/warm_service.h"

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
  bool watch = false;
  std::string input;  // with --run or --watch: the lines INPUT reads; "-" = standard input
  bool jar = false;
  bool force = false;
  bool optimize = false;
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

// CLI11's IsMember, saying in Japanese what may be given.
CLI::Validator OneOf(std::vector<std::string> choices) {
  std::string listed;
  for (const std::string& choice : choices) listed += (listed.empty() ? "" : ", ") + choice;
  return CLI::Validator(
      [choices, listed](std::string& value) {
        for (const std::string& choice : choices) {
          if (value == choice) return std::string();
        }
        return fmt::format(corvel::kCmdNotOneOf, value, listed);
      },
      "{" + listed + "}");
}

// A parse error as one Japanese line (CLI11's own words are English), then
// where to find the usage.
std::string ParseFailure(const CLI::App* /*app*/, const CLI::Error& e) {
  // CLI11 words these "<what>: <names>", with the arguments or the option last or first.
  const std::string what = e.what();
  const size_t colon = what.find(": ");
  std::string text;
  if (dynamic_cast<const CLI::ExtrasError*>(&e) != nullptr && colon != std::string::npos) {
    text = fmt::format(corvel::kCmdExtraArguments, what.substr(colon + 2));
  } else if (dynamic_cast<const CLI::ArgumentMismatch*>(&e) != nullptr && colon != std::string::npos) {
    text = fmt::format(corvel::kCmdNeedsValue, what.substr(0, colon));
  } else if (dynamic_cast<const CLI::RequiredError*>(&e) != nullptr) {
    text = corvel::kCmdNoSource;
  } else if (dynamic_cast<const CLI::ValidationError*>(&e) != nullptr) {
    text = what;  // "--option: " and the validator's own Japanese text
  } else {
    text = fmt::format(corvel::kCmdBadOptions, what);
  }
  return fmt::format("corvel: {}\n{}\n", text, corvel::kCmdSeeHelp);
}

std::string JavaPath(const corvel::TranslationContext& ctx) { return (fs::path(ctx.javacDir) / "java").string(); }

// The viewer's arguments for the program's page, in the output folder.
// Without a window the program reads INPUT from standard input unless told
// otherwise, and its text screen is printed when it ends.
std::vector<std::string> ViewerArguments(const Options& opt, const std::string& program) {
  std::vector<std::string> viewer;
  std::string input = opt.input;
  if (std::getenv("DISPLAY") == nullptr) {
    viewer.insert(viewer.end(), {"--headless", "--dump-text", "-"});
    if (input.empty()) input = "-";
  }
  std::error_code ec;
  if (!input.empty() && input != "-") input = fs::absolute(input, ec).string();
  if (!input.empty()) viewer.insert(viewer.end(), {"--input", input});
  if (opt.diagnostics == "gnu") viewer.emplace_back("--diagnostics=gnu");
  viewer.push_back(program + ".html");
  return viewer;
}

// Once the folder is rolled back (and the watch's service stopped), dying by
// the signal lets a calling script or make see the interrupt and stop too.
void DieBySignal() {
  const int signal_number = corvel::Interrupted();
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

// One translation of opt.source into ctx, compiled by javac or, given one,
// by the compile service (a watch's), or the user's compile server (--run;
// `unserved` gets the server's socket when none answered there). -1 when it
// succeeded, else the command's exit status.
int Translate(const Options& opt, corvel::TranslationContext& ctx, corvel::WarmService* service,
              std::string* unserved = nullptr) {
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
  // Status goes where reports go: standard output is the program's, under --run.
  ctx.status = [quiet = opt.quiet](std::string_view text) {
    if (quiet || text.empty()) return;
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
  };

  corvel::CompileInputs inputs;
  const fs::path source(opt.source);
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

  // The command speaks once javac has ended, below.
  inputs.javacStartedStatus = "";
  inputs.javacDetachedStatus = corvel::kCmdJavacDetached;
  if (opt.jar) inputs.javac = corvel::JavacMode::kWait;  // the JAR holds what javac made
  inputs.jar = opt.jar;
  inputs.force = opt.force;
  // javac's output as it gave it, then each of its errors traced to the
  // Corvel line it came from.
  inputs.onJavacOutput = [&ctx, &opt, gnu](std::string_view output) {
    std::fwrite(output.data(), 1, output.size(), stderr);
    const std::string traced = corvel::JavacErrorLines(
        corvel::GetProgramName(ctx) + ".java", opt.source, output, ctx.javaCorvelLines, ctx.sourceLines,
        gnu ? corvel::DiagnosticsForm::kGnu : corvel::DiagnosticsForm::kReport);
    std::fwrite(traced.data(), 1, traced.size(), stderr);
  };
  if (service != nullptr) {
    inputs.runProcess = [&ctx, &opt, service, unserved](const std::vector<std::string>& javac, const std::string& cwd,
                                                      bool wait, std::string& why, std::string* output) {
      std::error_code ec;
      const std::string out_dir = fs::absolute(ctx.outputDir.empty() ? "." : ctx.outputDir, ec).string();
      const std::string syslib = (fs::path(ctx.appDir) / "SysLib").string();
      if (!opt.watch) {
        // --run: the program's JVM starts while javac compiles, and runs it
        // at once when javac is done. javac's own JVM, tuned for a short
        // compile, would run the program at a third of its speed.
        std::vector<std::string> options;
        for (std::string_view o : corvel::kViewerJvmOptions) options.emplace_back(o);
        if (!service->Started() && !service->Start(JavaPath(ctx), options, syslib, out_dir, why)) return -1;
        // A compile server left warm by an earlier command does javac's
        // work in a fraction of its time; without one, javac does.
        std::string said;
        const std::string socket = corvel::CompileServerSocket(JavaPath(ctx), syslib);
        const int status = corvel::CompileInServer(socket, fs::absolute(cwd, ec).string(), corvel::GetProgramName(ctx),
                                                   corvel::kJavaRelease, said);
        if (unserved != nullptr) *unserved = status >= 0 ? std::string() : socket;
        if (status >= 0) {
          if (output != nullptr) *output = said;
          return status;
        }
        if (corvel::Interrupted() != 0) return -1;
        return corvel::RunProgram(javac, cwd, wait, why, output, corvel::JavaToolEnvironment());
      }
      // A watch compiles in the service that stays: its compiler, loaded
      // and compiled to machine code, does javac's work in the stage.
      std::string said;
      int status = -1;
      for (int attempt = 0; attempt < 2 && corvel::Interrupted() == 0; ++attempt) {
        // A service that has ended (its window was closed) gives way to another.
        if (!service->Started() && !service->Start(JavaPath(ctx), {"-XX:+UseSerialGC"}, syslib, out_dir, why)) return -1;
        status = service->Compile(fs::absolute(cwd, ec).string(), corvel::GetProgramName(ctx), corvel::kJavaRelease,
                                  said, why);
        if (status >= 0) break;
      }
      if (output != nullptr) *output = said;
      return status;
    };
  }
  // A watch wants the result fast: it translates to the fast form.
  inputs.optimize = opt.optimize || opt.watch;
  switch (corvel::CompileProgram(ctx, inputs)) {
    case corvel::CompileResult::kTranslated:
    case corvel::CompileResult::kNotStarted:
    case corvel::CompileResult::kJavacCancelled:  // only the wizard cancels
      break;
    case corvel::CompileResult::kProgramFault:
      return kExitProgramFault;
    case corvel::CompileResult::kJavacFailed:
      ctx.status(corvel::kCmdJavacFailed);
      return kExitJavacFailed;
    case corvel::CompileResult::kFailure:
    case corvel::CompileResult::kInternalError:
      return Fail(ctx.failureText);
    case corvel::CompileResult::kInterrupted:
      Fail(std::string(corvel::kCmdInterrupted));
      if (!opt.watch) DieBySignal();
      return 128 + corvel::Interrupted();
  }
  if (inputs.javac == corvel::JavacMode::kWait) {
    ctx.status(fmt::format(corvel::kCmdJavacDone, corvel::OutputPath(ctx, corvel::GetProgramName(ctx) + ".html")));
  }
  return -1;
}

// What tells a save: a new file renamed in place changes the inode, one
// written over changes its time or its size.
struct FileStamp {
  ino_t inode = 0;
  off_t size = -1;
  timespec modified = {};
  bool operator==(const FileStamp& o) const {
    return inode == o.inode && size == o.size && modified.tv_sec == o.modified.tv_sec &&
           modified.tv_nsec == o.modified.tv_nsec;
  }
};

FileStamp StampOf(const std::string& path) {
  FileStamp stamp;
  struct stat info = {};
  if (stat(path.c_str(), &info) == 0) stamp = {info.st_ino, info.st_size, info.st_mtim};
  return stamp;
}

// How often the source is looked at: a save is picked up within this time.
constexpr int kWatchPollMs = 10;

// --watch: the program translated, compiled and run through one compile
// service that stays, again on every save; the running program is stopped
// first. Reports and runtime errors are printed and the watch goes on; only
// an interrupt ends it, with the service.
int Watch(const Options& opt) {
  corvel::WarmService service;
  FileStamp seen = StampOf(opt.source);
  bool warmed = false;
  while (corvel::Interrupted() == 0) {
    service.StopRun();
    corvel::TranslationContext ctx;
    if (Translate(opt, ctx, &service) < 0 && corvel::Interrupted() == 0) {
      std::error_code ec;
      const std::string dir = fs::absolute(ctx.outputDir.empty() ? "." : ctx.outputDir, ec).string();
      const std::string program = corvel::GetProgramName(ctx);
      service.Run(dir, ViewerArguments(opt, program));
      // Compiled again in the background, the compiler is at full speed by the next save.
      if (!warmed) service.Warm(dir, program, corvel::kJavaRelease);
      warmed = true;
    }
    // A save may come as several writes: the file is taken once it holds still.
    for (FileStamp now = seen; corvel::Interrupted() == 0;) {
      if (service.Running()) {
        service.WaitRun(kWatchPollMs);
      } else {
        poll(nullptr, 0, kWatchPollMs);
      }
      const FileStamp next = StampOf(opt.source);
      if (next == now && !(now == seen)) break;
      now = next;
    }
    seen = StampOf(opt.source);
  }
  service.Stop();
  Fail(std::string(corvel::kCmdWatchEnded));
  DieBySignal();
  return 128 + corvel::Interrupted();
}

}  // namespace

int main(int argc, char** argv) {
  corvel::PrepareHeap();
  Options opt;
  CLI::App app{std::string(corvel::kCmdAbout), "corvel"};
  app.footer(std::string(corvel::kCmdFooter));
  app.failure_message(ParseFailure);
  const auto formatter = app.get_formatter();
  formatter->label("Usage", std::string(corvel::kCmdLabelUsage));
  formatter->label("OPTIONS", std::string(corvel::kCmdLabelOptions));
  formatter->label("Positionals", std::string(corvel::kCmdLabelPositionals));
  formatter->label("REQUIRED", std::string(corvel::kCmdLabelRequired));
  app.option_defaults()->group(std::string(corvel::kCmdLabelOptions));
  app.set_help_flag("-h,--help", std::string(corvel::kCmdHelpHelp));
  app.set_version_flag("--version", std::string("corvel ") + CORVEL_VERSION, std::string(corvel::kCmdHelpVersion));
  // CLI11 aligns the help by bytes: the names of values stay ASCII.
  const std::string folder = "DIR", file = "FILE", choice = "";
  app.add_option("SOURCE", opt.source, std::string(corvel::kCmdHelpSource))->required()->type_name("");
  app.add_option("-o,--output", opt.outputDir, std::string(corvel::kCmdHelpOutput))->type_name(folder);
  app.add_option("--app-dir", opt.appDir, std::string(corvel::kCmdHelpAppDir))->type_name(folder);
  app.add_option("--javac-dir", opt.javacDir, std::string(corvel::kCmdHelpJavacDir))->type_name(folder);
  app.add_flag("--no-javac", opt.noJavac, std::string(corvel::kCmdHelpNoJavac));
  app.add_flag("--detach", opt.detach, std::string(corvel::kCmdHelpDetach));
  app.add_option("--encoding", opt.encoding, std::string(corvel::kCmdHelpEncoding))
      ->check(OneOf({"auto", "utf-8", "cp932"}))
      ->type_name(choice);
  app.add_flag("--run", opt.run, std::string(corvel::kCmdHelpRun));
  app.add_flag("--watch", opt.watch, std::string(corvel::kCmdHelpWatch));
  app.add_option("--input", opt.input, std::string(corvel::kCmdHelpInput))->type_name(file);
  app.add_flag("--jar", opt.jar, std::string(corvel::kCmdHelpJar));
  app.add_flag("--force", opt.force, std::string(corvel::kCmdHelpForce));
  app.add_flag("-O", opt.optimize, std::string(corvel::kCmdHelpOptimize));
  app.add_option("--diagnostics", opt.diagnostics, std::string(corvel::kCmdHelpDiagnostics))
      ->check(OneOf({"default", "gnu"}))
      ->type_name(choice);
  app.add_flag("-q,--quiet", opt.quiet, std::string(corvel::kCmdHelpQuiet));
  app.add_flag("--time-passes", opt.timePasses, std::string(corvel::kCmdHelpTimePasses));
  app.add_flag_callback(
      "--list-library",
      [] {
        for (const std::string& form : corvel::LibraryForms()) std::printf("%s\n", form.c_str());
        throw CLI::Success();
      },
      std::string(corvel::kCmdHelpListLibrary));
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
  if (!fs::exists(source, ec)) return Fail(fmt::format(corvel::kCmdNoSuchFile, opt.source));
  if (!fs::is_regular_file(source, ec)) return Fail(fmt::format(corvel::kCmdNotRegularFile, opt.source));
  if (access(source.c_str(), R_OK) != 0) return Fail(fmt::format(corvel::kCmdCannotRead, opt.source));
  if (opt.run && (opt.noJavac || opt.detach)) return Fail(std::string(corvel::kCmdRunNeedsJavac));
  if (opt.watch && (opt.noJavac || opt.detach || opt.run)) return Fail(std::string(corvel::kCmdWatchNeedsJavac));
  if (opt.jar && opt.noJavac) return Fail(std::string(corvel::kCmdJarNeedsJavac));
  if (!opt.input.empty() && !opt.run && !opt.watch) return Fail(std::string(corvel::kCmdInputNeedsRun));
  // Ctrl+C and kill end javac and roll the output folder back.
  corvel::CatchInterrupts();
  if (opt.watch) return Watch(opt);

  corvel::TranslationContext ctx;
  corvel::WarmService service;
  std::string unserved;
  const int failed = Translate(opt, ctx, opt.run ? &service : nullptr, &unserved);
  if (failed >= 0) return failed;
  if (!opt.run) return kExitOk;
  // The service that compiled the program runs it from the output folder,
  // in a window when there is a display.
  const std::string dir = fs::absolute(ctx.outputDir.empty() ? "." : ctx.outputDir, ec).string();
  if (!unserved.empty()) {
    // For the next --run: a compile server, warmed on this program while it runs.
    corvel::StartCompileServer(JavaPath(ctx), (fs::path(ctx.appDir) / "SysLib").string(), unserved, dir,
                               corvel::GetProgramName(ctx), corvel::kJavaRelease);
  }
  if (!service.Run(dir, ViewerArguments(opt, corvel::GetProgramName(ctx)))) {
    return Fail(fmt::format(corvel::kCmdCannotStart, JavaPath(ctx), std::strerror(EPIPE)));
  }
  const int status = service.WaitRun(-1);
  if (corvel::Interrupted() != 0) DieBySignal();
  return status;
}
