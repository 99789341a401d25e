#include "symbols/procedures.h"

#include <gtest/gtest.h>

#include "emit/java_writer.h"
#include "test_support.h"

namespace corvel {
namespace {

// Every pass up to and including the procedures.
testing::LexResult Declare(const std::string& source) { return testing::RunPasses(source, 5); }

// The last procedure of the table: its header, copy-in and return texts,
// signature and result form.
std::string Texts(const TranslationContext& ctx) {
  const ProcedureRecord& p = ctx.procedures.records.back();
  return ctx.statements[static_cast<size_t>(p.firstStatement)].codeText + " | " + p.copyInText + " | " +
         ctx.statements[static_cast<size_t>(p.endStatement)].codeText + " | " + p.argumentForms[0] + " " +
         p.resultForms[0];
}

TEST(Procedures, HeaderCopyInAndReturn) {
  const struct {
    const char* source;
    const char* texts;  // the method name is M + the number of library entries
  } kCases[] = {
      {"FUNCTION F%(BYVAL X AS INTEGER)\nEND FUNCTION",
       "public short M@(short tLOC0){ | KWV_Integer LOC0=new KWV_Integer();\r\nLOC0.Set(tLOC0);\r\n | return MV.Get(); | i i"},
      {"PRIVATE SUB S()\nEND SUB", "private void M@(){ |  | return; | v v"},
      {"SUB S(A, B)\nEND SUB", "public void M@(KWV_Single LOC0,KWV_Single LOC1){ |  | return; | SS v"},
      {"SUB S(A() AS LONG)\nEND SUB", "public void M@(KWA_Long LOC0){ |  | return; | AL v"},
      {"SUB S(BYVAL A() AS STRING, B$, BYREF C#)\nEND SUB",
       "public void M@(KWA_String LOC0,KWV_String LOC1,KWV_Double LOC2){ |  | return; | aCCD v"},
      {"FUNCTION G(X) AS IMAGE\nEND FUNCTION", "public KWC_Image M@(KWV_Single LOC0){ |  | return MV; | S g"},
      {"FUNCTION H(BYVAL P AS IMAGE, BYVAL Q AS BOOLEAN)\nEND FUNCTION",
       "public float M@(KWC_Image LOC0,boolean tLOC1){ | KWV_Boolean LOC1=new KWV_Boolean();\r\nLOC1.Set(tLOC1);\r\n"
       " | return MV.Get(); | ge s"},
      {"TYPE PT\nX AS INTEGER\nEND TYPE\nFUNCTION M(BYVAL A AS PT, B AS PT, C() AS PT) AS PT\nEND FUNCTION",
       "public TYP0 M@(TYP0 LOC0,TYP0 LOC1,KWA_TYP0 LOC2){ |  | return MV; | tTYP0]TTYP0]ATTYP0] tTYP0]"},
      {"PUBLIC FUNCTION L&(BYVAL N AS LONGLONG) AS BYTE\nEND FUNCTION",
       "public byte M@(long tLOC0){ | KWV_Longlong LOC0=new KWV_Longlong();\r\nLOC0.Set(tLOC0);\r\n"
       " | return MV.Get(); | o b"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.source);
    auto r = Declare(c.source);
    ASSERT_EQ(r.result, 0) << r.report;
    std::string expected = c.texts;
    const std::string index = std::to_string(r.ctx.procedures.records.size() - 1);
    expected.replace(expected.find('@'), 1, index);
    EXPECT_EQ(Texts(r.ctx), expected);
  }
}

}  // namespace
}  // namespace corvel
