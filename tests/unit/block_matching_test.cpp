#include "checks/block_matching.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace corvel {
namespace {

using testing::RunPasses;

TEST(BlockMatching, LinksOfNestedBlocks) {
  const struct {
    const char* source;
    const char* links;
  } kCases[] = {
      {"IF A THEN\nX = 1\nELSEIF B THEN\nX = 2\nELSE\nIF C THEN X = 3\nEND IF",
       "0 If r0 d0 h0 e0 s9\n"
       "1 Expression r1 d1 h0 e14 s1\n"
       "2 Then r1 d1 h0 e14 s4\n"
       "3 Ordinary r1 d1 h0 e14 s5\n"
       "4 ElseIf r5 d1 h0 e14 s13\n"
       "5 Expression r7 d1 h0 e14 s1\n"
       "6 Then r7 d1 h0 e14 s4\n"
       "7 Ordinary r7 d1 h0 e14 s5\n"
       "8 Else r9 d1 h0 e14 s4\n"
       "9 If r10 d1 h0 e14 s9\n"
       "10 Expression r10 d2 h9 e13 s1\n"
       "11 Then r10 d2 h9 e13 s4\n"
       "12 Ordinary r10 d2 h9 e13 s5\n"
       "13 EndIf r14 d2 h9 e13 s0\n"
       "14 EndIf r15 d1 h0 e14 s6\n"},
      {"SELECT CASE X\nCASE 1\nY = 1\nCASE ELSE\nY = 2\nEND SELECT",
       "0 SelectCase r0 d0 h0 e0 s13\n"
       "1 Expression r1 d1 h0 e7 s1\n"
       "2 Case r3 d1 h0 e7 s6\n"
       "3 Expression r5 d1 h0 e7 s1\n"
       "4 Ordinary r5 d1 h0 e7 s5\n"
       "5 CaseElse r6 d1 h0 e7 s9\n"
       "6 Ordinary r7 d1 h0 e7 s5\n"
       "7 EndSelect r8 d1 h0 e7 s10\n"},
      {"FOR I = 1 TO 3\nFOR J = 1 TO 2 STEP 1\nX = I\nNEXT J, I",
       "0 For r0 d0 h0 e0 s14\n"
       "1 Expression r1 d1 h0 e15 s1\n"
       "2 Expression r1 d1 h0 e15 s1\n"
       "3 ForTo r1 d1 h0 e15 s2\n"
       "4 Expression r1 d1 h0 e15 s1\n"
       "5 For r1 d1 h0 e15 s21\n"
       "6 Expression r6 d2 h5 e13 s1\n"
       "7 Expression r6 d2 h5 e13 s1\n"
       "8 ForTo r6 d2 h5 e13 s2\n"
       "9 Expression r6 d2 h5 e13 s1\n"
       "10 ForStep r6 d2 h5 e13 s4\n"
       "11 Expression r6 d2 h5 e13 s1\n"
       "12 Ordinary r6 d2 h5 e13 s5\n"
       "13 Next r14 d1 h5 e13 s4\n"
       "14 Expression r1 d1 h0 e15 s1\n"
       "15 Next r16 d0 h0 e15 s0\n"
       "16 Expression r0 d0 h0 e0 s1\n"},
      {"DO\nDO WHILE X\nY = 1\nLOOP\nLOOP UNTIL Z > 1",
       "0 Do r0 d0 h0 e0 s2\n"
       "1 DoWhile r1 d1 h0 e5 s10\n"
       "2 Expression r2 d2 h1 e4 s1\n"
       "3 Ordinary r2 d2 h1 e4 s5\n"
       "4 Loop r5 d1 h1 e4 s4\n"
       "5 LoopUntil r6 d0 h0 e5 s16\n"
       "6 Expression r0 d0 h0 e0 s5\n"},
      {"WHILE A: WEND: DO UNTIL B: LOOP",
       "0 While r0 d0 h0 e0 s7\n"
       "1 Expression r1 d1 h0 e2 s1\n"
       "2 Wend r3 d0 h0 e2 s4\n"
       "3 DoUntil r0 d0 h0 e0 s10\n"
       "4 Expression r4 d1 h3 e5 s1\n"
       "5 Loop r6 d0 h3 e5 s4\n"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.source);
    auto r = RunPasses(c.source, 4);
    ASSERT_EQ(r.result, 0) << r.report;
    EXPECT_EQ(DumpBlockLinks(r.ctx), c.links);
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
  EXPECT_EQ(r.report, "2:0:BlocksCross(DO)");
  EXPECT_EQ(RunPasses("DO\nDO WHILE A\nDO\nLOOP WHILE C\nLOOP\nLOOP UNTIL B", 4).result, 0);
}

}  // namespace
}  // namespace corvel
