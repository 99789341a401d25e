#include "symbols/procedures.h"

#include <gtest/gtest.h>

#include "emit/java_writer.h"
#include "test_support.h"

namespace corvel {
namespace {

// Every pass up to and including the procedures.
testing::LexResult Declare(const std::string& source) { return testing::RunPasses(source, 5); }

// The last procedure of the table: its copy-in text, argument and result
// forms. Its header and return in the Java are the golden cases'
// (procedures.cases).
std::string Forms(const TranslationContext& ctx) {
  const ProcedureRecord& p = ctx.procedures.records.back();
  return p.copyInText + " | " + p.argumentForms[0] + " " + p.resultForms[0];
}

TEST(Procedures, CopyInAndForms) {
  const struct {
    const char* source;
    const char* forms;
  } kCases[] = {
      {"FUNCTION F%(BYVAL X AS INTEGER)\nEND FUNCTION", "KWV_Integer LOC0=new KWV_Integer();\r\nLOC0.Set(tLOC0);\r\n | i i"},
      {"PRIVATE SUB S()\nEND SUB", " | v v"},
      {"SUB S(A, B)\nEND SUB", " | SS v"},
      {"SUB S(A() AS LONG)\nEND SUB", " | AL v"},
      {"SUB S(BYVAL A() AS STRING, B$, BYREF C#)\nEND SUB", " | aCCD v"},
      {"FUNCTION G(X) AS IMAGE\nEND FUNCTION", " | S g"},
      {"FUNCTION H(BYVAL P AS IMAGE, BYVAL Q AS BOOLEAN)\nEND FUNCTION",
       "KWV_Boolean LOC1=new KWV_Boolean();\r\nLOC1.Set(tLOC1);\r\n | ge s"},
      {"TYPE PT\nX AS INTEGER\nEND TYPE\nFUNCTION M(BYVAL A AS PT, B AS PT, C() AS PT) AS PT\nEND FUNCTION",
       " | tTYP0]TTYP0]ATTYP0] tTYP0]"},
      {"PUBLIC FUNCTION L&(BYVAL N AS LONGLONG) AS BYTE\nEND FUNCTION",
       "KWV_Longlong LOC0=new KWV_Longlong();\r\nLOC0.Set(tLOC0);\r\n | o b"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.source);
    auto r = Declare(c.source);
    ASSERT_EQ(r.result, 0) << r.report;
    EXPECT_EQ(Forms(r.ctx), c.forms);
  }
}

}  // namespace
}  // namespace corvel
