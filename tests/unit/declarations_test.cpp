#include "symbols/declarations.h"

#include <gtest/gtest.h>

#include "source/token_codes.h"
#include "symbols/user_types.h"
#include "test_support.h"

namespace corvel {
namespace {

using testing::RunPasses;

// Runs the passes through the declarations pass, then declares every DIM
// and STATIC statement in order, as the dispatcher will.
testing::LexResult Declare(const std::string& source) {
  auto r = RunPasses(source, 3);
  testing::Captured captured;
  testing::Capture(r.ctx, captured);
  for (size_t i = 0; r.result == 0 && i < r.ctx.statements.size(); ++i) {
    const int16_t first = r.ctx.statements[i].tokens[0].code;
    if ((first == kKwDim || first == kKwStatic) && DeclareVariables(r.ctx, static_cast<int16_t>(i)) != 0) {
      r.result = 9;
      r.report = captured.Last();
    }
  }
  r.ctx.reporter = nullptr;
  r.ctx.status = nullptr;
  return r;
}

std::string Variables(const std::string& scope, const IndexedTable<VariableRecord>& table) {
  std::string out;
  for (const VariableRecord& v : table.records) {
    out += " " + v.name + "=" + v.javaName + ":" + std::to_string(v.type) + ":" + std::to_string(v.extra);
  }
  return out.empty() ? "" : scope + out + "\n";
}

// Every table the declarations fill, one line each, empty ones left out.
std::string Declared(const TranslationContext& ctx) {
  std::string out = Variables("local", ctx.localVariables) + Variables("static", ctx.staticVariables) +
                    Variables("private", ctx.privateVariables) + Variables("public", ctx.publicVariables);
  for (size_t a = 0; a < ctx.arrays.size(); ++a) {
    const ArrayRecord& array = ctx.arrays[a];
    out += "array" + std::to_string(a) + " " + std::to_string(array.elementType) + "/" +
           std::to_string(array.elementExtra) + " d" + std::to_string(array.dimensions) + " [";
    for (size_t k = 0; k < array.bounds.size(); ++k) out += (k ? "," : "") + std::to_string(array.bounds[k]);
    out += "]\n";
  }
  for (const UserTypeRecord& type : ctx.userTypes.records) {
    out += "type " + type.name + "=" + type.javaName + " used" +
           std::to_string(type.arrayUsed) + Variables("", IndexedTable<VariableRecord>{type.elements, {}});
    if (type.elements.empty()) out += "\n";
  }
  std::string flags;
  for (size_t t = 0; t < ctx.usedTypes.size(); ++t) {
    if (ctx.usedTypes[t] != 0) flags += " " + std::to_string(t);
  }
  return out + "flags" + flags;
}

// Arrays with OPTION BASE, STATIC in a procedure, a record with a fixed
// string: the golden programs ok_structure and ok_procedures.
TEST(Declarations, TablesArraysTypesAndFlags) {
  const struct {
    const char* source;
    const char* declared;
  } kCases[] = {
      {"DIM A, B", "local A=LOC0:5:0 B=LOC1:5:0\nflags 5"},
      {"PUBLIC N AS LONG, M$\nPRIVATE B AS BYTE, O AS LONGLONG, D#, BO AS BOOLEAN, G AS IMAGE, L&",
       "private B=PRI0:1:0 O=PRI1:4:0 D=PRI2:6:0 BO=PRI3:11:0 G=PRI4:12:0 L=PRI5:3:0\n"
       "public N=PUB0:3:0 M=PUB1:9:0\nflags 1 3 4 6 9 11 12"},
      {"DIM A(-5 TO 5, 3) AS DOUBLE", "local A=LOC0:13:0\narray0 6/0 d2 [-5,5,0,3]\nflags 6 26"},
      {"DIM A(-32768 TO 32767) AS BYTE", "local A=LOC0:13:0\narray0 1/0 d1 [-32768,32767]\nflags 1 21"},
      {"DIM S AS STRING * 20, T AS STRING * 0", "local S=LOC0:10:20 T=LOC1:10:0\nflags 9"},
      {"OPTION BASE 1\nTYPE P\nX AS BYTE\nEND TYPE\nTYPE Q\nA(2 TO 3, 4) AS P\nB AS P\nC AS IMAGE\nEND TYPE\n"
       "PUBLIC V(5) AS Q, W AS P",
       "public V=PUB0:13:1 W=PUB1:14:0\narray0 14/0 d2 [2,3,1,4]\narray1 14/1 d1 [1,5]\n"
       "type P=TYP0 used1 X=ELE0:1:0\ntype Q=TYP1 used1 A=ELE0:13:0 B=ELE1:14:0 C=ELE2:12:0\nflags 1 12"},
      {"TYPE T\nX AS INTEGER\nEND TYPE\nDIM X AS T", "local X=LOC0:14:0\ntype T=TYP0 used0 X=ELE0:2:0\nflags 2"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.source);
    auto r = Declare(c.source);
    ASSERT_EQ(r.result, 0) << r.report;
    EXPECT_EQ(Declared(r.ctx), c.declared);
  }
}

TEST(Declarations, UserTypeBlockWithoutEnd) {
  // The placement check stops such a block first; the declaration does not
  // rely on it.
  auto r = RunPasses("TYPE T\nA AS BYTE\nX = 1", 0);
  for (Statement& s : r.ctx.statements) s.area = 200;
  r.ctx.statements.back().area = 400;
  testing::Captured captured;
  testing::Capture(r.ctx, captured);
  int16_t index = 0;
  EXPECT_EQ(DeclareUserType(r.ctx, index), 1);
  EXPECT_EQ(captured.Last(), "1:0:TypeBlockIncomplete");
}

TEST(Declarations, AtMost128Dimensions) {
  // A line holds too few tokens for 129 dimensions; the limit still guards
  // statements that later passes build.
  for (int dimensions : {128, 129}) {
    auto r = RunPasses("DIM A(1) AS BYTE", 2);
    Statement& s = r.ctx.statements[0];
    const Token one = s.tokens[3];
    const Token comma{kTokComma, 4, 1, ","};
    s.tokens.erase(s.tokens.begin() + 3);
    for (int k = 0; k < dimensions; ++k) {
      if (k > 0) s.tokens.insert(s.tokens.begin() + 3, comma);
      s.tokens.insert(s.tokens.begin() + 3, one);
    }
    testing::Captured captured;
    testing::Capture(r.ctx, captured);
    EXPECT_EQ(DeclareVariables(r.ctx, 0), dimensions > 128 ? 1 : 0);
    if (dimensions > 128) {
      EXPECT_EQ(captured.Last(), "1:7:TooManyDimensions(128)");
    } else {
      EXPECT_EQ(r.ctx.arrays[0].dimensions, 128);
    }
  }
}

TEST(Declarations, TooManyVariables) {
  std::string program;
  for (int line = 0; line < 260; ++line) {
    program += "PUBLIC V" + std::to_string(line) + "X0";
    for (int k = 1; k < 127; ++k) program += ", V" + std::to_string(line) + "X" + std::to_string(k);
    program += "\n";
  }
  auto r = RunPasses(program, 3);
  EXPECT_EQ(r.result, 4);
  EXPECT_EQ(r.report, "259:16:TooManyVariables(32767)");
  EXPECT_EQ(r.ctx.publicVariables.records.size(), 32767u);
  EXPECT_EQ(r.ctx.publicVariables.records.back().javaName, "PUB32766");
}

}  // namespace
}  // namespace corvel
