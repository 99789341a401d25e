#include "diag/error_report.h"

#include <gtest/gtest.h>

#include "diag/report_forms.h"
#include "test_support.h"

namespace corvel {
namespace {

// The faults of every form of report: at a column, in a line with two
// message lines (only the lexer gives those), and the syntax error in line.
std::vector<Fault> Faults() {
  TranslationContext ctx;
  testing::Captured captured;
  testing::Capture(ctx, captured);
  ctx.sourceLines = {"X = 1", "    Y = Z + 1 ' note"};
  ReportErrorAt(ctx, 2, 7, Msg(kMsgTooManyTokens, 256));
  ReportErrorInLine(ctx, 1, kMsgNumberOverflow);
  captured.faults.back().second = kMsgHexIntegerRange;
  ReportSyntaxErrorInLine(ctx, 12);
  return captured.faults;
}

TEST(ReportForms, ReportTextExactly) {
  std::vector<std::string> texts;
  for (const Fault& fault : Faults()) texts.push_back(std::string(fault.title) + "|" + ReportText(fault));
  EXPECT_EQ(texts, (std::vector<std::string>{
                       "Syntax Error|第2行目\r\n    <    Y = Z + 1 ' note>\r\n第7文字目\r\n    1行のトークン数が多すぎます（256個まで）",
                       "Syntax Error|第1行目\r\n    <X = 1>\r\n    数値リテラルのオーバーフロー\r\n"
                       "    Integer型の16進数値リテラルの範囲は &H0-&HFFFF です",
                       "Error|第12行目\r\n    <>\r\n    Syntax Error In Line 12",
                   }));
}

TEST(ReportForms, GnuLine) {
  std::vector<std::string> lines;
  for (const Fault& fault : Faults()) lines.push_back(GnuReport("P.txt", fault));
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "P.txt:2:7: error: " + std::string(Msg(kMsgTooManyTokens, 256).text),
                       "P.txt:1: error: " + std::string(kMsgNumberOverflow) + " " + std::string(kMsgHexIntegerRange),
                       "P.txt:12: error: Syntax Error In Line 12",
                   }));
}

}  // namespace
}  // namespace corvel
