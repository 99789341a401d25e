#include <gtest/gtest.h>

#include <random>

#include "expr/expression.h"
#include "source/token_codes.h"
#include "symbols/declarations.h"
#include "test_support.h"

namespace corvel {
namespace {

constexpr const char* kHead =
    "DIM X AS INTEGER, S AS STRING, T AS STRING * 8, D AS DOUBLE, B AS BOOLEAN\n"  // LOC0-LOC4
    "DIM A(3) AS INTEGER, C(3) AS INTEGER, R(3) AS DOUBLE\n";                       // LOC5-LOC7

// Whatever the statement, the translator ends with success or one report.
TEST(StatementExpression, RandomAndMutatedStatementsNeverCrash) {
  const std::vector<std::string> pieces = {
      "X", "S", "T", "D", "B", "A", "A(1)", "C(X, 2)", "(", ")", "+", "-", "*", "/", "\\", "^", "MOD", "=", "<",
      ">", "<>", ",", ".", "AND", "OR", "NOT", "XOR", "EQV", "IMP", "1", "2.5", "&HFF", "\"s\"", "Abs", "Mid",
      "Cls", "Color", "Len", "Rnd", "$", "%", "#", "!", "&", "LET", "P.Q", "1E3", "-1", "Point", "True"};
  std::mt19937 random(20261206);
  int reported = 0;
  int translated = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string statement;
    const int length = 1 + static_cast<int>(random() % 9);
    for (int k = 0; k < length; ++k) statement += pieces[random() % pieces.size()] + " ";
    if (round % 3 == 0) statement = "X = " + statement;
    auto r = testing::RunPasses(kHead + statement, 4);
    if (r.result != 0) continue;  // rejected before: the lexer and structure tests cover those
    testing::Captured captured;
    testing::Capture(r.ctx, captured);
    for (int16_t i = 0; i < 2; ++i) DeclareVariables(r.ctx, i);
    captured.faults.clear();
    const auto last = static_cast<int16_t>(r.ctx.statements.size() - 1);
    if (r.ctx.statements.back().kind != kKindOrdinary) continue;
    const int16_t failed = TranslateStatementExpression(r.ctx, last);
    ASSERT_EQ(captured.faults.size(), failed ? 1u : 0u) << statement;
    (failed ? reported : translated) += 1;
  }
  EXPECT_GT(reported, 1000);
  EXPECT_GT(translated, 10);
}

}  // namespace
}  // namespace corvel
