#include "checks/block_matching.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace corvel {
namespace {

using testing::LineReport;
using testing::RunPasses;

// One line per record: index kind region depth head end span.
std::string Links(const TranslationContext& ctx) {
  std::string out;
  for (size_t i = 0; i < ctx.statements.size(); ++i) {
    const Statement& s = ctx.statements[i];
    out += std::to_string(i) + " " + std::to_string(s.kind) + " r" + std::to_string(s.blockRegion) + " d" +
           std::to_string(s.blockDepth) + " h" + std::to_string(s.blockHead) + " e" + std::to_string(s.blockEnd) +
           " s" + std::to_string(s.span) + "\n";
  }
  return out;
}

TEST(BlockMatching, LinksOfNestedBlocks) {
  const struct {
    const char* source;
    const char* links;
  } kCases[] = {
      {"IF A THEN\nX = 1\nELSEIF B THEN\nX = 2\nELSE\nIF C THEN X = 3\nEND IF",
       "0 101 r0 d0 h0 e0 s9\n"
       "1 3 r1 d1 h0 e14 s1\n"
       "2 102 r1 d1 h0 e14 s4\n"
       "3 0 r1 d1 h0 e14 s5\n"
       "4 103 r5 d1 h0 e14 s13\n"
       "5 3 r7 d1 h0 e14 s1\n"
       "6 102 r7 d1 h0 e14 s4\n"
       "7 0 r7 d1 h0 e14 s5\n"
       "8 104 r9 d1 h0 e14 s4\n"
       "9 101 r10 d1 h0 e14 s9\n"
       "10 3 r10 d2 h9 e13 s1\n"
       "11 102 r10 d2 h9 e13 s4\n"
       "12 0 r10 d2 h9 e13 s5\n"
       "13 105 r14 d2 h9 e13 s0\n"
       "14 105 r15 d1 h0 e14 s6\n"},
      {"SELECT CASE X\nCASE 1\nY = 1\nCASE ELSE\nY = 2\nEND SELECT",
       "0 201 r0 d0 h0 e0 s13\n"
       "1 3 r1 d1 h0 e7 s1\n"
       "2 202 r3 d1 h0 e7 s6\n"
       "3 3 r5 d1 h0 e7 s1\n"
       "4 0 r5 d1 h0 e7 s5\n"
       "5 203 r6 d1 h0 e7 s9\n"
       "6 0 r7 d1 h0 e7 s5\n"
       "7 204 r8 d1 h0 e7 s10\n"},
      {"FOR I = 1 TO 3\nFOR J = 1 TO 2 STEP 1\nX = I\nNEXT J, I",
       "0 301 r0 d0 h0 e0 s14\n"
       "1 3 r1 d1 h0 e15 s1\n"
       "2 3 r1 d1 h0 e15 s1\n"
       "3 302 r1 d1 h0 e15 s2\n"
       "4 3 r1 d1 h0 e15 s1\n"
       "5 301 r1 d1 h0 e15 s21\n"
       "6 3 r6 d2 h5 e13 s1\n"
       "7 3 r6 d2 h5 e13 s1\n"
       "8 302 r6 d2 h5 e13 s2\n"
       "9 3 r6 d2 h5 e13 s1\n"
       "10 303 r6 d2 h5 e13 s4\n"
       "11 3 r6 d2 h5 e13 s1\n"
       "12 0 r6 d2 h5 e13 s5\n"
       "13 304 r14 d1 h5 e13 s4\n"
       "14 3 r1 d1 h0 e15 s1\n"
       "15 304 r16 d0 h0 e15 s0\n"
       "16 3 r0 d0 h0 e0 s1\n"},
      {"DO\nDO WHILE X\nY = 1\nLOOP\nLOOP UNTIL Z > 1",
       "0 601 r0 d0 h0 e0 s2\n"
       "1 501 r1 d1 h0 e5 s10\n"
       "2 3 r2 d2 h1 e4 s1\n"
       "3 0 r2 d2 h1 e4 s5\n"
       "4 503 r5 d1 h1 e4 s4\n"
       "5 603 r6 d0 h0 e5 s16\n"
       "6 3 r0 d0 h0 e0 s5\n"},
      {"WHILE A: WEND: DO UNTIL B: LOOP",
       "0 401 r0 d0 h0 e0 s7\n"
       "1 3 r1 d1 h0 e2 s1\n"
       "2 402 r3 d0 h0 e2 s4\n"
       "3 502 r0 d0 h0 e0 s10\n"
       "4 3 r4 d1 h3 e5 s1\n"
       "5 503 r6 d0 h3 e5 s4\n"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.source);
    auto r = RunPasses(c.source, 4);
    ASSERT_EQ(r.result, 0) << r.report;
    EXPECT_EQ(Links(r.ctx), c.links);
  }
}

TEST(BlockMatching, EveryMessageAtItsLine) {
  const struct {
    const char* source;
    int line;
    const char* message;
  } kCases[] = {
      {"IF A THEN\nX = 1", 1, "IFブロックが完結していません"},
      {"X = 1\nIF A THEN\nSUB S\nEND IF\nEND SUB", 2, "IFブロックが完結していません"},
      {"SUB S\nFOR I = 1 TO 2\nEND SUB\nSUB T\nNEXT\nEND SUB", 2, "FORブロックが完結していません"},
      {"SELECT CASE X\nCASE 1", 1, "SELECT CASEブロックが完結していません"},
      {"FOR I = 1 TO 2\nFOR J = 1 TO 2\nNEXT", 1, "FORブロックが完結していません"},
      {"WHILE A", 1, "WHILEブロックが完結していません"},
      {"DO WHILE A\nLOOP WHILE B", 1, "DO WHILEブロックが完結していません"},
      {"DO UNTIL A", 1, "DO UNTILブロックが完結していません"},
      {"DO\nLOOP", 1, "DOブロックが完結していません"},
      {"IF A THEN\nELSE\nELSEIF B THEN\nEND IF", 3, "ELSEブロックの後ろに ELSEIFブロックが書かれています"},
      {"IF A THEN\nELSE\nELSE\nEND IF", 3, "ELSEブロックの二重定義です"},
      {"IF A THEN X = 1 ELSE Y = 1 ELSE Z = 1", 1, "ELSEブロックの二重定義です"},
      {"SELECT CASE X\nCASE ELSE\nCASE 1\nEND SELECT", 3, "CASE ELSEブロックの後ろに CASEブロックが書かれています"},
      {"SELECT CASE X\nCASE ELSE\nCASEELSE\nEND SELECT", 3, "CASE ELSEブロックの二重定義です"},
      {"ELSEIF A THEN", 1, "ELSEIFに対応する IFブロックがありません"},
      {"X = 1\nELSE", 2, "ELSEに対応する IFブロックがありません"},
      {"IF A THEN\nEND IF\nEND IF", 3, "END IFに対応する IFブロックがありません"},
      {"CASE 1", 1, "CASEに対応する SELECT CASEブロックがありません"},
      {"CASE ELSE", 1, "CASE ELSEに対応する SELECT CASEブロックがありません"},
      {"END SELECT", 1, "END SELECTに対応する SELECT CASEブロックがありません"},
      {"FOR I = 1 TO 2\nNEXT I, J", 2, "NEXTに対応する FORブロックがありません"},
      {"WEND", 1, "WENDに対応する WHILEブロックがありません"},
      {"LOOP", 1, "LOOPに対応する DO WHILE/DO UNTILブロックがありません"},
      {"LOOP WHILE A", 1, "LOOP WHILEに対応する DOブロックがありません"},
      {"LOOP UNTIL A", 1, "LOOP UNTILに対応する DOブロックがありません"},
      {"FOR I = 1 TO 2\nWHILE A\nNEXT\nWEND", 2, "WHILEブロックが外側のブロックと交差しています"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.source);
    auto r = RunPasses(c.source, 4);
    EXPECT_EQ(r.result, 5);
    EXPECT_EQ(r.report, LineReport(c.line, r.ctx.sourceLines[static_cast<size_t>(c.line - 1)], c.message));
  }
}

TEST(BlockMatching, NestedIfElseIsNotTheOuterElse) {
  auto r = RunPasses("IF A THEN\nIF B THEN\nELSE\nEND IF\nELSE\nEND IF", 4);
  EXPECT_EQ(r.result, 0) << r.report;
}

TEST(BlockMatching, LoopFamiliesCountOnlyTheirOwnHeads) {
  auto r = RunPasses("DO WHILE A\nDO\nLOOP\nLOOP UNTIL B\nLOOP", 4);
  EXPECT_EQ(r.result, 5);
  // The plain LOOP closes DO WHILE, so the DO inside would end outside it.
  EXPECT_EQ(r.report, LineReport(2, "DO", "DOブロックが外側のブロックと交差しています"));
  EXPECT_EQ(RunPasses("DO\nDO WHILE A\nDO\nLOOP WHILE C\nLOOP\nLOOP UNTIL B", 4).result, 0);
}

}  // namespace
}  // namespace corvel
