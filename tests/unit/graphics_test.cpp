#include "stmt/graphics.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace corvel {
namespace {

// The Java text of the program's last statement.
std::string LastText(const TranslationContext& ctx) {
  for (auto s = ctx.statements.rbegin(); s != ctx.statements.rend(); ++s) {
    if (!s->codeText.empty()) return s->codeText;
  }
  return {};
}

constexpr const char* kDeclarations = "DIM IMG AS IMAGE, S AS STRING, D AS DOUBLE\n";

TEST(Graphics, Texts) {
  const struct {
    const char* statement;
    const char* text;
  } kCases[] = {
      {"LINE (0,0)-(10,10)", "KWC_GraphicScreen.KW_line(0,0,0,0,10,10,false,0,0);"},
      {"LINE -(5,5),3,BF", "KWC_GraphicScreen.KW_line(2,0,0,0,5,5,true,3,2);"},
      {"LINE (0,0)-STEP(5,5),,B", "KWC_GraphicScreen.KW_line(0,0,0,1,5,5,false,0,1);"},
      {"LINE IMG,(1,2)-(3,4),7", "KWC_GraphicScreen.KW_line(LOC0,1,2,0,3,4,true,7,0);"},
      {"PSET STEP(1,1)", "KWC_GraphicScreen.KW_line(1,1,1,1,0,0,false,0,0);"},
      {"PSET (2,3),9", "KWC_GraphicScreen.KW_line(0,2,3,1,0,0,true,9,0);"},
      {"CIRCLE (50,50),20", "KWC_GraphicScreen.KW_circle(0,50,50,20,false,0,false,0,false,0,false,0,0);"},
      {"CIRCLE (50,50),20,,,,0.5", "KWC_GraphicScreen.KW_circle(0,50,50,20,false,0,false,0,false,0,true,.5f,0);"},
      {"CIRCLE (50,50),20,4,,,,F", "KWC_GraphicScreen.KW_circle(0,50,50,20,true,4,false,0,false,0,false,0,1);"},
      {"CIRCLE (50,50),20,4,D", "KWC_GraphicScreen.KW_circle(0,50,50,20,true,4,true,LOC2.Get(),false,0,false,0,0);"},
      {"CIRCLE IMG,(5,5),3", "KWC_GraphicScreen.KW_circle(LOC0,5,5,3,false,0,false,0,false,0,false,0,0);"},
      {"DRAWSTR (10,10),\"A\"", "KWC_GraphicScreen.KW_drawStr(0,10,10,\"A\",false,-1);"},
      {"DRAWSTR STEP(1,2),S,5", "KWC_GraphicScreen.KW_drawStr(1,1,2,LOC1.Get(),true,5);"},
      {"SCREEN ,2", "KWC_Screen.KW_screen(false,0,true,2,false,0,false,0);"},
      {"SCREEN", "KWC_Screen.KW_screen(false,0,false,0,false,0,false,0);"},
      {"SCREEN 1,,3,4", "KWC_Screen.KW_screen(true,1,false,0,true,3,true,4);"},
      {"PAINT (1,1)", "KWC_GraphicScreen.KW_paint(0,1,1,false,0,false,0);"},
      {"PAINT (1,1),,3", "KWC_GraphicScreen.KW_paint(0,1,1,false,0,true,3);"},
      {"GET (0,0)-STEP(9,9),IMG", "KWC_GraphicScreen.KW_get(0,0,0,1,9,9,LOC0);"},
      {"PUT STEP(2,2),IMG", "KWC_GraphicScreen.KW_put(1,2,2,LOC0);"},
      // A DOUBLE coordinate passes the runtime's int check.
      {"PSET (D,1)", "KWC_GraphicScreen.KW_line(0,INTARG((long)(Math.round(LOC2.Get()))),1,1,0,0,false,0,0);"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.statement);
    auto r = testing::RunPasses(std::string(kDeclarations) + c.statement, 6);
    ASSERT_EQ(r.result, 0) << r.report;
    EXPECT_EQ(LastText(r.ctx), c.text);
  }
}

// The one report of its kind: the line only, under the title "Error".
TEST(Graphics, CircleAfterTheAspectIsASyntaxErrorInLine) {
  auto r = testing::RunPasses("X = 1\nCIRCLE (1,1),2,,,,0.5)", 6);
  EXPECT_NE(r.result, 0);
  EXPECT_EQ(r.report, testing::LineReport(2, "CIRCLE (1,1),2,,,,0.5)", "Syntax Error In Line 2"));
}

}  // namespace
}  // namespace corvel
