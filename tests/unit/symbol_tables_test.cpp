#include "symbols/symbol_tables.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "symbols/indexed_table.h"

namespace corvel {
namespace {

constexpr int16_t kUnset = -7;  // a sentinel for outputs that must stay untouched

void AddVariable(IndexedTable<VariableRecord>& table, const char* prefix, const char* name, int16_t type,
                 int16_t extra = 0) {
  AddRecord(table, VariableRecord{name, prefix + std::to_string(Count(table)), type, extra});
}

void AddProcedure(TranslationContext& ctx, const char* name, const char* java, std::vector<std::string> results) {
  ProcedureRecord p;
  p.name = name;
  p.javaName = java;
  p.argumentForms.assign(results.size(), "");
  p.resultForms = std::move(results);
  p.formCount = static_cast<int16_t>(p.resultForms.size());
  AddRecord(ctx.procedures, std::move(p));
}

// Names repeat across scopes so that each lookup shows which table wins.
TranslationContext Tables() {
  TranslationContext ctx;
  AddVariable(ctx.localVariables, "LOC", "X", kTypeLong);
  AddVariable(ctx.localVariables, "LOC", "ARR", kTypeArray, 2);
  AddVariable(ctx.staticVariables, "STA", "X", kTypeSingle);
  AddVariable(ctx.staticVariables, "STA", "S", kTypeString);
  AddVariable(ctx.privateVariables, "PRI", "S", kTypeDouble);
  AddVariable(ctx.privateVariables, "PRI", "P", kTypeInteger);
  AddVariable(ctx.privateVariables, "PRI", "FIX", kTypeFixedString, 8);
  AddVariable(ctx.publicVariables, "PUB", "X", kTypeDouble);
  AddVariable(ctx.publicVariables, "PUB", "P", kTypeBoolean);
  AddVariable(ctx.publicVariables, "PUB", "G", kTypeLong);
  AddVariable(ctx.publicVariables, "PUB", "REC", kTypeUser, 1);
  AddVariable(ctx.publicVariables, "PUB", "MID", kTypeString);
  AddProcedure(ctx, "LEFT", "KWF.left", {"c"});
  AddProcedure(ctx, "ABS", "Math.abs", {"i", "l", "s", "d"});
  AddProcedure(ctx, "F", "M2", {"d"});
  AddProcedure(ctx, "NAMES", "M3", {"aC"});
  AddProcedure(ctx, "ABS", "M4", {"c"});  // never found: ABS above comes first
  AddProcedure(ctx, "MID", "KWF.mid", {"c"});
  AddRecord(ctx.userTypes, UserTypeRecord{"POINT", "TYP0", {}, 0, 0});
  AddRecord(ctx.userTypes, UserTypeRecord{"RECT", "TYP1", {}, 0, 0});
  ctx.arrays = {
      ArrayRecord{{0, 3}, 1, kTypeBoolean, 0},
      ArrayRecord{{0, 3}, 1, kTypeUser, 0},
      ArrayRecord{{1, 2, 1, 2}, 2, kTypeFixedString, 8},
      ArrayRecord{{}, 0, kTypeImage, 0},
  };
  return ctx;
}

// ---------------------------------------------------------------------------
// Lookups

struct LookupCase {
  const char* name;
  int16_t type;  // on entry; 0 asks for any type
  int16_t result;
  const char* nameOut;
  int16_t typeOut;
  int16_t extraOut;
};

const LookupCase kFindSymbol[] = {
    {"X", 0, 0, "LOC0", kTypeLong, 0},  // local hides static and public
    {"X", kTypeLong, 0, "LOC0", kTypeLong, kUnset},
    {"X", kTypeSingle, 2, "LOC0", kTypeSingle, kUnset},  // no fall-through to the static X
    {"S", 0, 0, "STA1", kTypeString, 0},  // static before private
    {"P", 0, 0, "PRI1", kTypeInteger, 0},  // private before public
    {"FIX", 0, 0, "PRI2", kTypeFixedString, 8},
    {"FIX", kTypeString, 2, "PRI2", kTypeString, kUnset},  // "$" is not a fixed-length string
    {"REC", 0, 0, "PUB3", kTypeUser, 1},
    {"MID", 0, 0, "PUB4", kTypeString, 0},  // a variable hides a procedure
    {"MID", kTypeInteger, 2, "PUB4", kTypeInteger, kUnset},
    {"LEFT", 0, 0, "KWF.left", kTypeProcedure, 0},
    {"LEFT", kTypeString, 0, "KWF.left", kTypeProcedure, 0},
    {"LEFT", kTypeDouble, 2, "LEFT", kTypeDouble, kUnset},
    {"ABS", 0, 0, "Math.abs", kTypeProcedure, 1},  // the first of two
    {"ABS", kTypeInteger, 0, "Math.abs", kTypeProcedure, 1},
    {"ABS", kTypeLong, 0, "Math.abs", kTypeProcedure, 1},
    {"ABS", kTypeSingle, 0, "Math.abs", kTypeProcedure, 1},
    {"ABS", kTypeDouble, 0, "Math.abs", kTypeProcedure, 1},
    {"ABS", kTypeString, 2, "ABS", kTypeString, kUnset},  // only the second ABS has "c"
    {"F", kTypeDouble, 0, "M2", kTypeProcedure, 2},
    {"F", kTypeByte, 2, "F", kTypeByte, kUnset},  // no suffix gives a byte
    {"NAMES", kTypeString, 2, "NAMES", kTypeString, kUnset},  // "aC" is not "c"
    {"x", 0, 1, "x", 0, kUnset},  // names compare exactly
    {"Y", 0, 1, "Y", 0, kUnset},
    {"POINT", 0, 1, "POINT", 0, kUnset},  // a user type is no symbol
    {"LOC0", 0, 1, "LOC0", 0, kUnset},
};

using FindFunction = int16_t (*)(const TranslationContext&, std::string&, int16_t&, int16_t&);

void ExpectLookups(FindFunction find, std::span<const LookupCase> cases) {
  const TranslationContext ctx = Tables();
  for (const LookupCase& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " type " + std::to_string(c.type));
    std::string name = c.name;
    int16_t type = c.type;
    int16_t extra = kUnset;
    EXPECT_EQ(find(ctx, name, type, extra), c.result);
    EXPECT_EQ(name, c.nameOut);
    EXPECT_EQ(type, c.typeOut);
    EXPECT_EQ(extra, c.extraOut);
  }
}

TEST(SymbolLookup, FindSymbol) { ExpectLookups(FindSymbol, kFindSymbol); }

// Renames applied one after another to a static table that starts as
// A, B, A; after each, what FindSymbol gives for A, B and C.
struct RenameCase {
  int16_t index;
  const char* newName;
  const char* found;
};

const RenameCase kRenames[] = {
    {0, "C", "A:STA2 B:STA1 C:STA0"},  // the second A takes over
    {2, "B", "A:- B:STA1 C:STA0"},
    {1, "A", "A:STA1 B:STA2 C:STA0"},
    {2, "C", "A:STA1 B:- C:STA0"},     // C at 0 stays first
    {0, "A", "A:STA0 B:- C:STA2"},     // a record before the first A takes over
    {0, "A", "A:STA0 B:- C:STA2"},     // renaming to its own name changes nothing
};

TEST(SymbolLookup, RenameRecordKeepsTheFirstMatch) {
  TranslationContext ctx;
  for (const char* name : {"A", "B", "A"}) AddVariable(ctx.staticVariables, "STA", name, kTypeLong);
  for (const RenameCase& c : kRenames) {
    SCOPED_TRACE(std::to_string(c.index) + " -> " + c.newName);
    RenameRecord(ctx.staticVariables, c.index, c.newName);
    std::string found;
    for (const char* wanted : {"A", "B", "C"}) {
      std::string name = wanted;
      int16_t type = 0;
      int16_t extra = 0;
      if (!found.empty()) found += " ";
      found += std::string(wanted) + ":" + (FindSymbol(ctx, name, type, extra) == 0 ? name : "-");
    }
    EXPECT_EQ(found, c.found);
  }
}

// ---------------------------------------------------------------------------
// Type codes

struct ReadCase {
  const char* text;
  int16_t position;
  int16_t code;
  int16_t positionOut;
};

// Whole codes are read in the signatures below; here a user type without its
// "]", and what changes nothing: unknown letters and positions outside the text.
const ReadCase kReadTypeCode[] = {
    {"TTYP0", 1, 14, 6},  {"X", 1, kUnset, 1}, {"]", 1, kUnset, 1},
    {"I", 2, kUnset, 2},  {"I", 0, kUnset, 0}, {"", 1, kUnset, 1},
};

TEST(TypeCodes, ReadTypeCode) {
  for (const ReadCase& c : kReadTypeCode) {
    SCOPED_TRACE(std::string(c.text) + " at " + std::to_string(c.position));
    int16_t position = c.position;
    int16_t code = kUnset;
    ReadTypeCode(c.text, position, code);
    EXPECT_EQ(code, c.code);
    EXPECT_EQ(position, c.positionOut);
  }
}

using CodeText = std::string (*)(const TranslationContext&, int16_t, int16_t);

// The texts of the codes first to last with extra 0, joined by "|".
std::string TextsOf(CodeText text, int16_t first, int16_t last) {
  const TranslationContext ctx = Tables();
  std::string out;
  for (int16_t code = first; code <= last; ++code) out += (code == first ? "" : "|") + text(ctx, code, 0);
  return out;
}

struct CodeTextCase {
  int16_t code;
  int16_t extra;
  const char* text;
};

TEST(TypeCodes, TypeCodeText) {
  // Places, values and literals; 30 is a string value with no letter of its own.
  EXPECT_EQ(TextsOf(TypeCodeText, 0, 15), "|B|I|L|O|S|D|||C|C|E|G|AE|TTYP0]|");
  EXPECT_EQ(TextsOf(TypeCodeText, 20, 35), "|b|i|l|o|s|d|||c||e|g|aE|tTYP0]|");
  EXPECT_EQ(TextsOf(TypeCodeText, 40, 54), "|b|i|l|o|s|d|||c||e|||");
  const CodeTextCase kArraysAndTypes[] = {
      {14, 1, "TTYP1]"},
      {33, 1, "aTTYP0]"},  // value array of a user type
      {13, 1, "ATTYP0]"},
      {13, 2, "AC"},  // of fixed-length strings
      {33, 3, "aG"},
      {13, 4, ""},  // no such array
      {114, 0, ""},
  };
  const TranslationContext ctx = Tables();
  for (const CodeTextCase& c : kArraysAndTypes) {
    SCOPED_TRACE(std::to_string(c.code) + "/" + std::to_string(c.extra));
    EXPECT_EQ(TypeCodeText(ctx, c.code, c.extra), c.text);
  }
}

struct OperatorCase {
  int16_t op;
  int16_t left;
  int16_t right;
  int16_t result;  // kUnset: the combination fails and the result is untouched
};

const OperatorCase kOperators[] = {
    {2, 1, 2, 23},    {2, 21, 22, 23},  {3, 41, 42, 23},  {2, 21, 21, 23},  // never narrower than 32 bits
    {2, 5, 3, 25},    {2, 25, 43, 25},  {2, 4, 5, 25},    {2, 24, 23, 24},
    {2, 6, 45, 26},   {4, 26, 21, 26},  {1, 3, 3, 23},    {1, 44, 2, 24},
    {1, 9, 9, 29},    {1, 10, 29, 29},  {1, 49, 30, 29},
    {2, 9, 9, kUnset}, {3, 29, 29, kUnset}, {0, 49, 10, kUnset},  // strings only concatenate
    {1, 9, 3, kUnset}, {1, 43, 29, kUnset}, {2, 23, 30, kUnset},
    {1, 11, 11, kUnset}, {2, 31, 3, kUnset}, {2, 12, 3, kUnset}, {2, 0, 3, kUnset},
};

TEST(TypeCodes, OperatorResultType) {
  for (const OperatorCase& c : kOperators) {
    SCOPED_TRACE("op " + std::to_string(c.op) + ": " + std::to_string(c.left) + ", " + std::to_string(c.right));
    int16_t result = kUnset;
    EXPECT_EQ(OperatorResultType(c.op, c.left, c.right, result), c.result == kUnset);
    EXPECT_EQ(result, c.result);
  }
}

TEST(TypeCodes, JavaClassOf) {
  EXPECT_EQ(TextsOf(JavaClassOf, 0, 15),
            "|KWV_Byte|KWV_Integer|KWV_Long|KWV_Longlong|KWV_Single|KWV_Double|||KWV_String|KWV_String|"
            "KWV_Boolean|KWC_Image||TYP0|");
  EXPECT_EQ(TextsOf(JavaClassOf, 100, 115),
            "|KWA_Byte|KWA_Integer|KWA_Long|KWA_Longlong|KWA_Single|KWA_Double|||KWA_String|KWA_String|"
            "KWA_Boolean|KWA_Image||KWA_TYP0|");
  const TranslationContext ctx = Tables();
  EXPECT_EQ(JavaClassOf(ctx, 14, 1), "TYP1");
  EXPECT_EQ(JavaClassOf(ctx, 114, 1), "KWA_TYP1");
  for (int16_t code : {21, 43, 121}) EXPECT_EQ(JavaClassOf(ctx, code, 0), "") << code;  // values have no class
}

}  // namespace
}  // namespace corvel
