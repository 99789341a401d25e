#include "symbols/numbers.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

namespace corvel {
namespace {

namespace fs = std::filesystem;

constexpr int16_t kFails = 0;

struct NumberCase {
  const char* text;
  int16_t code;  // kFails: the text is rejected
  const char* java;
};

const NumberCase kIntegers[] = {
    {"0", 43, "0"},
    {"10", 43, "10"},
    {"2147483647", 43, "2147483647"},
    {"2147483648", 44, "2147483648L"},
    {"-2147483648", 43, "-2147483648"},
    {"-2147483649", 44, "-2147483649L"},
    {"922337203685477", 44, "922337203685477L"},
    {"1234567890123456", 44, "1234567890123456L"},
    {"9223372036854775807", 44, "9223372036854775807L"},
    {"-9223372036854775808", 44, "-9223372036854775808L"},
    {"9223372036854775808", kFails, ""},
    {"-9223372036854775809", kFails, ""},
    {"18446744073709551616", kFails, ""},  // past 64 bits unsigned too
    {"123456789012345678901234567890", kFails, ""},
    // Leading zeros go: Java reads 07 as octal and 08 not at all.
    {"07", 43, "7"},
    {"08", 43, "8"},
    {"-007", 43, "-7"},
    {"000", 43, "0"},
    {"-0", 43, "-0"},
    {"02147483648", 44, "2147483648L"},
    {"-02147483648", 43, "-2147483648"},
    {"000000000000000000000000000001", 43, "1"},
};

const NumberCase kReals[] = {
    {"1.5", 45, "1.5f"},
    {"0.5", 45, ".5f"},
    {".5", 45, ".5f"},
    {"-0.5", 45, "-.5f"},
    {"-.5", 45, "-.5f"},
    {"0.1", 45, ".1f"},
    {"007.25", 45, "7.25f"},
    {"1.", 45, "1f"},
    {"1E3", 45, "1000f"},
    {"1D3", 45, "1000f"},
    {"1.E3", 45, "1000f"},
    {"-1E3", 45, "-1000f"},
    {"0.1D0", 45, ".1f"},  // D does not force a double: precision decides
    {"1.5E-3", 45, ".0015f"},
    {"1E-5", 45, "1E-05f"},
    {"2D10", 45, "2E+10f"},
    {"1E+16", 45, "1E+16f"},
    {"3.4028235E38", 45, "3.4028235E+38f"},  // the largest float
    {"1E-40", 45, "1E-40f"},                 // a subnormal float
    {"3.14159265358979", 46, "3.14159265358979"},
    {"-3.14159265358979", 46, "-3.14159265358979"},
    {"0.3333333333", 46, ".3333333333"},
    {"1E39", 46, "1E+39"},  // past the float range
    {"1E-46", 46, "1E-46"},  // a float would be 0
    {"1.7976931348623157E308", 46, "1.7976931348623157E+308"},
    {"4.9E-324", 46, "5E-324"},
    {"1E-400", 45, "0f"},  // underflows to zero, which Java takes without complaint
    {"-1E-400", 45, "-0f"},
    {"1E400", kFails, ""},
    {"1.8D308", kFails, ""},
    {"-1E400", kFails, ""},
};

const NumberCase kNotNumbers[] = {
    {"", kFails, ""},      {"-", kFails, ""},      {".", kFails, ""},     {"-.", kFails, ""},
    {"N", kFails, ""},     {"1E", kFails, ""},     {"1E+", kFails, ""},   {"1D-", kFails, ""},
    {"E3", kFails, ""},    {".E3", kFails, ""},    {"1.2.3", kFails, ""}, {"1E3.5", kFails, ""},
    {"1E3E3", kFails, ""}, {"0x10", kFails, ""},   {"+1", kFails, ""},    {"--1", kFails, ""},
    {"1-", kFails, ""},    {" 1", kFails, ""},     {"1 ", kFails, ""},    {"1,000", kFails, ""},
    {"1%", kFails, ""},    {"1#", kFails, ""},     {"1F", kFails, ""},    {"1L", kFails, ""},
    // The lexer upper-cases exponent letters, so lower case is never a number.
    {"1e3", kFails, ""},   {"1d3", kFails, ""},    {"1.5e-3", kFails, ""},
};

void ExpectClassified(std::span<const NumberCase> cases) {
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.text + "\"");
    const NumberClass n = ClassifyNumber(c.text);
    EXPECT_EQ(n.failed, c.code == kFails);
    if (c.code == kFails) continue;
    EXPECT_EQ(n.literalCode, c.code);
    EXPECT_EQ(n.javaText, c.java);
  }
}

TEST(ClassifyNumber, Integers) { ExpectClassified(kIntegers); }
TEST(ClassifyNumber, Reals) { ExpectClassified(kReals); }
TEST(ClassifyNumber, TextsThatAreNotNumbers) { ExpectClassified(kNotNumbers); }

// A whole-number real must stay a real literal in Java: as plain digits
// 16777217.0 would divide as an int and 123456789012.0 would not compile.
const NumberCase kIntegralDoubles[] = {
    {"16777217.0", 46, ""},
    {"123456789012.0", 46, ""},
    {"9007199254740993", 44, ""},  // an integer stays an integer: control row
};

// Compiles one field per classified text. The boxed field types accept only
// a literal of exactly the type its code names (Double d = 5; is rejected).
void ExpectJavacAcceptsTypes(const std::string& test_name, std::span<const std::span<const NumberCase>> tables) {
  if (std::system("javac -version >/dev/null 2>&1") != 0) GTEST_SKIP() << "javac is not on PATH";
  std::string java = "class Literals {\n";
  int field = 0;
  for (std::span<const NumberCase> table : tables) {
    for (const NumberCase& c : table) {
      const NumberClass n = ClassifyNumber(c.text);
      if (n.failed) continue;
      const char* type = n.literalCode == 43   ? "Integer"
                         : n.literalCode == 44 ? "Long"
                         : n.literalCode == 45 ? "Float"
                                               : "Double";
      java += "  static " + std::string(type) + " f" + std::to_string(field++) + " = " + n.javaText + ";  // " +
              c.text + "\n";
    }
  }
  java += "}\n";
  // one folder per process: builds in other trees run the same test at once
  const fs::path dir = fs::temp_directory_path() / ("corvel_" + test_name + "_" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  std::ofstream(dir / "Literals.java") << java;
  const std::string command = "cd '" + dir.string() + "' && javac -nowarn Literals.java >javac.log 2>&1";
  const int status = std::system(command.c_str());
  std::ifstream log(dir / "javac.log");
  const std::string errors((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
  EXPECT_EQ(status, 0) << errors << java;
  fs::remove_all(dir);
}

TEST(ClassifyNumber, JavacAcceptsEveryJavaTextAsItsType) {
  const std::span<const NumberCase> tables[] = {kIntegers, kReals};
  ExpectJavacAcceptsTypes("numbers_javac", tables);
}

TEST(ClassifyNumber, JavacReadsIntegralDoublesAsDoubles) {
  const std::span<const NumberCase> tables[] = {kIntegralDoubles};
  ExpectJavacAcceptsTypes("numbers_javac_integral", tables);
}

}  // namespace
}  // namespace corvel
