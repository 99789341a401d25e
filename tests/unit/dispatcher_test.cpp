#include "stmt/dispatcher.h"

#include <gtest/gtest.h>

#include "emit/java_writer.h"
#include "source/token_codes.h"
#include "stmt/procedure_bodies.h"
#include "symbols/procedures.h"
#include "test_support.h"

namespace corvel {
namespace {

struct Translated {
  int16_t failed = 0;
  std::string report;
  TranslationContext ctx;
};

// Every pass of a translation, without writing anything.
Translated TranslateProgram(const std::string& source) {
  auto r = testing::RunPasses(source, 4);
  Translated out;
  testing::Captured captured;
  testing::Capture(r.ctx, captured);
  out.failed = r.result;
  out.report = r.report;
  if (r.result == 0) {
    const bool failed =
        DeclareProcedures(r.ctx) != 0 || TranslateProcedureBodies(r.ctx) != 0 || TranslateMainProgram(r.ctx) != 0;
    out.failed = failed ? 1 : 0;
    out.report = captured.Last();
  }
  r.ctx.reporter = nullptr;
  out.ctx = std::move(r.ctx);
  return out;
}

// The translated texts of whole programs whose statements span several Java
// lines or take a case label, and whether their main program needs the
// program counter. GOSUB, RETURN and END, PRINT and INPUT of
// variables are the golden program ok_basic's.
TEST(Dispatcher, TextsAndTheirForm) {
  const struct {
    const char* source;
    const char* texts;
    int16_t jumpsUsed = 0;
  } kCases[] = {
      // two GOTOs to one label: one comment, one case label
      {"*TOP: X = 1\nGOTO TOP\nGOTO *TOP",
       "0@2: // *TOP\n1: LOC0.Set(1);\n2@2: PC[CPC]=1;|break;\n3@2: PC[CPC]=1;|break;\n", 1},
      // a unit that begins with a jump
      {"GOTO 10\n10 END", "0@2: PC[CPC]=2;|break;\n1@2: // 10\n2@2: PC[CPC]=0;|break;\n", 1},
      {"DIM V(3) AS LONG: INPUT V(1)",
       "1: do{|    initInput(0,\"\",0);|    LOC0.getValue(LOC0.getElement(1,1)+LOC0.getDimension(1)).getInput();|"
       "}while(InputError);\n"},
      // a jump out of a block turns it into the jump form (the structured form is
      // the golden cases', dispatcher.cases)
      {"DIM I AS INTEGER\nFOR I = 1 TO 2: GOTO 9\nNEXT\n9 END",
       "1: LOC0.Set((short)(1));|if(!(1>0?LOC0.LE((short)(2)):LOC0.GE((short)(2)))){|    PC[CPC]=8;|    break;|}\n"
       "6@2: PC[CPC]=9;|break;\n"
       "7@2: if(LOC0.Next((short)(LOC0.Get()+1),1)&&(1>0?LOC0.LE((short)(2)):LOC0.GE((short)(2)))){|    PC[CPC]=3;|    break;|}\n"
       "8@2: // 9\n9@2: PC[CPC]=0;|break;\n", 1},
      // EXIT DO leaves its loop by a jump
      {"DIM F AS BOOLEAN\nDO UNTIL F\nEXIT DO\nLOOP",
       "1@1: if(LOC0.Get()){|    PC[CPC]=5;|    break;|}\n3@2: PC[CPC]=5;|break;\n4@2: PC[CPC]=2;|break;\n", 1},
      // a switch on whole numbers, an if-chain for a string variable and for ranges
      {"DIM N AS INTEGER\nSELECT CASE N\nCASE 1, 2\nX = 1\nCASE 3\nCASE ELSE\nEND SELECT",
       "1: switch(LOC0.Get()){\n3: // CASE 1, 2|case 1:|case 2:\n5: LOC1.Set(1);\n"
       "6:     break;|// CASE 3|case 3:\n8:     break;|// CASE ELSE|default:\n9: }\n"},
      {"DIM S AS STRING\nSELECT CASE S\nCASE \"A\", \"B\"\nCASE ELSE\nEND SELECT",
       "1: {|KWV_String Index1=LOC0;\n3: // CASE \"A\", \"B\"|if(Index1.E(\"A\")||Index1.E(\"B\")){\n"
       "5: // CASE ELSE|}else{\n6: }|}\n"},
      {"DIM N AS INTEGER\nSELECT CASE N\nCASE 1 TO 5\nCASE IS > 10\nEND SELECT",
       "1: {|KWV_Integer Index1=LOC0;\n3: // CASE 1 TO 5|if((new KWV_Long(1).LE(Index1.Get())&&new KWV_Long(5).GE(Index1.Get()))){\n"
       "5: // CASE IS > 10|}else if((new KWV_Long(10).L(Index1.Get()))){\n7: }|}\n"},
      {"DIM N AS INTEGER\nSELECT CASE N\nCASE 1\nGOTO 9\nCASE 2\nEND SELECT\n9 END",
       "1: switch(LOC0.Get()){|case 1:|    PC[CPC]=4;|    break;|case 2:|    PC[CPC]=7;|    break;|default:|    PC[CPC]=9;|}|break;\n"
       "3@2: // CASE 1\n5@2: PC[CPC]=10;|break;\n6@2:     PC[CPC]=9;|    break;|// CASE 2\n8@2: // END SELECT\n"
       "9@2: // 9\n10@2: PC[CPC]=0;|break;\n", 1},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.source);
    auto r = TranslateProgram(c.source);
    ASSERT_EQ(r.failed, 0) << r.report;
    EXPECT_EQ(DumpCodeTexts(r.ctx), c.texts);
    EXPECT_EQ(r.ctx.mainUnit.jumpsUsed, c.jumpsUsed);
  }
}

TEST(Dispatcher, JumpsStayInTheirBlockAndUnit) {
  // Blocks come with their translators; the jump checks already hold on
  // the links that block matching gives.
  auto r = testing::RunPasses("*A: X = 1\nGOTO A", 4);
  ASSERT_EQ(r.result, 0);
  r.ctx.statements[0].areaDetail = 1;  // as if the label stood in a procedure
  testing::Captured captured;
  testing::Capture(r.ctx, captured);
  EXPECT_EQ(TranslateMainProgram(r.ctx), 1);
  EXPECT_EQ(captured.Last(), "2:1:BadGotoTarget");
}

}  // namespace
}  // namespace corvel
