#include "expr/expression.h"

#include <gtest/gtest.h>

#include "source/token_codes.h"
#include "test_support.h"

namespace corvel {
namespace {

// The declarations every expression below may use. ORDER: LOC names follow it.
constexpr const char* kDeclarations =
    "DIM B AS BYTE, I AS INTEGER, L AS LONG, O AS LONGLONG, S AS SINGLE, D AS DOUBLE\n"  // LOC0-LOC5
    "DIM T AS STRING, F AS STRING * 4, BO AS BOOLEAN, G AS IMAGE\n"                       // LOC6-LOC9
    "DIM A(10) AS INTEGER, M(2, 3) AS DOUBLE, P AS PT, Q(5) AS PT\n";              // LOC10-LOC13

struct Result {
  int16_t failed = 0;
  std::string text;
  int16_t type = 0;
  std::string report;
  TranslationContext ctx;
};

// Translates the last line, "PRINT expression", after the declarations.
Result Translate(const std::string& expression, const std::string& options = "") {
  const std::string source = options + "TYPE PT\nX AS INTEGER\nY AS DOUBLE\nN AS STRING\nEND TYPE\n" +
                             kDeclarations + "PRINT " + expression;
  auto r = testing::RunPasses(source, 4);
  Result out;
  testing::Captured captured;
  testing::Capture(r.ctx, captured);
  EXPECT_EQ(r.result, 0) << r.report;
  for (size_t i = 0; i + 1 < r.ctx.statements.size(); ++i) {
    if (r.ctx.statements[i].tokens[0].code == kKwDim) {
      EXPECT_EQ(DeclareVariables(r.ctx, static_cast<int16_t>(i)), 0) << captured.reports.back();
    }
  }
  const auto last = static_cast<int16_t>(r.ctx.statements.size() - 1);
  const auto tokens = static_cast<int16_t>(r.ctx.statements.back().tokens.size());
  int16_t extra = 0;
  out.failed = TranslateExpression(r.ctx, last, 1, static_cast<int16_t>(tokens - 1), out.text, out.type, extra);
  if (!captured.reports.empty()) out.report = captured.reports.back();
  r.ctx.reporter = nullptr;
  out.ctx = std::move(r.ctx);
  return out;
}

TEST(Expression, Probe) {
  for (const char* e : {"1 + 2", "I + L * 2", "2 ^ 3 ^ 2", "L / S * D", "L - O + 2", "L \\ O MOD 3", "7 \\ 2",
                        "-I * 2", "-(L + 1)", "I > 3", "3 > D", "T = \"a\"", "T + F", "L AND O", "BO AND BO",
                        "NOT S", "A(1)", "M(1, L)", "P.X", "Q(1).Y", "Abs(I)", "Abs(D)", "Rnd", "Rnd(3)", "Str(S)",
                        "Mid(T, 2)", "Point(1, 2)", "Instr(T, \"x\")", "Len", "L OR O XOR I", "L MOD O * 2", "a$ + a"}) {
    auto r = Translate(e);
    std::cout << e << "  =>  [" << r.failed << "] " << r.text << " : " << r.type << " " << (r.failed ? r.report : "") << "\n";
  }
}

}  // namespace
}  // namespace corvel
