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

TEST(Procedures, EveryMessageAtItsPlace) {
  const struct {
    const char* header;
    int column;  // 0: the report names the line only
    const char* message;
  } kCases[] = {
      {"FUNCTION", 0, "FUNCTION名が指定されていません"},
      {"SUB 5", 0, "SUB名として不正な名前が指定されています"},
      {"SUB P()", 0, "SUB名として宣言された名前はすでに他の宣言名として使われています"},
      {"FUNCTION Len()", 0, "FUNCTION名として宣言された名前はすでに他の宣言名として使われています"},
      {"SUB S", 6, "SUBプロシージャ宣言として不正です"},
      {"FUNCTION F X", 12, "返り値の型指定子として使えるのは %(Integer)/ &(Long)/ !(Single) / #(Double) / $(String)の五文字だけです"},
      {"FUNCTION F% X", 13, "FUNCTIONプロシージャ宣言として不正です"},
      {"SUB S(5)", 7, "引数名として不正な名前が指定されています"},
      {"SUB S(G)", 7, "引数名として宣言された名前はすでに他の宣言名として使われています"},
      {"SUB S(A, A)", 10, "引数名として宣言された名前はすでに他の宣言名として使われています"},
      {"FUNCTION F(F)", 12, "引数名として宣言された名前はすでに他の宣言名として使われています"},
      {"SUB S(A(1) AS LONG)", 9, "引数として配列を渡したい場合、(配列名)() AS (配列の型)と記述してください"},
      {"SUB S(A())", 10, "引数として配列を渡したい場合、ASキーワードを使って配列の型を必ず指定してください"},
      {"SUB S(A AS STRING * 5)", 12, "文字列型を固定文字列型として渡すことはできません"},
      {"SUB S(A AS NOTYPE)", 12, "指定されたユーザ定義型は存在しません"},
      {"SUB S(A AS BIGINTEGER)", 12, "このバージョンでは BIGINTEGER型はサポートされていません"},
      {"SUB S(A AS 5)", 12, "データ型として不適切な名前が指定されています"},
      {"SUB S(A *)", 9, "引数の型指定子として使えるのは %(Integer)/ &(Long)/ !(Single) / #(Double) / $(String)の五文字だけです"},
      {"SUB S(A B)", 9, "引数の型指定子として使えるのは %(Integer)/ &(Long)/ !(Single) / #(Double) / $(String)の五文字だけです"},
      {"SUB S(A% B)", 10, "SUBプロシージャ宣言として不正です"},
      {"SUB S(A", 8, "SUBプロシージャ宣言として不正です"},
      {"FUNCTION F() AS STRING * 2", 17, "返り値として固定文字列型を指定することはできません"},
      {"FUNCTION F() AS BIGDECIMAL", 17, "このバージョンでは BIGDECIMAL型はサポートされていません"},
      {"SUB S(X) Y", 0, "SUB (SUB名) に続く同行にはプログラムを書かないでください"},
      {"FUNCTION F() AS LONG Y", 0, "FUNCTION (FUNCTION名) に続く同行にはプログラムを書かないでください"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.header);
    const std::string header = c.header;
    const bool function = header.rfind("FUNCTION", 0) == 0;
    const std::string source = "PUBLIC G\nSUB P()\nEND SUB\n" + header + (function ? "\nEND FUNCTION" : "\nEND SUB");
    auto r = Declare(source);
    EXPECT_NE(r.result, 0);
    EXPECT_EQ(r.report, c.column == 0 ? testing::LineReport(4, header, c.message)
                                      : testing::ColumnReport(4, header, c.column, c.message));
  }
}

// The body phase: statics renamed after their procedure, locals saved from
// the parameters on, the program-counter flag of a body that jumps.
TEST(Procedures, BodiesKeepTheirLocalsAndStatics) {
  auto r = Declare(
      "X = 1\nSUB A(P)\nSTATIC N\nDIM L AS LONG\nGOSUB *S\nEXIT SUB\n*S\nRETURN\nEND SUB\n"
      "FUNCTION B%(Q)\nSTATIC N\nB = Q\nEND FUNCTION");
  ASSERT_EQ(r.result, 0) << r.report;
  const auto& procedures = r.ctx.procedures.records;
  const ProcedureRecord& a = procedures[procedures.size() - 2];
  const ProcedureRecord& b = procedures.back();
  EXPECT_EQ(r.ctx.staticVariables.records[0].name, "N(A)");
  EXPECT_EQ(r.ctx.staticVariables.records[1].name, "N(B)");
  ASSERT_EQ(a.locals.size(), 1u);
  EXPECT_EQ(a.locals[0].javaName, "LOC1");
  ASSERT_EQ(b.locals.size(), 1u);
  EXPECT_EQ(b.locals[0].javaName, "MV");
  EXPECT_EQ(a.programCounterFlag, 1);
  EXPECT_EQ(b.programCounterFlag, 0);
  EXPECT_TRUE(r.ctx.localVariables.records.empty());
}

}  // namespace
}  // namespace corvel
