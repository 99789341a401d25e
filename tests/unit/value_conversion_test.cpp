#include "expr/value_conversion.h"

#include <gtest/gtest.h>

#include "context/context.h"

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
      {5, 4, "new KWV_Longlong(CLNG64(X.Get()))"},
      {6, 5, "new KWV_Single((float)(X.Get()))"},
      {6, 25, "(float)(X.Get())"},
      {21, 1, "new KWV_Byte(X)"},
      {22, 21, "(byte)(X)"},
      {24, 23, "(int)(X)"},
      {25, 22, "CINT16(X)"},
      {26, 3, "new KWV_Long(CLNG32(X))"},
      {26, 5, "new KWV_Single((float)(X))"},  // the cast Java needs
      {42, 3, "new KWV_Long(X)"},
      {46, 5, "new KWV_Single((float)(X))"},
      {43, 24, "X"},
      {44, 3, "new KWV_Long((int)(X))"},
      {3, 3, "X"},
      {3, 26, "X.Get()"},
      {23, 26, "X"},
      {45, 2, "new KWV_Integer(CINT16(X))"},
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

}  // namespace
}  // namespace corvel
