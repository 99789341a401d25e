#include "expr/expression.h"

#include <gtest/gtest.h>

#include "source/token_codes.h"
#include "symbols/declarations.h"
#include "test_support.h"

namespace corvel {
namespace {

// The declarations every expression below may use. ORDER: LOC names follow it.
constexpr const char* kDeclarations =
    "DIM B AS BYTE, I AS INTEGER, L AS LONG, O AS LONGLONG, S AS SINGLE, D AS DOUBLE\n"  // LOC0-LOC5
    "DIM T AS STRING, F AS STRING * 4, BO AS BOOLEAN, G AS IMAGE\n"                       // LOC6-LOC9
    "DIM A(10) AS INTEGER, M(2, 3) AS DOUBLE, P AS PT, Q(5) AS PT\n";              // LOC10-LOC13

struct Result {
  int16_t failed = 0;
  std::string text;
  int16_t type = 0;
  std::string report;
  TranslationContext ctx;
};

// Translates the last line, "PRINT expression", after the declarations.
Result Translate(const std::string& expression) {
  const std::string source = std::string("TYPE PT\nX AS INTEGER\nY AS DOUBLE\nN AS STRING\nEND TYPE\n") +
                             kDeclarations + "PRINT " + expression;
  auto r = testing::RunPasses(source, 4);
  Result out;
  testing::Captured captured;
  testing::Capture(r.ctx, captured);
  EXPECT_EQ(r.result, 0) << r.report;
  for (size_t i = 0; i + 1 < r.ctx.statements.size(); ++i) {
    if (r.ctx.statements[i].tokens[0].code == kKwDim) {
      EXPECT_EQ(DeclareVariables(r.ctx, static_cast<int16_t>(i)), 0) << captured.Last();
    }
  }
  const auto last = static_cast<int16_t>(r.ctx.statements.size() - 1);
  const auto tokens = static_cast<int16_t>(r.ctx.statements.back().tokens.size());
  int16_t extra = 0;
  out.failed = TranslateExpression(r.ctx, last, 1, static_cast<int16_t>(tokens - 1), out.text, out.type, extra);
  out.report = captured.Last();
  r.ctx.reporter = nullptr;
  out.ctx = std::move(r.ctx);
  return out;
}

struct TextCase {
  const char* expression;
  const char* text;
  int16_t type;
};

void ExpectTexts(const std::vector<TextCase>& cases) {
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.expression);
    auto r = Translate(c.expression);
    ASSERT_EQ(r.failed, 0) << r.report;
    EXPECT_EQ(r.text, c.text);
    EXPECT_EQ(r.type, c.type);
  }
}

// The Java texts of expressions are the golden cases' (expression.cases),
// seen in the line of a PRINT. A whole array cannot be printed: its text and
// type are checked here.
TEST(Expression, NamesArraysRecordsAndCalls) {
  ExpectTexts({
      {"A", "LOC10", 13},
      {"A()", "LOC10", 13},
  });
}

// The other messages of an expression are the golden cases'
// (tests/programs/expression.cases), seen through the binary. A PRINT takes
// ";" and "," between its items, so these two reach the expression's own
// checks only when it is translated alone.
TEST(Expression, PrintSeparatorsInsideOneExpression) {
  auto semicolon = Translate("L ; 2");
  EXPECT_EQ(semicolon.failed, 1);
  EXPECT_EQ(semicolon.report, "9:9:BadElement");
  auto comma = Translate("L, 2");
  EXPECT_EQ(comma.failed, 1);
  EXPECT_EQ(comma.report, "9:0:BadExpression");
}

}  // namespace
}  // namespace corvel
