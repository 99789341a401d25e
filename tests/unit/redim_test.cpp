#include "stmt/statement_translators.h"

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
       "LOC0.setDimension(1);\r\nLOC0.setRange(1,INTSUB(LOC1.Get()),2);\r\n"
       "LOC0.setElement(0);"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.source);
    auto r = testing::RunPasses(c.source, 6);
    ASSERT_EQ(r.result, 0) << r.report;
    EXPECT_EQ(RedimText(r.ctx).substr(0, std::string(c.text).size()), c.text);
  }
}

}  // namespace
}  // namespace corvel
