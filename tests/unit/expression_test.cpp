#include "expr/expression.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

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
      EXPECT_EQ(DeclareVariables(r.ctx, static_cast<int16_t>(i)), 0) << captured.reports.back();
    }
  }
  const auto last = static_cast<int16_t>(r.ctx.statements.size() - 1);
  const auto tokens = static_cast<int16_t>(r.ctx.statements.back().tokens.size());
  int16_t extra = 0;
  out.failed = TranslateExpression(r.ctx, last, 1, static_cast<int16_t>(tokens - 1), out.text, out.type, extra);
  if (!captured.reports.empty()) out.report = captured.reports.back();
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

// Values are the business of JavaComputesWhatCorvelMeans below and of the
// end-to-end programs (arithmetic.txt, numeric_types.txt), result types of
// OperatorResultType's test; here the Java text: wrappers, casts, parentheses.
TEST(Expression, Operators) {
  ExpectTexts({
      // precedence and associativity
      {"L / S * D", "(double)(LOC2.Get())/LOC4.Get()*LOC5.Get()", 26},
      {"L \\ O MOD 3", "IDIV(LOC2.Get(),LOC3.Get())%3", 24},
      {"S MOD S", "(long)(Math.round((double)(LOC4.Get())))%(long)(Math.round((double)(LOC4.Get())))", 24},
      {"&HFFFF + &H10&&", "(short)0xFFFF+0x10L", 24},
      // Java's precedence differs: parentheses where Corvel groups otherwise
      {"L MOD O * 2", "LOC2.Get()%(LOC3.Get()*2)", 24},
      {"L OR O XOR I", "((LOC2.Get()|(int)(LOC3.Get()))^LOC1.Get())", 23},
      // unary minus
      {"-I * 2", "-LOC1.Get()*2", 23},
      {"-(L + 1)", "-(LOC2.Get()+1)", 23},
      {"-5 + -2.5", "-5+-2.5f", 25},
      {"-&H10", "-0x10", 43},
      {"(I)", "LOC1.Get()", 22},
      // relations: the wider side holds the wrapper
      {"I > 3", "new KWV_Long(3).L(LOC1.Get())", 31},
      {"3 > D", "LOC5.L(3)", 31},
      {"L >= I", "LOC2.GE(LOC1.Get())", 31},
      {"I <= L", "LOC2.GE(LOC1.Get())", 31},
      {"L => 1", "LOC2.GE(1)", 31},
      {"L =< 1", "LOC2.LE(1)", 31},
      {"L >< 1", "LOC2.NE(1)", 31},
      {"L = 1", "LOC2.E(1)", 31},
      {"-I < 0", "new KWV_Long(-LOC1.Get()).L(0)", 31},
      {"T = \"a\"", "LOC6.E(\"a\")", 31},
      {"\"a\" < F", "new KWV_String(\"a\").L(LOC7.Get())", 31},
      {"T + F + \"!\"", "LOC6.Get()+LOC7.Get()+\"!\"", 29},
      // logic
      {"L AND O", "(LOC2.Get()&(int)(LOC3.Get()))", 23},
      {"BO AND BO", "LOC8.Get()&&LOC8.Get()", 31},
      {"BO OR L > 1", "LOC8.Get()||LOC2.G(1)", 31},
      {"BO XOR BO", "XOR(LOC8.Get(),LOC8.Get())", 31},
      {"I EQV B", "BEQV(LOC1.Get(),LOC0.Get())", 23},
      {"BO IMP BO", "IMP(LOC8.Get(),LOC8.Get())", 31},
      {"NOT I", "~(LOC1.Get())", 23},
      {"NOT BO", "!(LOC8.Get())", 31},
      {"NOT L > 1 AND BO", "!(LOC2.G(1))&&LOC8.Get()", 31},
      {"L - NOT -I", "~(LOC2.Get()-(-LOC1.Get()))", 23},  // never Java's "--"
      // string literals: Java's escapes kept, \u escapes turned into characters
      {"\"a\\tb\\\"c\\\\d\"", "\"a\\tb\\\"c\\\\d\"", 49},
      {"\"\\u0041\\u0022\\u000a\\101\"", "\"A\\\"\\012\\101\"", 49},
  });
}

// An array element and a record's element: the golden program ok_structure.
TEST(Expression, NamesArraysRecordsAndCalls) {
  ExpectTexts({
      {"A(S)", "LOC10.getValue(LOC10.getElement(1,INTSUB((long)(Math.round((double)(LOC4.Get())))))+LOC10.getDimension(1))", 2},
      {"A", "LOC10", 13},
      {"A()", "LOC10", 13},
      {"Q(1).Y", "LOC13.getValue(LOC13.getElement(1,1)+LOC13.getDimension(1)).ELE1", 6},
      {"F", "LOC7", 9},
      {"I%", "LOC1", 2},
      {"Abs(I)", "KWL_Math.KW_abs(LOC1.Get())", 23},  // widening: the long form
      {"Abs(D)", "KWL_Math.KW_abs(LOC5.Get())", 26},  // exact
      {"Abs(S)", "KWL_Math.KW_abs(LOC4.Get())", 26},  // widening: single to double
      {"Rnd", "KWL_Math.KW_rnd()", 26},
      {"Rnd()", "KWL_Math.KW_rnd()", 26},
      {"Rnd(3)", "KWL_Math.KW_rnd(3)", 24},
      {"Rnd(1, I)", "KWL_Math.KW_rnd(1,LOC1.Get())", 24},
      {"Str(S)", "KWL_String.KW_str(LOC4.Get())", 29},
      {"Str$(B)", "KWL_String.KW_str(LOC0.Get())", 29},
      {"Mid(T, 2)", "KWL_String.KW_mid(LOC6.Get(),2)", 29},
      {"Mid(T, 2, D)", "KWL_String.KW_mid(LOC6.Get(),2,INTARG((long)(Math.round(LOC5.Get()))))", 29},  // numeric rule
      {"Point(1, 2)", "KWC_GraphicScreen.KW_Point(1,2)", 23},
      {"Point(G, 1, 2)", "KWC_GraphicScreen.KW_Point(LOC9.Get(),1,2)", 23},  // case-blind: G to g
      {"Instr(2, T, \"x\")", "KWL_String.KW_instr(2,LOC6.Get(),\"x\")", 23},
      {"True", "KW_true()", 31},
      {"Inkey$", "KW_inkey()", 29},
  });
}

// The other messages of an expression are the golden cases'
// (tests/programs/expression.cases), seen through the binary. A PRINT takes
// ";" and "," between its items, so these two reach the expression's own
// checks only when it is translated alone.
TEST(Expression, PrintSeparatorsInsideOneExpression) {
  auto semicolon = Translate("L ; 2");
  EXPECT_EQ(semicolon.failed, 1);
  EXPECT_EQ(semicolon.report, testing::ColumnReport(9, "PRINT L ; 2", 9, "式の要素として不正な文字が含まれています。"));
  auto comma = Translate("L, 2");
  EXPECT_EQ(comma.failed, 1);
  EXPECT_EQ(comma.report, testing::LineReport(9, "PRINT L, 2", "式が不正です。"));
}

}  // namespace
}  // namespace corvel
