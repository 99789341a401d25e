#include "driver/pipeline.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/wait.h>

#include <cerrno>

#include "driver/javac.h"
#include "test_support.h"

namespace corvel {
namespace {

namespace fs = std::filesystem;

class PipelineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("corvel_pipeline_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "out");
    // Stand-ins for the runtime classes the writer copies.
    fs::create_directories(dir_ / "SysLib");
    for (const char* name : {"KWC_Applet", "KWC_Array", "KWC_Color", "KWC_Color_Browser", "KWC_Color_Natural",
                             "KWC_GraphicScreen", "KWC_Image", "KWC_Screen", "KWC_SpriteScreen", "KWC_TextScreen",
                             "KWC_TransFilter", "KWC_Viewer", "KWC_Viewer$Page", "KWV_Single"}) {
      std::ofstream(dir_ / "SysLib" / (std::string(name) + ".class")) << name;
    }
    testing::Capture(ctx_, captured_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  CompileInputs Inputs(const std::string& file, const std::string& text) {
    std::ofstream(dir_ / file, std::ios::binary) << text;
    CompileInputs in;
    in.sourceDir = dir_.string() + "/";
    in.sourceFileName = file;
    in.outputDir = (dir_ / "out").string();
    in.appDir = dir_.string();
    return in;
  }

  fs::path dir_;
  TranslationContext ctx_;
  testing::Captured captured_;
};

TEST_F(PipelineTest, NothingHappensBeforeASourceIsChosen) {
  CompileInputs in = Inputs("Hello.txt", "PRINT 1");
  in.sourceChosen = false;
  EXPECT_EQ(CompileProgram(ctx_, in), CompileResult::kNotStarted);
  EXPECT_TRUE(captured_.statuses.empty());
  EXPECT_TRUE(ctx_.statements.empty());
}

TEST_F(PipelineTest, TranslatingTwiceStartsFromEmptyTables) {
  CompileInputs in = Inputs("Hello.txt", "*A: X = 1\r\nGOSUB A");
  ASSERT_EQ(CompileProgram(ctx_, in), CompileResult::kTranslated);
  const std::string first = DumpStatements(ctx_);
  ASSERT_EQ(CompileProgram(ctx_, in), CompileResult::kTranslated);
  EXPECT_EQ(DumpStatements(ctx_), first);
  EXPECT_EQ(ctx_.labels.size(), 1u);
  EXPECT_EQ(GetProgramName(ctx_), "Hello");
  EXPECT_EQ(ctx_.sourceDir, dir_.string());
  EXPECT_EQ(captured_.statuses,
            (std::vector<std::string>{std::string(kStatusTranslating), std::string(kStatusCopying),
                                      std::string(kStatusTranslating), std::string(kStatusCopying)}));
  // The program, its page and the runtime it needs, nested classes included.
  for (const char* file : {"Hello.java", "Hello.html", "KWC_Applet.class", "KWC_Viewer$Page.class", "KWV_Single.class"}) {
    EXPECT_TRUE(fs::exists(dir_ / "out" / file)) << file;
  }
  EXPECT_FALSE(fs::exists(dir_ / "out" / "KWV_Long.class"));
}

TEST_F(PipelineTest, AFaultClearsTheStatusAndWritesNothing) {
  CompileInputs in = Inputs("Bad.txt", "X = 1\nPRINT \"open");
  EXPECT_EQ(CompileProgram(ctx_, in), CompileResult::kProgramFault);
  EXPECT_EQ(captured_.statuses, (std::vector<std::string>{std::string(kStatusTranslating), ""}));
  ASSERT_EQ(captured_.reports.size(), 1u);
  EXPECT_EQ(captured_.reports[0], testing::ColumnReport(2, "PRINT \"open", 7, "リテラル文字列が正しく完結していません"));
  EXPECT_TRUE(fs::is_empty(dir_ / "out"));
}

TEST_F(PipelineTest, FailuresThatAreNotFaultsOfTheProgram) {
  const struct {
    const char* file;
    bool create;
    const char* output;  // relative to the test folder; nullptr: "out"
    const char* failure_ends_with;
  } kCases[] = {
      {"Hello.bas", true, nullptr, "Hello.bas: a Corvel program must be a .txt file"},
      {".txt", true, nullptr, ".txt: a Corvel program must be a .txt file"},
      {"1st.txt", true, nullptr, "\"1st\" cannot name a Java class (use letters, digits and _, not starting with a digit, and no Java keyword or java.lang class name)"},
      {"Missing.txt", false, nullptr, "Missing.txt: cannot read the source file: No such file or directory"},
      {"Hello.txt", true, "Hello.txt", "Hello.txt: the output folder is not a folder"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.file);
    CompileInputs in = Inputs("Hello.txt", "PRINT 1");
    fs::remove(dir_ / "Hello.txt");
    if (c.create) std::ofstream(dir_ / c.file) << "PRINT 1";
    in.sourceFileName = c.file;
    if (c.output != nullptr) in.outputDir = (dir_ / c.output).string();
    EXPECT_EQ(CompileProgram(ctx_, in), CompileResult::kFailure);
    const std::string& text = ctx_.failureText;
    const std::string tail = c.failure_ends_with;
    ASSERT_GE(text.size(), tail.size()) << text;
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    EXPECT_TRUE(captured_.reports.empty());
  }
}

// A front end that finds no javac asks for its folder until it gets one
// that holds javac, or an empty answer; javac then runs in the output
// folder, through the runner the front end gives.
TEST_F(PipelineTest, JavacFolderAskedForAndJavacRunInTheOutputFolder) {
  fs::create_directories(dir_ / "jdk" / "bin");
  const fs::path javac = dir_ / "jdk" / "bin" / "javac";
  std::ofstream(javac) << "#!/bin/sh\n";
  fs::permissions(javac, fs::perms::owner_all);
  CompileInputs in = Inputs("Good.txt", "PRINT 1\n");
  in.javac = JavacMode::kWait;
  in.javacDir = (dir_ / "empty").string();
  std::vector<std::string> answers = {(dir_ / "nothing here").string(), (dir_ / "jdk" / "bin").string()};
  int asked = 0;
  in.askJavacDir = [&] { return asked < 2 ? answers[static_cast<size_t>(asked++)] : std::string(); };
  std::vector<std::string> ran;
  std::string ran_in;
  in.runProcess = [&](const std::vector<std::string>& argv, const std::string& cwd, bool wait, std::string&) {
    ran = argv;
    ran_in = cwd;
    EXPECT_TRUE(wait);
    return 0;
  };
  EXPECT_EQ(CompileProgram(ctx_, in), CompileResult::kTranslated) << ctx_.failureText;
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(ran, (std::vector<std::string>{javac.string(), "-encoding", "UTF-8", "Good.java"}));
  EXPECT_EQ(ran_in, (dir_ / "out").string());

  // An empty answer gives up, and nothing is written.
  in.sourceFileName = "Other.txt";
  std::ofstream(dir_ / "Other.txt") << "PRINT 2\n";
  in.askJavacDir = [] { return std::string(); };
  EXPECT_EQ(CompileProgram(ctx_, in), CompileResult::kFailure);
  EXPECT_FALSE(fs::exists(dir_ / "out" / "Other.java"));
}

// A detached start leaves no child behind to become a zombie of a
// long-lived front end.
TEST(RunProgram, DetachedStartLeavesNoChild) {
  std::string why;
  ASSERT_EQ(RunProgram({"/bin/sleep", "0.2"}, "", false, why), 0) << why;
  errno = 0;
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

TEST(ProgramName, JavaClassNames) {
  const struct {
    const char* name;
    bool valid;
  } kCases[] = {
      {"Hello", true},       {"hello_2", true},    {"$x", true},        {"_a", true},
      {"テスト", true},      {"Ä1", true},         {"", false},         {"1st", false},
      {"my prog", false},    {"a-b", false},       {"class", false},    {"var", false},
      {"KWC_Applet", false}, {"KWV_Long", false},  {"TYP0", false},     {"TYPE", true},
      {"a.b", false},        {"全角　空白", false},    {"Math", false},       {"String", false},
  };
  for (const auto& c : kCases) EXPECT_EQ(IsValidProgramName(c.name), c.valid) << c.name;
}

}  // namespace
}  // namespace corvel
