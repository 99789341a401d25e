#include "driver/pipeline.h"

#include <fmt/format.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <clocale>
#include <cwctype>
#include <filesystem>
#include <set>

#include "checks/block_matching.h"
#include "checks/options.h"
#include "checks/placement.h"
#include "diag/command_texts.h"
#include "driver/javac.h"
#include "emit/output_files.h"
#include "expr/library.h"
#include "source/source_reader.h"
#include "source/text_encoding.h"
#include "stmt/dispatcher.h"
#include "stmt/procedure_bodies.h"
#include "symbols/declarations.h"
#include "symbols/procedures.h"
#include "system/process.h"

namespace corvel {
namespace {

namespace fs = std::filesystem;

// The procedure pass: every header is declared before any body is
// translated, since a body may call a procedure declared after it. It is
// one pass, timed and numbered as DeclareProcedures.
int16_t DeclareAndTranslateProcedures(TranslationContext& ctx) {
  if (DeclareProcedures(ctx) != 0) return 1;
  return TranslateProcedureBodies(ctx);
}

constexpr PassSlot kPasses[] = {
    {"ReadSourceFile", ReadSourceFile},
    {"CheckPlacement", CheckPlacement},
    {"ProcessOptions", ProcessOptions},
    {"RunDeclarationsPass", RunDeclarationsPass},
    {"MatchBlocks", MatchBlocks},
    {"DeclareProcedures", DeclareAndTranslateProcedures},
    {"TranslateMainProgram", TranslateMainProgram},
};

bool EndsWithTxt(std::string_view name) {
  if (name.size() <= 4) return false;
  std::string ext(name.substr(name.size() - 4));
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".txt";
}

// A missing folder is created when the files are written; it must then lie
// in a writable folder.
bool CheckOutputDir(const std::string& dir, std::string_view& why) {
  std::error_code ec;
  fs::path path = dir.empty() ? fs::path(".") : fs::path(dir);
  if (fs::exists(path, ec)) {
    if (!fs::is_directory(path, ec)) {
      why = kCmdOutputNotFolder;
      return false;
    }
    if (access(path.c_str(), W_OK | X_OK) != 0) {
      why = kCmdOutputNotWritable;
      return false;
    }
    return true;
  }
  fs::path parent = fs::absolute(path, ec).parent_path();
  while (!parent.empty() && !fs::exists(parent, ec)) parent = parent.parent_path();
  if (parent.empty() || !fs::is_directory(parent, ec) || access(parent.c_str(), W_OK | X_OK) != 0) {
    why = kCmdOutputUncreatable;
    return false;
  }
  return true;
}

void ShowStatus(TranslationContext& ctx, std::string_view text) {
  if (ctx.status) ctx.status(text);
}

// Detached, javac is waited for by a process of our own that ends at once,
// leaving a grandchild that holds the lock and the stage, and moves the
// classes in when javac has succeeded. false when no process could be made.
bool CompileDetached(TranslationContext& ctx, OutputStage& stage, const std::vector<std::string>& argv,
                     const std::string& dir) {
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    const pid_t grandchild = fork();
    if (grandchild < 0) _exit(1);
    if (grandchild != 0) _exit(0);
    std::string why;
    const int status = RunProgram(argv, dir, true, why, nullptr, JavaToolEnvironment());
    if (status != 0 || Interrupted() != 0) {
      stage.Discard();
      _exit(1);
    }
    if (CommitProgram(ctx, stage) != 0) {
      ShowStatus(ctx, ctx.failureText);
      _exit(1);
    }
    _exit(0);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return false;  // no grandchild: the stage stays ours
  stage.HandOver();
  return true;
}

CompileResult RunPipeline(TranslationContext& ctx, const CompileInputs& inputs) {

  InitTranslation(ctx);
  InitLibrary(ctx);
  SetAppDir(ctx, inputs.appDir);
  SetSourceDir(ctx, inputs.sourceDir);
  SetSourceFileName(ctx, inputs.sourceFileName);
  SetOutputDir(ctx, inputs.outputDir);
  SetJavacDir(ctx, inputs.javacDir);
  ctx.optimize = inputs.optimize;

  const std::string source_path =
      ctx.sourceDir.empty() ? ctx.sourceFileName : ctx.sourceDir + "/" + ctx.sourceFileName;
  if (!EndsWithTxt(ctx.sourceFileName)) {
    ctx.failureText = fmt::format(kCmdNotTxt, source_path);
    return CompileResult::kFailure;
  }
  if (!IsValidProgramName(GetProgramName(ctx))) {
    ctx.failureText = fmt::format(kCmdBadProgramName, source_path, GetProgramName(ctx),
                                  SuggestProgramName(GetProgramName(ctx)) + ".txt");
    return CompileResult::kFailure;
  }
  std::string_view folder_fault;
  if (!CheckOutputDir(ctx.outputDir, folder_fault)) {
    ctx.failureText = fmt::format(fmt::runtime(folder_fault), ctx.outputDir.empty() ? "." : ctx.outputDir);
    return CompileResult::kFailure;
  }

  // javac is looked for first, so that a run that cannot compile leaves the
  // output folder as it was.
  std::string javac;
  bool javac_cancelled = false;  // the user closed the JDK window: translate only
  if (inputs.javac != JavacMode::kNone) {
    std::string dir = FindJavacDir(ctx.javacDir);
    while ((dir.empty() || !HoldsJavac(dir, javac)) && inputs.askJavacDir) {
      const std::string answer = inputs.askJavacDir();
      if (answer.empty()) {
        javac_cancelled = true;
        break;
      }
      dir = FindJavacDir(answer);
    }
    if (!javac_cancelled) {
      if (dir.empty() || !HoldsJavac(dir, javac)) {
        ctx.failureText =
            ctx.javacDir.empty() ? std::string(kCmdJavacNotFound) : fmt::format(kCmdNoJavacHere, ctx.javacDir);
        return CompileResult::kFailure;
      }
      // absolute: the tools beside javac (jar, java) are started in the output folder
      std::error_code ec;
      SetJavacDir(ctx, fs::absolute(dir, ec).string());
    }
  }

  ShowStatus(ctx, kStatusTranslating);
  for (const PassSlot& pass : kPasses) {
    const auto start = std::chrono::steady_clock::now();
    const int16_t failed = pass.run(ctx);
    if (inputs.onPassTimed) {
      const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
      inputs.onPassTimed(pass.name, elapsed.count());
    }
    if (failed != 0) {
      ShowStatus(ctx, "");
      return ctx.failureText.empty() ? CompileResult::kProgramFault : CompileResult::kFailure;
    }
  }
  if (Interrupted() != 0) return CompileResult::kInterrupted;
  ShowStatus(ctx, kStatusCopying);
  // One translation at a time per folder; what dead ones left is cleared
  // under the lock, so no live translation's files are touched.
  const std::string out_dir = ctx.outputDir.empty() ? "." : ctx.outputDir;
  std::error_code ec;
  fs::create_directories(out_dir, ec);
  if (ec) {
    ctx.failureText = fmt::format(kCmdCannotCreateOutput, out_dir, SystemReason(ec.value()));
    return CompileResult::kFailure;
  }
  FolderLock lock;
  std::string why;
  if (!lock.Take(out_dir, [&] { ShowStatus(ctx, kCmdWaitingForFolder); }, why)) {
    ctx.failureText = why;
    return Interrupted() != 0 ? CompileResult::kInterrupted : CompileResult::kFailure;
  }
  ClearDeadRuns(out_dir);
  OutputStage stage;
  if (!stage.Open(out_dir, why)) {
    ctx.failureText = why;
    return CompileResult::kFailure;
  }
  if (WriteJavaProgram(ctx, stage, inputs.force) != 0) return CompileResult::kFailure;
  if (Interrupted() != 0) return CompileResult::kInterrupted;
  // Without a compile here, the new files go in now; the program's old
  // classes go out with them.
  if (inputs.javac == JavacMode::kNone || javac_cancelled || inputs.javacInPlace) {
    if (CommitProgram(ctx, stage) != 0) return CompileResult::kFailure;
    if (inputs.javac == JavacMode::kNone) return CompileResult::kTranslated;
  }
  if (javac_cancelled) {
    ShowStatus(ctx, "");
    return CompileResult::kJavacCancelled;
  }

  ShowStatus(ctx, kStatusCompiling);
  const bool wait = inputs.javac == JavacMode::kWait;
  ShowStatus(ctx, wait ? inputs.javacStartedStatus : inputs.javacDetachedStatus);
  const std::vector<std::string> argv = JavacArguments(javac, GetProgramName(ctx));
  const std::string javac_dir = inputs.javacInPlace ? out_dir : stage.Dir();
  if (!wait && !inputs.runProcess) {
    if (!CompileDetached(ctx, stage, argv, javac_dir)) {
      ctx.failureText = fmt::format(kCmdCannotStart, javac, SystemReason(errno));
      return CompileResult::kFailure;
    }
    return CompileResult::kTranslated;
  }
  std::string output;
  const int status = inputs.runProcess
                         ? inputs.runProcess(argv, javac_dir, wait, why, wait && inputs.onJavacOutput ? &output : nullptr)
                         : RunProgram(argv, javac_dir, wait, why, wait && inputs.onJavacOutput ? &output : nullptr,
                                      JavaToolEnvironment());
  if (Interrupted() != 0) return CompileResult::kInterrupted;
  if (status < 0 || (status == 127 && !why.empty())) {
    ctx.failureText = javac + ": " + why;
    return CompileResult::kFailure;
  }
  if (wait && inputs.onJavacOutput) inputs.onJavacOutput(output);
  if (status != 0) return CompileResult::kJavacFailed;
  if (!inputs.javacInPlace && CommitProgram(ctx, stage) != 0) return CompileResult::kFailure;
  if (inputs.jar && wait && WriteJar(ctx) != 0) return CompileResult::kFailure;
  return CompileResult::kTranslated;
}

}  // namespace

std::span<const PassSlot> TranslationPasses() { return kPasses; }

CompileResult CompileProgram(TranslationContext& ctx, const CompileInputs& inputs) {
  if (!inputs.sourceChosen) return CompileResult::kNotStarted;
  // No fault of the translator may end the process: whatever escapes a pass
  // becomes one failure line, and the pending output files are removed as
  // the exception unwinds the writer.
  try {
    return RunPipeline(ctx, inputs);
  } catch (const std::bad_alloc&) {
    ctx.failureText = kCmdOutOfMemory;
  } catch (const std::exception& e) {
    ctx.failureText = fmt::format(kCmdInternalError, e.what());
  } catch (...) {
    ctx.failureText = kCmdInternalErrorUnknown;
  }
  ShowStatus(ctx, "");
  return CompileResult::kInternalError;
}

}  // namespace corvel
