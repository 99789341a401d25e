// Token codes, keyword codes and statement kinds shared by every pass.
#pragma once

#include <cstdint>
#include <string_view>

namespace corvel {

enum TokenCode : int16_t {
#define CORVEL_CHAR(name, ch, code) kTok##name = code,
#define CORVEL_KEYWORD(name, text, code) kKw##name = code,
#include "source/token_codes.def"
  kTokIdentifier = 1000,
  kTokNumber = 1100,         // decimal or real literal, text as written
  kTokHexOctal = 1143,       // hexadecimal or octal Integer/Long literal, Java text
  kTokHexOctalLonglong = 1144,
  kTokString = 1149,         // text keeps both quotes
};

// The kind a statement record gets from the lexer; later passes move it
// forward (structured kinds, program-counter kinds, kTranslated).
enum StatementKind : int16_t {
  kKindOrdinary = 0,
  kKindExpression = 3,  // condition, selector, case list, FOR part, NEXT variable
  kKindIf = 101,
  kKindThen = 102,
  kKindElseIf = 103,
  kKindElse = 104,
  kKindEndIf = 105,
  kKindSelectCase = 201,
  kKindCase = 202,
  kKindCaseElse = 203,
  kKindEndSelect = 204,
  kKindFor = 301,
  kKindForTo = 302,
  kKindForStep = 303,
  kKindNext = 304,
  kKindWhile = 401,
  kKindWend = 402,
  kKindDoWhile = 501,
  kKindDoUntil = 502,
  kKindLoop = 503,
  kKindDo = 601,
  kKindLoopWhile = 602,
  kKindLoopUntil = 603,
  kKindExitFor = 701,
  kKindExitDo = 702,
  kKindStarLabel = 803,
  kKindLineNumberLabel = 903,
  kKindEnd = 951,
  kKindOption = 1001,
  kKindPublic = 2001,
  kKindPrivate = 2002,
  kKindStatic = 2003,
  kKindType = 2101,
  kKindEndType = 2102,
  kKindFunction = 3001,
  kKindPrivateFunction = 3002,
  kKindExitFunction = 3003,
  kKindEndFunction = 3004,
  kKindSub = 3101,
  kKindPrivateSub = 3102,
  kKindExitSub = 3103,
  kKindEndSub = 3104,
  kKindTranslated = 4000,
};

// The code of a single-character token, or 0 when `ch` is none.
int16_t SingleCharCode(char32_t ch);

// The spelling of a keyword code ("ELSEIF"), or "" for other codes.
std::string_view KeywordText(int16_t code);

}  // namespace corvel
