#include "checks/placement.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace corvel {
namespace {

using testing::LineReport;
using testing::RunPasses;

std::string Areas(const TranslationContext& ctx) {
  std::string out;
  for (const Statement& s : ctx.statements) {
    if (!out.empty()) out += ' ';
    out += std::to_string(s.area);
    if (s.areaDetail != 0) out += "/" + std::to_string(s.areaDetail);
  }
  return out;
}

TEST(Placement, AreasAndProcedureOrdinals) {
  const struct {
    const char* source;
    const char* areas;
  } kCases[] = {
      {"", ""},
      {"OPTION BASE 1\nOPTION EXPLICIT\nPUBLIC A\nTYPE T\nX AS INTEGER\nEND TYPE\nPRIVATE B\nDIM C\nPRINT C",
       "100 100 300 200 200 200 300 400 400"},
      {"X = 1\nSUB S\nSTATIC Y\nEXIT SUB\nEND SUB\nFUNCTION F\nEXIT FUNCTION\nEND FUNCTION\nPRIVATE SUB P\nEND SUB",
       "400 500/1 500/1 500/1 500/1 500/2 500/2 500/2 500/3 500/3"},
      {"*L: IF A THEN GOTO L ELSE END\nFOR I = 1 TO 2: NEXT",
       "400 400 400 400 400 400 400 400 400 400 400 400 400 400"},
      {"SUB S\n*L: IF A THEN X = 1\nEND SUB", "500/1 500/1 500/1 500/1 500/1 500/1 500/1 500/1"},
      {"TYPE T\nEND TYPE", "200 200"},
      {"PUBLIC A\nSUB S\nEND SUB", "300 500/1 500/1"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.source);
    auto r = RunPasses(c.source, 1);
    ASSERT_EQ(r.result, 0) << r.report;
    EXPECT_EQ(Areas(r.ctx), c.areas);
  }
}

TEST(Placement, EveryMessageAtItsLine) {
  const struct {
    const char* source;
    int line;
    const char* message;
  } kCases[] = {
      {"PUBLIC X\nOPTION EXPLICIT", 2, "オプションが不適切な場所で宣言されています"},
      {"X = 1\nOPTION BASE 1", 2, "オプションが不適切な場所で宣言されています"},
      {"X = 1\nPUBLIC Y", 2, "PUBLIC変数が不適切な場所で宣言されています"},
      {"SUB S\nEND SUB\nPRIVATE Y", 3, "PRIVATE変数が不適切な場所で宣言されています"},
      {"X = 1\nTYPE T\nA AS INTEGER\nEND TYPE", 2, "ユーザ定義型が不適切な場所で宣言されています"},
      {"TYPE T\nA AS INTEGER", 1, "ユーザ定義型宣言ブロックが完結していません"},
      {"PUBLIC A\nTYPE T\nA AS INTEGER\nTYPE U\nEND TYPE", 2, "ユーザ定義型宣言ブロックが完結していません"},
      {"TYPE T\nIF X THEN\nEND TYPE", 2, "不適切なプログラムが ユーザ定義型宣言部に書かれています"},
      {"TYPE T\n10 A AS INTEGER\nEND TYPE", 2, "不適切なプログラムが ユーザ定義型宣言部に書かれています"},
      {"STATIC X", 1, "不適切な場所にプログラムが書かれています"},
      {"SUB S\nEND SUB\nX = 1", 3, "不適切な場所にプログラムが書かれています"},
      {"END SUB", 1, "不適切な場所にプログラムが書かれています"},
      {"X = 1\nEND TYPE", 2, "不適切な場所にプログラムが書かれています"},
      {"SUB S\nX = 1", 1, "SUB定義が完結していません"},
      {"X = 1\nFUNCTION F\nX = 1", 2, "FUNCTION定義が完結していません"},
      {"FUNCTION F\nEND SUB", 2, "不適切なプログラムが FUNCTION定義部に書かれています"},
      {"SUB S\nPUBLIC X\nEND SUB", 2, "不適切なプログラムが SUB定義部に書かれています"},
      {"SUB S\nEND\nEND SUB", 2, "不適切なプログラムが SUB定義部に書かれています"},
      {"SUB S\nEXIT FUNCTION\nEND SUB", 2, "不適切なプログラムが SUB定義部に書かれています"},
      {"SUB S\nSUB T\nEND SUB", 2, "不適切なプログラムが SUB定義部に書かれています"},
      {"FUNCTION F\n10 X = 1\nEND FUNCTION", 2, "不適切なプログラムが FUNCTION定義部に書かれています"},
      {"FUNCTION F\nOPTION BASE 1\nEND FUNCTION", 2, "不適切なプログラムが FUNCTION定義部に書かれています"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.source);
    auto r = RunPasses(c.source, 1);
    EXPECT_EQ(r.result, 2);
    EXPECT_EQ(r.report, LineReport(c.line, r.ctx.sourceLines[static_cast<size_t>(c.line - 1)], c.message));
  }
}

}  // namespace
}  // namespace corvel
