#include "driver/pipeline.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
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

TEST_F(PipelineTest, FailuresThatAreNotFaultsOfTheProgram) {
  const struct {
    const char* file;
    bool create;
    const char* output;  // relative to the test folder; nullptr: "out"
    const char* failure_ends_with;
  } kCases[] = {
      {"Hello.bas", true, nullptr, "Hello.bas: Corvelのプログラムは .txt ファイルでなければいけません"},
      {".txt", true, nullptr, ".txt: Corvelのプログラムは .txt ファイルでなければいけません"},
      {"1st.txt", true, nullptr, "たとえば _1st.txt にしてください"},
      {"Missing.txt", false, nullptr, "Missing.txt: ソースファイルを読み出せません: No such file or directory"},
      {"Hello.txt", true, "Hello.txt", "Hello.txt: 出力先がフォルダではありません"},
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
    EXPECT_TRUE(captured_.faults.empty());
  }
}

// A front end that finds no javac asks for its folder until it gets one
// that holds javac, or an empty answer; javac then runs in a stage in the output
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
  in.runProcess = [&](const std::vector<std::string>& argv, const std::string& cwd, bool wait, std::string&, std::string*) {
    ran = argv;
    ran_in = cwd;
    EXPECT_TRUE(wait);
    return 0;
  };
  EXPECT_EQ(CompileProgram(ctx_, in), CompileResult::kTranslated) << ctx_.failureText;
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(ran, (std::vector<std::string>{javac.string(), "-J-XX:TieredStopAtLevel=1", "-J-XX:+UseSerialGC",
                                            "-encoding", "UTF-8", "--release", "17", "-classpath", ".", "-d", ".",
                                            "Good.java"}));
  EXPECT_EQ(fs::path(ran_in).parent_path(), dir_ / "out");  // its stage there

  // An empty answer (the JDK window closed) cancels javac only.
  in.sourceFileName = "Other.txt";
  std::ofstream(dir_ / "Other.txt") << "PRINT 2\n";
  in.askJavacDir = [] { return std::string(); };
  ran.clear();
  EXPECT_EQ(CompileProgram(ctx_, in), CompileResult::kJavacCancelled);
  EXPECT_TRUE(fs::exists(dir_ / "out" / "Other.java"));
  EXPECT_TRUE(ran.empty());
}

// Every Java line of a statement names its Corvel line, in one method and
// cut into parts: each statement carries a number of its own, found in the
// Java line that is its code. Scaffolding and type classes name none.
TEST_F(PipelineTest, LineMapNamesTheLineOfEveryStatement) {
  const std::string program =
      "TYPE PT\n  X AS INTEGER\nEND TYPE\nDIM P AS PT\nDIM I AS INTEGER\n"
      "P.X = 1001\nIF P.X > 1002 THEN\n  PRINT 1003\nELSEIF P.X = 1005 THEN\n  GOTO *OUT\nEND IF\n"
      "FOR I = 1 TO 3\n  IF I = 1006 THEN GOTO *OUT\nNEXT I\n*OUT\nGOSUB *SUB1\nPRINT TWICE(1007)\nEND\n"
      "*SUB1\nPRINT 1008\nRETURN\n"
      "FUNCTION TWICE(N AS INTEGER) AS INTEGER\n  DIM K AS INTEGER\n  FOR K = 1 TO 3\n"
      "    IF K = 1010 THEN EXIT FOR\n  NEXT K\n  TWICE = N * 1011\nEND FUNCTION\n";
  std::vector<std::string> source;
  for (size_t at = 0, end; (end = program.find('\n', at)) != std::string::npos; at = end + 1) {
    source.push_back(program.substr(at, end - at));
  }
  for (const char* name : {"KWV_Integer", "KWV_Long", "KWV_Double", "KWV_String", "KWV_Boolean"}) {
    std::ofstream(dir_ / "SysLib" / (std::string(name) + ".class")) << name;
  }
  for (const size_t part_size : {kDefaultPartSize, size_t{120}}) {
    ctx_.methodSize = ctx_.partSize = part_size;
    ASSERT_EQ(CompileProgram(ctx_, Inputs("Prog.txt", program)), CompileResult::kTranslated) << ctx_.failureText << captured_.Last();
    std::ifstream java_file(dir_ / "out" / "Prog.java", std::ios::binary), map_file(dir_ / "out" / "Prog.lines");
    std::vector<std::string> java, map;
    for (std::string line; std::getline(java_file, line);) java.push_back(line.substr(0, line.size() - 1));
    for (std::string line; std::getline(map_file, line);) map.push_back(line);
    ASSERT_GE(map.size(), 3 + java.size());
    EXPECT_EQ(map[0], "corvel-lines 1");
    EXPECT_EQ(map[1], "source Prog.txt");
    EXPECT_EQ(map[2], "java " + std::to_string(java.size()));
    std::set<int> found;
    bool in_type_class = false;
    for (size_t n = 0; n < java.size(); ++n) {
      const int line = std::stoi(map[3 + n]);
      const std::string& code = java[n];
      in_type_class = in_type_class || code == "}";  // the program class has ended
      if (in_type_class) {
        EXPECT_EQ(line, 0) << code;
      }
      if (code.find("public short M") != std::string::npos) {
        EXPECT_EQ(line, 22) << code;  // the FUNCTION line
      }
      const size_t comment = code.find("// ");
      if (comment != std::string::npos && line > 0) {
        EXPECT_NE(source[static_cast<size_t>(line - 1)].find(code.substr(comment + 3)), std::string::npos) << code;
        continue;
      }
      for (size_t at = code.find("10"); at != std::string::npos; at = code.find("10", at + 1)) {
        if (at + 4 > code.size() || !std::isdigit(code[at + 2]) || !std::isdigit(code[at + 3])) continue;
        if ((at > 0 && std::isdigit(code[at - 1])) || (at + 4 < code.size() && std::isdigit(code[at + 4]))) continue;
        const std::string number = code.substr(at, 4);
        found.insert(std::stoi(number));
        ASSERT_GT(line, 0) << code;
        EXPECT_NE(source[static_cast<size_t>(line - 1)].find(number), std::string::npos) << code << " " << line;
      }
    }
    EXPECT_EQ(found.size(), 9u) << "part size " << part_size;
    EXPECT_EQ(map[3 + java.size() + 1], "6\tP.X = 1001");  // after "text K", the lines used, in order
  }
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
