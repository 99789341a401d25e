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

// The kind of a statement record (source/statement_kinds.def).
enum StatementKind : int16_t {
#define CORVEL_KIND(name, code) kKind##name = code,
#include "source/statement_kinds.def"
};

// Kinds from 1000 up frame the program rather than run in it: OPTION, the
// module declarations, TYPE, the procedures' heads, exits and ends (and the
// later passes' Translated and LabelOnly).
constexpr bool IsBarredFromMainProgram(int16_t kind) { return kind >= 1000; }
// Kinds from 900 up may not stand in a procedure body, bar STATIC and the
// procedure's own EXIT and END: a line number and END belong to the main
// program, the rest to the frame.
constexpr bool IsBarredFromProcedures(int16_t kind) { return kind >= 900; }

// The name of a statement kind ("ForStructured"), or "" for an unknown code.
std::string_view StatementKindName(int16_t kind);

// The code of a single-character token, or 0 when `ch` is none.
int16_t SingleCharCode(char32_t ch);

// The spelling of a keyword code ("ELSEIF"), or "" for other codes.
std::string_view KeywordText(int16_t code);

}  // namespace corvel
