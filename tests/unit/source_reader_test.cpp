#include "source/source_reader.h"

#include <gtest/gtest.h>

#include "source/text_encoding.h"
#include "test_support.h"

namespace corvel {
namespace {

using testing::LexProgram;

TEST(ReadSource, CountsEveryLineAndKeepsCommentsInTheStore) {
  auto r = LexProgram("\r\n' only a comment\r\n\tX = 1 ' set X\r\n\r\nY");
  ASSERT_EQ(r.result, 0) << r.report;
  EXPECT_EQ(r.ctx.sourceLines,
            (std::vector<std::string>{"", "' only a comment", "    X = 1 ' set X", "", "Y"}));
  EXPECT_EQ(testing::Records(r.ctx), "0:X = 1 | 0:Y");
  EXPECT_EQ(r.ctx.statements[1].lineNumber, 5);
  EXPECT_EQ(GetSourceLine(r.ctx, 2), "    X = 1 ' set X");
  EXPECT_EQ(GetSourceLine(r.ctx, 5), "");
}

TEST(ReadSource, SingleCharacterLastLineWithoutTerminator) {
  auto r = LexProgram("X = 1\nY");
  ASSERT_EQ(r.result, 0);
  EXPECT_EQ(testing::Records(r.ctx), "0:X = 1 | 0:Y");
}

TEST(ReadSource, TooManyLines) {
  std::string program;
  for (int k = 0; k < 32767; ++k) program += "\n";
  EXPECT_EQ(LexProgram(program).result, 0);
  auto r = LexProgram(program + "\tX = 1");
  EXPECT_EQ(r.report, "32768:0:TooManyLines(32767)");
  EXPECT_EQ(r.fault.lineText, "    X = 1");
}

TEST(DecodeSource, Encodings) {
  const std::string utf8 = "PRINT \"日本語\"";
  const std::string cp932 = *Utf8ToCp932(utf8);
  ASSERT_NE(cp932, utf8);
  const struct {
    std::string bytes;
    SourceEncoding encoding;
    bool ok;
    std::string text;
  } kCases[] = {
      {utf8, SourceEncoding::kAuto, true, utf8},
      {"\xEF\xBB\xBF" + utf8, SourceEncoding::kAuto, true, utf8},
      {cp932, SourceEncoding::kAuto, true, utf8},
      {cp932, SourceEncoding::kCp932, true, utf8},
      {cp932, SourceEncoding::kUtf8, false, ""},
      {utf8, SourceEncoding::kUtf8, true, utf8},
      {"\x82", SourceEncoding::kAuto, false, ""},  // a lead byte without its trail byte
      {"X\xA0Y", SourceEncoding::kCp932, false, ""},
  };
  for (const auto& c : kCases) {
    std::string why;
    auto text = DecodeSource(c.bytes, c.encoding, why);
    EXPECT_EQ(text.has_value(), c.ok) << c.bytes;
    if (text) {
      EXPECT_EQ(*text, c.text);
    } else {
      EXPECT_FALSE(why.empty());
    }
  }
}

TEST(DecodeSource, StrictUtf8) {
  const struct {
    const char* bytes;
    bool valid;
  } kCases[] = {
      {"plain", true},          {"\xE6\x97\xA5", true},      {"\xF0\x9F\x98\x80", true},
      {"\xC0\xAF", false},      {"\xE0\x80\xAF", false},     {"\xED\xA0\x80", false},
      {"\xF4\x90\x80\x80", false}, {"\xE6\x97", false},      {"\x80", false},
  };
  for (const auto& c : kCases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
}

TEST(ReadSource, Cp932ProgramReportsCharacterColumns) {
  const std::string utf8 =
      "' 日本語のコメント\r\nPRINT \"こんにちは\"\r\nS$ = \"表示\" + \"ソ\" ? ' 注意\r\n";
  TranslationContext ctx;
  testing::Captured captured;
  testing::Capture(ctx, captured);
  ASSERT_EQ(ReadSourceBytes(ctx, *Utf8ToCp932(utf8), "cp932.txt"), 1);
  ASSERT_EQ(captured.faults.size(), 1u);
  EXPECT_EQ(captured.Last(), "3:17:BadCharacter");
}

TEST(ReadSource, UndecodableFileIsAFailureNotAReport) {
  TranslationContext ctx;
  testing::Captured captured;
  testing::Capture(ctx, captured);
  ctx.encoding = SourceEncoding::kUtf8;
  EXPECT_EQ(ReadSourceBytes(ctx, "X = \"\x93\xFA\"", "dir/p.txt"), 1);
  EXPECT_TRUE(captured.faults.empty());
  EXPECT_EQ(ctx.failureText, "dir/p.txt: このファイルは UTF-8 のテキストとして正しくありません");
}

}  // namespace
}  // namespace corvel
