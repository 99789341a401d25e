#include "checks/options.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace corvel {
namespace {

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

// The values the page t.html shows are the golden cases' (options.cases);
// OPTION BASE and OPTION EXPLICIT alone change nothing the output shows.
TEST(Options, ValuesAndDefaults) {
  const struct {
    const char* source;
    const char* values;
  } kCases[] = {
      {"OPTION BASE 1\nOPTION EXPLICIT", "1 1 640 400 -1 -1 -1 -1"},
      {"OPTION BASE 0", "0 0 640 400 -1 -1 -1 -1"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.source);
    auto r = RunPasses(c.source, 2);
    ASSERT_EQ(r.result, 0) << r.report;
    EXPECT_EQ(Values(r.ctx), c.values);
  }
}

}  // namespace
}  // namespace corvel
