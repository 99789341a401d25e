#include "diag/report_forms.h"

#include <gtest/gtest.h>

#include "diag/error_report.h"
#include "test_support.h"

namespace corvel {
namespace {

// Both forms of every kind of report, exactly: at a column, in a line with
// two message lines (only the lexer gives those), the syntax error in line.
TEST(ReportForms, ReportTextAndGnuLine) {
  TranslationContext ctx;
  testing::Captured captured;
  testing::Capture(ctx, captured);
  ctx.sourceLines = {"X = 1", "    Y = Z + 1 ' note"};
  ReportErrorAt(ctx, 2, 7, Msg(kMsgTooManyTokens, 256));
  ReportErrorInLine(ctx, 1, kMsgNumberOverflow);
  captured.faults.back().second = kMsgHexIntegerRange;
  ReportSyntaxErrorInLine(ctx, 12);
  std::vector<std::string> forms;
  for (const Fault& f : captured.faults) {
    forms.push_back(std::string(f.title) + "\n" + ReportText(f) + "\n" + GnuReport("P.txt", f));
  }
  EXPECT_EQ(forms, (std::vector<std::string>{
      "Syntax Error\n第2行目\r\n    <    Y = Z + 1 ' note>\r\n第7文字目\r\n    1行のトークン数が多すぎます（256個まで）\n"
      "P.txt:2:7: error: 1行のトークン数が多すぎます（256個まで）",
      "Syntax Error\n第1行目\r\n    <X = 1>\r\n    数値リテラルのオーバーフロー\r\n    Integer型の16進数値リテラルの範囲は &H0-&HFFFF です\n"
      "P.txt:1: error: 数値リテラルのオーバーフロー Integer型の16進数値リテラルの範囲は &H0-&HFFFF です",
      "Error\n第12行目\r\n    <>\r\n    Syntax Error In Line 12\nP.txt:12: error: Syntax Error In Line 12",
  }));
}

}  // namespace
}  // namespace corvel
