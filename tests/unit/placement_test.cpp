#include "checks/placement.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace corvel {
namespace {

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

}  // namespace
}  // namespace corvel
