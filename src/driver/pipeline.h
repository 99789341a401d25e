// The compile pipeline: one translation of one program, the passes in their
// fixed order over one context, stopping at the first that fails.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "diag/messages.h"
#include "driver/file_paths.h"
#include "context/context.h"

namespace corvel {

inline constexpr std::string_view kStatusTranslating = kMsgStatusTranslating;
inline constexpr std::string_view kStatusCopying = kMsgStatusCopying;
inline constexpr std::string_view kStatusCompiling = kMsgStatusCompiling;
inline constexpr std::string_view kStatusStarted = kMsgStatusStarted;

// What happens after the files are written.
enum class JavacMode {
  kNone,    // nothing: the files are the result
  kDetach,  // start javac and return at once
  kWait,    // start javac and wait for it; its output goes where ours goes
};

struct PassSlot {
  std::string_view name;
  int16_t (*run)(TranslationContext&);
};

// The passes in the order they must run, reading first; each relies on the
// tables the earlier ones filled.
std::span<const PassSlot> TranslationPasses();

struct CompileInputs {
  std::string appDir;          // holds SysLib/
  std::string sourceDir;
  std::string sourceFileName;  // with its ".txt"
  std::string outputDir;
  std::string javacDir;
  bool sourceChosen = true;  // the wizard's flag: nothing happens before a file is chosen
  JavacMode javac = JavacMode::kNone;
  bool jar = false;  // once javac (waited for) has compiled: <Program>.jar too
  // Replace files of the program's name that Corvel did not write, or that
  // were changed since.
  bool force = false;
  // Write the faster Java text (`corvel -O`); runtime errors stay the same.
  bool optimize = false;
  // The front end runs javac itself once the pipeline has returned (the
  // wizard, which watches it): the files are moved in first, and javac
  // writes its classes into the output folder.
  bool javacInPlace = false;
  // Called after each pass with its name and its time in milliseconds.
  std::function<void(std::string_view pass, double ms)> onPassTimed;
  // Asked for javac's folder when neither the given folder, PATH nor
  // $JAVA_HOME/bin holds javac (the wizard shows its JDK window); ""
  // cancels the javac step only: the files are still written. Without it the
  // translation fails as the command does.
  std::function<std::string()> askJavacDir;
  // Starts a program as RunProgram does (system/process.h); tests replace it.
  std::function<int(const std::vector<std::string>& argv, const std::string& cwd, bool wait, std::string& why,
                    std::string* output)>
      runProcess;
  // With it, javac's output (waited for) is collected and handed here once
  // javac has ended, instead of going where ours goes.
  std::function<void(std::string_view output)> onJavacOutput;
  // The status once javac is started, waited for or not; "" says nothing.
  // The wizard's words by default: it says more when javac has ended.
  std::string_view javacStartedStatus = kStatusStarted;
  std::string_view javacDetachedStatus = kStatusStarted;
};

enum class CompileResult {
  kNotStarted,    // no source chosen
  kTranslated,    // every pass succeeded
  kProgramFault,  // a pass reported a fault in the program
  kFailure,       // anything else; ctx.failureText says what
  kJavacFailed,   // javac (waited for) reported errors; the output folder is as it was
  kJavacCancelled,  // the files are written, the program's old classes removed; the user cancelled the javac step
  kInternalError,  // a fault of the translator itself; ctx.failureText says what, nothing is written
  kInterrupted,    // a signal (see CatchInterrupts) stopped it; the output folder is as it was
};

CompileResult CompileProgram(TranslationContext& ctx, const CompileInputs& inputs);

}  // namespace corvel
