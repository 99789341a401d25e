#include "stmt/statement_translators.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace corvel {
namespace {

// The one report of its kind: the line only, under the title "Error".
TEST(Graphics, CircleAfterTheAspectIsASyntaxErrorInLine) {
  auto r = testing::RunPasses("X = 1\nCIRCLE (1,1),2,,,,0.5)", 6);
  EXPECT_NE(r.result, 0);
  EXPECT_EQ(r.report, "2:0:SyntaxErrorInLine(2)");
  EXPECT_EQ(r.fault.title, kMsgErrorTitle);
}

}  // namespace
}  // namespace corvel
