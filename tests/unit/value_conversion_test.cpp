#include "expr/value_conversion.h"

#include <gtest/gtest.h>

#include "expr/library.h"
#include "symbols/context.h"

namespace corvel {
namespace {

TEST(ConvertValue, EveryKindOfPair) {
  const struct {
    int16_t from;
    int16_t to;
    const char* result;  // nullptr: the pair is not supported
  } kCases[] = {
      {1, 23, "X.Get()"},
      {2, 21, "(byte)(X.Get())"},
      {3, 2, "new KWV_Integer((short)(X.Get()))"},
      {4, 3, "new KWV_Long((int)(X.Get()))"},
      {5, 4, "new KWV_Longlong((long)(Math.round((double)(X.Get()))))"},  // not capped at the int range
      {6, 5, "new KWV_Single((float)(X.Get()))"},
      {6, 25, "(float)(X.Get())"},
      {21, 1, "new KWV_Byte(X)"},
      {22, 21, "(byte)(X)"},
      {24, 23, "(int)(X)"},
      {25, 22, "(short)(Math.round((double)(X)))"},
      {26, 3, "new KWV_Long((int)(Math.round(X)))"},
      {26, 5, "new KWV_Single((float)(X))"},  // the cast Java needs
      {42, 3, "new KWV_Long(X)"},
      {46, 5, "new KWV_Single((float)(X))"},
      {43, 24, "X"},
      {44, 3, "new KWV_Long((int)(X))"},
      {3, 3, "X"},
      {3, 26, "X.Get()"},
      {23, 26, "X"},
      {45, 2, "new KWV_Integer((short)(Math.round((double)(X))))"},
      {9, 9, "X"},
      {9, 29, "X.Get()"},
      {10, 9, "new KWV_String(X.Get())"},
      {10, 29, "X.Get()"},
      {29, 9, "new KWV_String(X)"},
      {49, 29, "X"},
      {11, 31, "X.Get()"},
      {51, 11, "new KWV_Boolean(X)"},
      {31, 31, "X"},
      {12, 12, "X"},
      {12, 32, "X.Get()"},
      {32, 12, "X"},
      {13, 33, "X.Get()"},
      {33, 13, "X"},
      {14, 34, "X.Get()"},
      {34, 14, "X"},
      // unsupported
      {29, 23, nullptr},
      {23, 29, nullptr},
      {9, 10, nullptr},
      {11, 23, nullptr},
      {3, 43, nullptr},
      {12, 13, nullptr},
      {31, 9, nullptr},
      {0, 23, nullptr},
  };
  for (const auto& c : kCases) {
    std::string text = "X";
    const int16_t failed = ConvertValue(text, c.from, 0, c.to, 0);
    SCOPED_TRACE(std::to_string(c.from) + " to " + std::to_string(c.to));
    if (c.result == nullptr) {
      EXPECT_EQ(failed, 1);
      EXPECT_EQ(text, "X");
    } else {
      EXPECT_EQ(failed, 0);
      EXPECT_EQ(text, c.result);
    }
  }
}

// Library arguments and subscripts: only a wider number narrowed to an int
// goes through the runtime's range check.
TEST(ConvertChecked, NarrowingToIntIsChecked) {
  const struct {
    int16_t from;
    int16_t to;
    const char* result;
  } kCases[] = {
      {24, 23, "INTARG(X)"},
      {4, 23, "INTARG(X.Get())"},
      {44, 23, "INTARG(X)"},
      {25, 23, "INTARG((long)(Math.round((double)(X))))"},
      {6, 23, "INTARG((long)(Math.round(X.Get())))"},
      {22, 23, "X"},
      {3, 23, "X.Get()"},
      {24, 24, "X"},
      {29, 29, "X"},
  };
  for (const auto& c : kCases) {
    std::string text = "X";
    SCOPED_TRACE(std::to_string(c.from) + " to " + std::to_string(c.to));
    EXPECT_EQ(ConvertChecked(text, c.from, c.to, kCheckArgument), 0);
    EXPECT_EQ(text, c.result);
  }
  std::string text = "X";
  EXPECT_EQ(ConvertChecked(text, 29, 23, kCheckArgument), 1);
  EXPECT_EQ(text, "X");
}

TEST(Library, RegisteredInOrderWithTheirForms) {
  TranslationContext ctx;
  InitLibrary(ctx);
  const size_t entries = ctx.procedures.records.size();
  const ProcedureRecord& rnd = ctx.procedures.records[static_cast<size_t>(FindFirst(ctx.procedures, "RND"))];
  EXPECT_EQ(rnd.javaName, "KWL_Math.KW_rnd");
  EXPECT_EQ(rnd.argumentForms, (std::vector<std::string>{"v", "o", "oo"}));
  EXPECT_EQ(rnd.resultForms, (std::vector<std::string>{"d", "o", "o"}));
  EXPECT_EQ(rnd.classIndex, 4);
  EXPECT_EQ(ctx.procedures.records[0].name, "MOUSEX");
  EXPECT_EQ(ctx.procedures.records.back().name, "TIME");
  // A signature holding more forms than its count keeps the first ones.
  RegisterLibraryFunction(ctx, "Twice", "T.twice", 1, "<l-l><d-d>", kLibraryInClass, 4);
  EXPECT_EQ(ctx.procedures.records.back().argumentForms, (std::vector<std::string>{"l"}));
  EXPECT_EQ(ctx.procedures.records.back().formCount, 1);
  // Every translation starts from a fresh table.
  ctx.libraryClasses[4].used = 1;
  InitLibrary(ctx);
  EXPECT_EQ(ctx.procedures.records.size(), entries);
  EXPECT_EQ(ctx.libraryClasses[4].used, 0);
}

}  // namespace
}  // namespace corvel
