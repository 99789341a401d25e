#include "source/lexer.h"

#include <gtest/gtest.h>

#include "source/token_codes.h"
#include "test_support.h"

namespace corvel {
namespace {

using testing::LexProgram;

// ---------------------------------------------------------------------------
// Literals: the token that follows "X = " on a line. Its Java text shows in
// the translation (lexer.cases) except where the number is written anew.

struct LiteralCase {
  const char* literal;
  int16_t code;
  int16_t length;
  const char* text = nullptr;
};

const LiteralCase kLiterals[] = {
    {"&H8000", kTokHexOctal, 6},
    {"&h7fff", kTokHexOctal, 6},
    {"&HFFFF&", kTokHexOctal, 7},
    {"&HFFFFFFFF&", kTokHexOctal, 11},
    {"&H1&&", kTokHexOctalLonglong, 5},
    {"&HFFFFFFFFFFFFFFFF&&", kTokHexOctalLonglong, 20},
    {"&177777", kTokHexOctal, 7},
    {"&o17", kTokHexOctal, 4},
    {"&77777", kTokHexOctal, 6},
    {"&37777777777&", kTokHexOctal, 13},
    {"&7777777777&", kTokHexOctal, 12},
    {"&1777777777777777777777&&", kTokHexOctalLonglong, 25},
    {"&777777777777777777777&&", kTokHexOctalLonglong, 24},
    {"1.5E-3", kTokNumber, 6, "1.5E-3"},
    {"1.5e+3", kTokNumber, 6, "1.5E+3"},
    {"2d10", kTokNumber, 4, "2D10"},
    {".5", kTokNumber, 2},
    {"1.", kTokNumber, 2, "1."},
    {"07", kTokNumber, 2, "07"},
    {"0", kTokNumber, 1},
    {"\"It's \\\"x\\\"\"", kTokString, 12},
    {"\"日本語\"", kTokString, 5},
    {"\"\"", kTokString, 2},
};

TEST(LexerLiterals, JavaTextCodeAndLength) {
  for (const LiteralCase& c : kLiterals) {
    SCOPED_TRACE(c.literal);
    auto r = LexProgram(std::string("X = ") + c.literal);
    ASSERT_EQ(r.result, 0) << r.report;
    ASSERT_EQ(r.ctx.statements.size(), 1u);
    const auto& tokens = r.ctx.statements[0].tokens;
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[2].code, c.code);
    if (c.text != nullptr) {
      EXPECT_EQ(tokens[2].text, c.text);
    }
    EXPECT_EQ(tokens[2].column, 5);
    EXPECT_EQ(tokens[2].length, c.length);
  }
}

// Token codes and texts of whole lines, "code:text" per token. Keywords and
// operators the expression tests and the programs read are left to them.
struct TokensCase {
  const char* line;
  const char* tokens;
};

const TokensCase kTokenLines[] = {
    {"a.b", "1000:A 11:. 1000:B"},
    {"a<=b<>c>=d", "1000:A 14:< 13:= 1000:B 14:< 12:> 1000:C 12:> 13:= 1000:D"},
    {"n$ = s! + d# + i% + l& + q", "1000:N 103:$ 13:= 1000:S 101:! 8:+ 1000:D 102:# 8:+ 1000:I 104:% 8:+ 1000:L 105:& 8:+ 1000:Q"},
    {"a&h1 = b & &H1", "1000:A 105:& 1000:H1 13:= 1000:B 105:& 1143:0x1"},
    {"x = (a ^ 2) * [3] / 4 \\ 5 - 6", "1000:X 13:= 1:( 1000:A 3:^ 1100:2 2:) 4:* 15:[ 1100:3 16:] 5:/ 1100:4 6:\\ 1100:5 9:- 1100:6"},
    {"not_a_keyword1 = _x", "1000:NOT_A_KEYWORD1 13:= 1000:_X"},
};

std::string TokenDump(const std::vector<Token>& tokens) {
  std::string out;
  for (const Token& t : tokens) {
    if (!out.empty()) out += ' ';
    out += std::to_string(t.code) + ":" + t.text;
  }
  return out;
}

TEST(LexerTokens, CodesAndTexts) {
  for (const TokensCase& c : kTokenLines) {
    SCOPED_TRACE(c.line);
    auto r = LexProgram(c.line);
    ASSERT_EQ(r.result, 0) << r.report;
    ASSERT_EQ(r.ctx.statements.size(), 1u);
    EXPECT_EQ(TokenDump(r.ctx.statements[0].tokens), c.tokens);
  }
}

// ---------------------------------------------------------------------------
// Statement records: "kind:tokens" per record.

struct RecordsCase {
  const char* source;
  const char* records;
};

const RecordsCase kRecords[] = {
    // Keywords whose record the golden and end-to-end programs already need
    // (IF, ELSE, END IF, loops, SELECT CASE, FUNCTION, SUB, TYPE, ...) are
    // left to them; here the other spellings and the edges.
    // ordinary statements, colons, labels, line numbers
    {"X = 1: Y = 2", "0:X = 1 | 0:Y = 2"},
    {"X = 1 :: Y = 2:", "0:X = 1 | 0:Y = 2"},
    {"*START: PRINT X", "803:* START | 0:PRINT X"},
    {"*start", "803:* START"},
    {"10 PRINT X", "903:10 | 0:PRINT X"},
    {"10", "903:10"},
    {"20 IF A THEN", "903:20 | 101:IF | 3:A | 102:THEN"},
    {"PRINT 10", "0:PRINT 10"},
    // a remark runs to the end of its line, whatever it holds
    {"REM a: b? say \"hi", "0:REM"},
    {"X = 1: REM loop", "0:X = 1 | 0:REM"},
    {"IF A THEN REM END IF", "101:IF | 3:A | 102:THEN | 0:REM | 105:<405>"},
    {"REMARK = 1", "0:REMARK = 1"},
    {"", ""},
    {"   ", ""},
    // the one-line IF: END and EXIT may end its parts
    {"IF A > 3 THEN X = 1", "101:IF | 3:A > 3 | 102:THEN | 0:X = 1 | 105:<405>"},
    {"IF A THEN X=1 ELSE X=2", "101:IF | 3:A | 102:THEN | 0:X = 1 | 104:ELSE | 0:X = 2 | 105:<405>"},
    {"IF A THEN X=1: Y=2 ELSE Z=3: W=4", "101:IF | 3:A | 102:THEN | 0:X = 1 | 0:Y = 2 | 104:ELSE | 0:Z = 3 | 0:W = 4 | 105:<405>"},
    {"IF X THEN END ELSE EXIT FOR", "101:IF | 3:X | 102:THEN | 951:END | 104:ELSE | 701:EXIT FOR | 105:<405>"},
    {"IF X THEN EXIT SUB", "101:IF | 3:X | 102:THEN | 3103:EXIT SUB | 105:<405>"},
    {"IF X THEN EXIT DO: EXIT FUNCTION", "101:IF | 3:X | 102:THEN | 702:EXIT DO | 3003:EXIT FUNCTION | 105:<405>"},
    {"Y = 0: IF X THEN Y = 1", "0:Y = 0 | 101:IF | 3:X | 102:THEN | 0:Y = 1 | 105:<405>"},
    // spellings in one word and in two
    {"ELSE IF B THEN", "103:ELSE IF | 3:B | 102:THEN"},
    {"ENDIF", "105:ENDIF"},
    {"END IF: X = 1", "105:END IF | 0:X = 1"},
    {"CASEELSE", "203:CASEELSE"},
    {"ENDSELECT", "204:ENDSELECT"},
    // FOR and NEXT: the parts of the header, one record per NEXT variable
    {"FOR I = 1 TO 10", "301:FOR | 3:I | 3:1 | 302:TO | 3:10"},
    {"FOR A(1, 2) = X(1) TO N + 1 STEP S: PRINT I",
     "301:FOR | 3:A ( 1 , 2 ) | 3:X ( 1 ) | 302:TO | 3:N + 1 | 303:STEP | 3:S | 0:PRINT I"},
    {"NEXT I, J, K: X = 1", "304:NEXT | 3:I | 304:<444> | 3:J | 304:<444> | 3:K | 0:X = 1"},
    {"NEXT A(1, 2), B", "304:NEXT | 3:A ( 1 , 2 ) | 304:<444> | 3:B"},
    {"DO: X = X + 1: LOOP UNTIL X > 3", "601:DO | 0:X = X + 1 | 603:LOOP UNTIL | 3:X > 3"},
    // lines that own their line; a colon does not cut them
    {"PRIVATE X: Y", "2002:PRIVATE X : Y"},
    {"PUBLIC FUNCTION F", "3001:PUBLIC FUNCTION F"},
    {"PRIVATE FUNCTION F", "3002:PRIVATE FUNCTION F"},
    {"PUBLIC SUB S", "3101:PUBLIC SUB S"},
    {"PRIVATE SUB S", "3102:PRIVATE SUB S"},
    // several lines
    {"10 X = 1\n*L\nGOTO L", "903:10 | 0:X = 1 | 803:* L | 0:GOTO L"},
};

TEST(LexerRecords, KindsAndTokens) {
  for (const RecordsCase& c : kRecords) {
    SCOPED_TRACE(c.source);
    auto r = LexProgram(c.source);
    ASSERT_EQ(r.result, 0) << r.report;
    EXPECT_EQ(r.records, c.records);
  }
}

TEST(LexerRecords, PositionsSpansAndLines) {
  auto r = LexProgram("\n10 IF Ab > 3 THEN X = \"日本\" ELSE Y=2 ' note\n  *LOOP1: NEXT I, J");
  ASSERT_EQ(r.result, 0) << r.report;
  EXPECT_EQ(DumpStatements(r.ctx),
            "0 LineNumberLabel line=2 col=1 span=2 area=0/0 block=0,0,0,0 case=0 [10]\n"
            "1 If line=2 col=4 span=2 area=0/0 block=0,0,0,0 case=0 [IF]\n"
            "2 Expression line=2 col=7 span=6 area=0/0 block=0,0,0,0 case=0 [AB > 3]\n"
            "3 Then line=2 col=14 span=4 area=0/0 block=0,0,0,0 case=0 [THEN]\n"
            "4 Ordinary line=2 col=19 span=8 area=0/0 block=0,0,0,0 case=0 [X = \"日本\"]\n"
            "5 Else line=2 col=28 span=4 area=0/0 block=0,0,0,0 case=0 [ELSE]\n"
            "6 Ordinary line=2 col=33 span=3 area=0/0 block=0,0,0,0 case=0 [Y = 2]\n"
            "7 EndIf line=2 col=36 span=0 area=0/0 block=0,0,0,0 case=0 [<405>]\n"
            "8 StarLabel line=3 col=3 span=6 area=0/0 block=0,0,0,0 case=0 [* LOOP1]\n"
            "9 Next line=3 col=11 span=4 area=0/0 block=0,0,0,0 case=0 [NEXT]\n"
            "10 Expression line=3 col=16 span=1 area=0/0 block=0,0,0,0 case=0 [I]\n"
            "11 Next line=3 col=17 span=0 area=0/0 block=0,0,0,0 case=0 [<444>]\n"
            "12 Expression line=3 col=19 span=1 area=0/0 block=0,0,0,0 case=0 [J]\n");
  ASSERT_EQ(r.ctx.labels.size(), 2u);
  EXPECT_EQ(r.ctx.labels[0].text, "10");
  EXPECT_EQ(r.ctx.labels[0].statementIndex, 0);
  EXPECT_EQ(r.ctx.labels[1].text, "LOOP1");
  EXPECT_EQ(r.ctx.labels[1].statementIndex, 8);
}

// ---------------------------------------------------------------------------
// Columns and limits. Every message of the lexer at its column is a golden
// case (tests/programs/lexer.cases), seen through the binary.

TEST(LexerFaults, ColumnsCountCharactersAfterTabsAndJapaneseText) {
  auto r = LexProgram("\tPRINT \"日本語\"; ?");
  EXPECT_EQ(r.report, "1:18:BadCharacter");
}

TEST(LexerLimits, TokensPerLine) {
  std::string line = "PRINT";
  for (int k = 0; k < 255; ++k) line += " 1";  // 256 tokens
  EXPECT_EQ(LexProgram(line).result, 0);
  line += " 1";  // the 257th, at column 7 + 2 * 255
  auto r = LexProgram(line);
  EXPECT_EQ(r.report, "1:517:TooManyTokens(256)");
}

TEST(LexerLimits, StatementCount) {
  std::string program;
  for (int k = 0; k < 16383; ++k) program += "A: B\n";  // 32766 records
  EXPECT_EQ(LexProgram(program + "C").result, 0);
  auto r = LexProgram(program + "C: D");
  EXPECT_EQ(r.report, "16384:4:TooManyStatements(32767)");
}

}  // namespace
}  // namespace corvel
