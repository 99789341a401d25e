#include "stmt/redim.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace corvel {
namespace {

// The Java text of the program's last REDIM statement.
std::string RedimText(const TranslationContext& ctx) {
  for (auto s = ctx.statements.rbegin(); s != ctx.statements.rend(); ++s) {
    if (!s->tokens.empty() && s->tokens[0].text == "REDIM") return s->codeText;
  }
  return {};
}

TEST(Redim, Texts) {
  const struct {
    const char* source;
    const char* text;
  } kCases[] = {
      {"DIM A() AS LONG\nREDIM A(10)", "LOC0.setDimension(1);\r\nLOC0.setRange(1,0,10);\r\nLOC0.setElement(0);"},
      {"OPTION BASE 1\nDIM A() AS LONG\nREDIM A(10)",
       "LOC0.setDimension(1);\r\nLOC0.setRange(1,1,10);\r\nLOC0.setElement(0);"},
      {"DIM A() AS LONG, N AS INTEGER, M AS LONG\nREDIM PRESERVE A(N, 1 TO M + 1)",
       "LOC0.setDimension(2);\r\nLOC0.setRange(1,0,LOC1.Get());\r\nLOC0.setRange(2,1,LOC2.Get()+1);\r\n"
       "LOC0.setElement(1);"},
      // A comma inside a call's parentheses separates arguments, not bounds.
      {"DIM A() AS LONG\nREDIM A(InStr(\"abc\", \"c\"))", "LOC0.setDimension(1);\r\nLOC0.setRange(1,0,"},
      {"DIM A() AS LONG, X AS DOUBLE\nREDIM A(X TO 2)",
       "LOC0.setDimension(1);\r\nLOC0.setRange(1,INTSUB((long)(Math.round(LOC1.Get()))),2);\r\n"
       "LOC0.setElement(0);"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.source);
    auto r = testing::RunPasses(c.source, 6);
    ASSERT_EQ(r.result, 0) << r.report;
    EXPECT_EQ(RedimText(r.ctx).substr(0, std::string(c.text).size()), c.text);
  }
}

TEST(Redim, EveryMessageAtItsColumn) {
  const struct {
    const char* statement;
    int column;
    const char* message;
  } kCases[] = {
      {"REDIM X(5)", 7, "REDIM命令の引数は配列でなければいけません"},
      {"REDIM NOPE(5)", 7, "REDIM命令を使う前に、配列の変数を宣言してください"},
      {"REDIM A(5) B", 12, "REDIM命令の使い方が不正です"},
      {"REDIM A(,5)", 9, "REDIM命令の使い方が不正です"},
      {"REDIM A(5,)", 11, "REDIM命令の使い方が不正です"},
      {"REDIM A(TO 5)", 9, "REDIM命令の使い方が不正です"},
      {"REDIM A(1 TO)", 13, "REDIM命令の使い方が不正です"},
      {"REDIM A 5", 9, "REDIM命令の使い方が不正です"},
      {"REDIM PRESERVE", 15, "REDIM命令の使い方が不正です"},
      {"REDIM A((5)", 11, "REDIM命令の使い方が不正です"},
      {"REDIM A(\"x\")", 9, "添字は10進整数(0 から 2147483647)で指定してください"},
      {"REDIM A(\"x\" TO 5)", 9, "添字は10進整数(-2147483648 から 2147483647)で指定してください"},
      {"REDIM A(1 TO \"y\")", 14, "添字は10進整数(-2147483648 から 2147483647)で指定してください"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.statement);
    auto r = testing::RunPasses(std::string("DIM X AS LONG, A() AS LONG\n") + c.statement, 6);
    EXPECT_NE(r.result, 0);
    EXPECT_EQ(r.report, testing::ColumnReport(2, c.statement, c.column, c.message));
  }
}

}  // namespace
}  // namespace corvel
