#include "diag/error_report.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace corvel {
namespace {

TEST(ErrorReport, BothFormsExactly) {
  TranslationContext ctx;
  testing::Captured captured;
  testing::Capture(ctx, captured);
  ctx.sourceLines = {"X = 1", "", "    Y = Z + 1 ' note"};

  ReportErrorAt(ctx, 3, 7, "式が不正です。");
  ReportErrorInLine(ctx, 1, "Option Explicitとしか宣言できません");
  ReportErrorAt(ctx, 3, 1, "数値リテラルのオーバーフロー", "Integer型の16進数値リテラルの範囲は &H0-&HFFFF です");
  ReportErrorInLine(ctx, 2, "一行目", "二行目");
  ReportSyntaxErrorInLine(ctx, 12);

  EXPECT_EQ(captured.titles,
            (std::vector<std::string>{"Syntax Error", "Syntax Error", "Syntax Error", "Syntax Error", "Error"}));
  EXPECT_EQ(captured.reports,
            (std::vector<std::string>{
                "第3行目\r\n    <    Y = Z + 1 ' note>\r\n第7文字目\r\n    式が不正です。",
                "第1行目\r\n    <X = 1>\r\n    Option Explicitとしか宣言できません",
                "第3行目\r\n    <    Y = Z + 1 ' note>\r\n第1文字目\r\n    数値リテラルのオーバーフロー\r\n"
                "    Integer型の16進数値リテラルの範囲は &H0-&HFFFF です",
                "第2行目\r\n    <>\r\n    一行目\r\n    二行目",
                "第12行目\r\n    <>\r\n    Syntax Error In Line 12",
            }));
  EXPECT_TRUE(ctx.errorText.empty());
}

}  // namespace
}  // namespace corvel
