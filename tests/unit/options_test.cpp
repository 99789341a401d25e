#include "checks/options.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace corvel {
namespace {

using testing::LineReport;
using testing::RunPasses;

// base explicit width height sprite page reservedWidth reservedHeight [name=value ...];
// -1 is the 16-bit "not given".
std::string Values(const TranslationContext& ctx) {
  const OptionValues& o = ctx.options;
  std::string out;
  for (int16_t v : {o.arrayBase, o.explicitFlag, o.appletWidth, o.appletHeight, o.appletSprite, o.appletPage,
                    o.reservedWidth, o.reservedHeight}) {
    if (!out.empty()) out += ' ';
    out += std::to_string(v);
  }
  for (size_t i = 0; i < ctx.parameterNames.size(); ++i) {
    out += " " + ctx.parameterNames[i] + "=" + ctx.parameterValues[i];
  }
  return out;
}

TEST(Options, ValuesAndDefaults) {
  const struct {
    const char* source;
    const char* values;
  } kCases[] = {
      {"", "0 0 640 400 -1 -1 -1 -1"},
      {"X = 1", "0 0 640 400 -1 -1 -1 -1"},
      {"OPTION BASE 1\nOPTION EXPLICIT", "1 1 640 400 -1 -1 -1 -1"},
      {"OPTION BASE 0", "0 0 640 400 -1 -1 -1 -1"},
      {"OPTION APPLETWIDTH = 320\nOPTION APPLETHEIGHT = 0", "0 0 320 0 -1 -1 -1 -1"},
      {"OPTION APPLETSPRITE = 8\nOPTION APPLETPAGE = 2\nOPTION RESERVEDWIDTH = 100\nOPTION RESERVEDHEIGHT = 32767",
       "0 0 640 400 8 2 100 32767"},
      {"Option AppletWidth = 010", "0 0 10 400 -1 -1 -1 -1"},
      {"OPTION PARAMETER \"speed\"-\"10\"\nOPTION PARAMETER \"speed\" - \"\"",
       "0 0 640 400 -1 -1 -1 -1 \"speed\"=\"10\" \"speed\"=\"\""},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.source);
    auto r = RunPasses(c.source, 2);
    ASSERT_EQ(r.result, 0) << r.report;
    EXPECT_EQ(Values(r.ctx), c.values);
  }
}

TEST(Options, EveryMessage) {
  const struct {
    const char* source;
    const char* message;
  } kCases[] = {
      {"OPTION BASE 1\nOPTION BASE 0", "Option Baseが二重定義されています"},
      {"OPTION BASE", "Option Base 0/Option Base 1のどちらかでしか宣言できません"},
      {"OPTION BASE 1 2", "Option Base 0/Option Base 1のどちらかでしか宣言できません"},
      {"OPTION BASE 2", "Option Base 0/Option Base 1のどちらかの書き方しかできません"},
      {"OPTION BASE X", "Option Base 0/Option Base 1のどちらかの書き方しかできません"},
      {"OPTION EXPLICIT\nOPTION EXPLICIT", "Option Explicitが二重定義されています"},
      {"OPTION EXPLICIT ON", "Option Explicitとしか宣言できません"},
      {"OPTION APPLETWIDTH = 1\nOPTION APPLETWIDTH = 200", "Option AppletWidthが二重定義されています"},
      {"OPTION APPLETHEIGHT = 1\nOPTION APPLETHEIGHT = 1", "Option AppletHeightが二重定義されています"},
      {"OPTION APPLETSPRITE = 1\nOPTION APPLETSPRITE = 1", "Option AppletSpriteが二重定義されています"},
      {"OPTION APPLETPAGE = 1\nOPTION APPLETPAGE = 1", "Option AppletPageが二重定義されています"},
      {"OPTION RESERVEDWIDTH = 1\nOPTION RESERVEDWIDTH = 1", "Option ReservedWidthが二重定義されています"},
      {"OPTION RESERVEDHEIGHT = 1\nOPTION RESERVEDHEIGHT = 1", "Option ReservedHeightが二重定義されています"},
      {"OPTION APPLETWIDTH 320", "Option AppletWidth=(0以上の10進整数値リテラル)と宣言してください"},
      {"OPTION APPLETWIDTH = 3.5", "Option AppletWidth=(0以上の10進整数値リテラル)と宣言してください"},
      {"OPTION APPLETWIDTH = -3", "Option AppletWidth=(0以上の10進整数値リテラル)と宣言してください"},
      {"OPTION APPLETWIDTH = &H10", "Option AppletWidth=(0以上の10進整数値リテラル)と宣言してください"},
      {"OPTION APPLETWIDTH = 2147483648", "Option AppletWidth=(0以上の10進整数値リテラル)と宣言してください"},
      {"OPTION APPLETHEIGHT = X", "Option AppletHeight=(0以上の10進整数値リテラル)と宣言してください"},
      {"OPTION APPLETSPRITE", "Option AppletSprite=(0以上の10進整数値リテラル)と宣言してください"},
      {"OPTION APPLETPAGE = 1 2", "Option AppletPage=(0以上の10進整数値リテラル)と宣言してください"},
      {"OPTION RESERVEDWIDTH = \"1\"", "Option ReservedWidth=(0以上の10進整数値リテラル)と宣言してください"},
      {"OPTION RESERVEDHEIGHT == 1", "Option ReservedHeight=(0以上の10進整数値リテラル)と宣言してください"},
      {"OPTION APPLETWIDTH = 32768", "Option AppletWidthの値は 0 から 32767 までで指定してください"},
      {"OPTION APPLETPAGE = 65535", "Option AppletPageの値は 0 から 32767 までで指定してください"},
      {"OPTION PARAMETER \"speed\"", "Option Parameter \"パラメータ名\"-\"パラメータの内容\"と宣言してください"},
      {"OPTION PARAMETER \"a\" + \"b\"", "Option Parameter \"パラメータ名\"-\"パラメータの内容\"と宣言してください"},
      {"OPTION PARAMETER a - \"b\"", "Option Parameter \"パラメータ名\"-\"パラメータの内容\"と宣言してください"},
      {"OPTION LIBRARY", "不適切な Option宣言です"},
      {"OPTION FILE", "不適切な Option宣言です"},
      {"OPTION", "不適切な Option宣言です"},
      {"OPTION SPEED = 3", "不適切な Option宣言です"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.source);
    auto r = RunPasses(c.source, 2);
    EXPECT_EQ(r.result, 3);
    const std::string& last = r.ctx.sourceLines.back();
    EXPECT_EQ(r.report, LineReport(static_cast<int>(r.ctx.sourceLines.size()), last, c.message));
  }
}

}  // namespace
}  // namespace corvel
