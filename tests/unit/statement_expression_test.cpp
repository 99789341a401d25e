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

struct StatementResult {
  int16_t failed = 0;
  std::string text;
  std::string report;
  int16_t kind = 0;
};

// Translates the last statement of kHead + `statement` as an assignment or call.
StatementResult TranslateLast(const std::string& statement) {
  auto r = testing::RunPasses(kHead + statement, 4);
  testing::Captured captured;
  testing::Capture(r.ctx, captured);
  EXPECT_EQ(r.result, 0) << r.report;
  for (int16_t i = 0; i < 2; ++i) EXPECT_EQ(DeclareVariables(r.ctx, i), 0);
  const auto last = static_cast<int16_t>(r.ctx.statements.size() - 1);
  StatementResult out;
  out.failed = TranslateStatementExpression(r.ctx, last);
  out.text = r.ctx.statements.back().codeText;
  out.kind = r.ctx.statements.back().kind;
  if (!captured.reports.empty()) out.report = captured.reports.back();
  return out;
}

TEST(StatementExpression, AssignmentsAndCalls) {
  const struct {
    const char* statement;
    const char* text;
  } kCases[] = {
      {"LET X = 1", "LOC0.Set((short)(1));"},
      {"X = 1", "LOC0.Set((short)(1));"},
      {"X = X + D", "LOC0.Set((short)(Math.round(LOC0.Get()+LOC3.Get())));"},
      {"X = -X", "LOC0.Set((short)(-LOC0.Get()));"},
      {"S = \"a\" + T", "LOC1.Set(\"a\"+LOC2.Get());"},
      {"T = S", "LOC2.Set(LOC1.Get());"},
      {"B = X > 1 AND D < 2", "LOC4.Set(new KWV_Long(1).L(LOC0.Get())&&LOC3.L(2));"},
      {"B = (X = 1)", "LOC4.Set((new KWV_Long(1).E(LOC0.Get())));"},
      {"A = C", "LOC5=LOC6.Get();"},
      {"A(1) = X", "LOC5.getValue(LOC5.getElement(1,1)+LOC5.getDimension(1)).Set(LOC0.Get());"},
      {"NEW% = 3", "LOC8.Set((short)(3));"},
      {"Cls", "KWC_Screen.KW_cls();"},
      {"Cls 1", "KWC_Screen.KW_cls(1);"},
      {"ColorMode 1", "KWC_Screen.KW_colorMode(1);"},
      {"Color -1, 2", "KWC_GraphicScreen.KW_color(-1,2);"},
      {"Color -X, D", "KWC_GraphicScreen.KW_color(-LOC0.Get(),INTARG((long)(Math.round(LOC3.Get()))));"},
      {"Locate X + 1, 2", "KWC_TextScreen.KW_locate(LOC0.Get()+1,2);"},
      {"Status S", "KWL_Browser.KW_status(LOC1.Get());"},
      {"SpriteMove 1, 2, 3", "KWC_SpriteScreen.KW_spriteMove(1,2,3);"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.statement);
    const StatementResult r = TranslateLast(c.statement);
    ASSERT_EQ(r.failed, 0) << r.report;
    EXPECT_EQ(r.text, c.text);
    EXPECT_EQ(r.kind, kKindTranslated);
  }
}

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
    captured.reports.clear();
    const auto last = static_cast<int16_t>(r.ctx.statements.size() - 1);
    if (r.ctx.statements.back().kind != kKindOrdinary) continue;
    const int16_t failed = TranslateStatementExpression(r.ctx, last);
    ASSERT_EQ(captured.reports.size(), failed ? 1u : 0u) << statement;
    (failed ? reported : translated) += 1;
  }
  EXPECT_GT(reported, 1000);
  EXPECT_GT(translated, 10);
}

}  // namespace
}  // namespace corvel
