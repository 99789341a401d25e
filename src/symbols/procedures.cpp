#include "symbols/procedures.h"

#include <fmt/format.h>

#include <cctype>
#include <string>
#include <vector>

#include "diag/error_report.h"
#include "diag/messages.h"
#include "source/token_codes.h"
#include "symbols/declaration_syntax.h"
#include "symbols/symbol_tables.h"

namespace corvel {
namespace {

// What a FUNCTION's result type gives its method.
struct ResultType {
  int16_t code;
  std::string java;    // the return type
  std::string letter;  // the result form
};

// `code` 0, a result written with neither a suffix nor AS, is SINGLE.
ResultType ResultOf(const TranslationContext& ctx, int16_t code, int16_t extra) {
  if (code == kTypeUser) {
    const std::string& name = ctx.userTypes.records[static_cast<size_t>(extra)].javaName;
    return {code, name, TypeCodeText(ctx, kValueUser, extra)};
  }
  const TypeRow& row = *TypeRowOf(code == 0 ? int16_t{kTypeSingle} : code);
  // An image's value is its wrapper object.
  const std::string_view java = row.primitive.empty() ? row.wrapper : row.primitive;
  return {row.place, std::string(java), std::string(1, ValueLetter(row))};
}

// One procedure header being read: the statement, its token cursor and the
// texts the parameters add up to.
struct Header {
  explicit Header(const Statement& statement) : s(statement) {}
  const Statement& s;
  size_t i = 0;
  bool function = false;
  std::string keyword;  // FUNCTION or SUB
  std::string name;     // the procedure's, which no parameter may take
  std::string parameters;
  std::string signature;
  std::string copyIn;
};

int16_t FaultAt(TranslationContext& ctx, const Header& h, size_t token, const Message& message) {
  ReportErrorAt(ctx, h.s.lineNumber, ColumnOfToken(h.s, token), message);
  return 1;
}

int16_t FaultInLine(TranslationContext& ctx, const Header& h, const Message& message) {
  ReportErrorInLine(ctx, h.s.lineNumber, message);
  return 1;
}

bool IsToken(const Header& h, size_t i, int16_t code) { return i < h.s.tokens.size() && h.s.tokens[i].code == code; }

// The type after AS at token h.i, for a parameter or a result; leaves h.i
// after it.
int16_t ReadAsType(TranslationContext& ctx, Header& h, bool is_array, MessageText fixed_string_message,
                   TypeName& type) {
  if (IsToken(h, h.i, kKwString) && IsToken(h, h.i + 1, kTokStar)) return FaultAt(ctx, h, h.i, fixed_string_message);
  DeclarationFault fault;
  if (!ReadTypeName(ctx, h.s.tokens, h.i, Count(ctx.userTypes), is_array, false, kMsgBadTypeName, type, fault)) {
    return FaultAt(ctx, h, fault.token, fault.message);
  }
  return 0;
}

// [BYVAL | BYREF] name [()] [AS type | suffix]: its local record, its Java
// parameter, signature and copy-in texts.
int16_t ReadParameter(TranslationContext& ctx, Header& h) {
  const std::vector<Token>& t = h.s.tokens;
  bool by_value = false;
  if (IsToken(h, h.i, kKwByVal) || IsToken(h, h.i, kKwByRef)) {
    by_value = t[h.i].code == kKwByVal;
    ++h.i;
  }
  if (!IsToken(h, h.i, kTokIdentifier)) return FaultAt(ctx, h, h.i, kMsgBadParameterName);
  const std::string name = t[h.i].text;
  if (IsNameDeclared(ctx, name) || name == h.name) return FaultAt(ctx, h, h.i, kMsgParameterNameTaken);
  ++h.i;
  bool is_array = false;
  if (IsToken(h, h.i, kTokLParen)) {
    if (!IsToken(h, h.i + 1, kTokRParen)) return FaultAt(ctx, h, h.i + 1, kMsgArrayParameterForm);
    is_array = true;
    h.i += 2;
  }
  TypeName type{kTypeSingle, 0};
  if (IsToken(h, h.i, kKwAs)) {
    ++h.i;
    if (ReadAsType(ctx, h, is_array, kMsgFixedStringParameter, type) != 0) return 1;
  } else if (is_array) {
    return FaultAt(ctx, h, h.i, kMsgArrayParameterNeedsAs);
  } else if (h.i < t.size() && !IsToken(h, h.i, kTokRParen) && !IsToken(h, h.i, kTokComma)) {
    // (A line that ends here lacks its ")", which the header reports.)
    type.code = SuffixType(t[h.i].code);
    if (type.code == 0) return FaultAt(ctx, h, h.i, kMsgBadParameterSuffix);
    ++h.i;
  }
  if (IsFull(ctx.localVariables)) return FaultAt(ctx, h, h.i, Msg(kMsgTooManyVariables, kMaxTableEntries));
  const std::string local = fmt::format("LOC{}", Count(ctx.localVariables));
  VariableRecord record{name, local, 0, 0};
  if (is_array) {
    if (ctx.arrays.size() >= kMaxTableEntries) {
      return FaultAt(ctx, h, h.i, Msg(kMsgTooManyArrays, kMaxTableEntries));
    }
    ctx.arrays.push_back(ArrayRecord{});
    RecordDeclaredType(ctx, record, static_cast<int16_t>(ctx.arrays.size() - 1), type);
    const std::string code = TypeCodeText(ctx, kTypeArray, record.extra);  // "AL", "ATTYP0]"
    h.parameters += JavaArrayClassOf(ctx, type.code, type.extra) + " " + local + ",";
    h.signature += (by_value ? "a" : "A") + code.substr(1);
  } else {
    RecordDeclaredType(ctx, record, -1, type);
    const std::string java_class = JavaClassOf(ctx, type.code, type.extra);
    const std::string code = TypeCodeText(ctx, type.code, type.extra);  // "I", "TTYP0]"
    if (!by_value || type.code == kTypeUser) {
      h.parameters += java_class + " " + local + ",";
      h.signature += by_value ? "t" + code.substr(1) : code;
    } else if (type.code == kTypeImage) {
      h.parameters += "KWC_Image " + local + ",";
      h.signature += "g";
    } else {
      h.parameters += fmt::format("{} t{},", JavaPrimitiveOf(type.code), local);
      h.signature += static_cast<char>(std::tolower(static_cast<unsigned char>(code[0])));
      h.copyIn += fmt::format("{} {}=new {}();{}{}.Set(t{});{}", java_class, local, java_class, kCrLf, local, local, kCrLf);
    }
  }
  AddRecord(ctx.localVariables, std::move(record));
  return 0;
}

// [PUBLIC | PRIVATE] FUNCTION name [suffix] ( [parameters] ) [AS type]
// [PUBLIC | PRIVATE] SUB name ( [parameters] )
int16_t DeclareHeader(TranslationContext& ctx, size_t head) {
  Header h(ctx.statements[head]);
  const std::vector<Token>& t = h.s.tokens;
  bool is_private = false;
  if (IsToken(h, 0, kKwPublic) || IsToken(h, 0, kKwPrivate)) {
    is_private = t[0].code == kKwPrivate;
    h.i = 1;
  }
  h.function = IsToken(h, h.i, kKwFunction);
  h.keyword = h.function ? "FUNCTION" : "SUB";
  ++h.i;
  if (h.i >= t.size()) return FaultInLine(ctx, h, Msg(kMsgProcedureNameMissing, h.keyword));
  if (t[h.i].code != kTokIdentifier) return FaultInLine(ctx, h, Msg(kMsgBadProcedureName, h.keyword));
  const std::string name = t[h.i].text;
  if (IsNameDeclared(ctx, name)) return FaultInLine(ctx, h, Msg(kMsgProcedureNameTaken, h.keyword));
  h.name = name;
  ++h.i;
  int16_t result_code = 0;
  if (!IsToken(h, h.i, kTokLParen)) {
    if (!h.function) return FaultAt(ctx, h, h.i, Msg(kMsgBadProcedureHeader, h.keyword));
    result_code = h.i < t.size() ? SuffixType(t[h.i].code) : int16_t{0};
    if (result_code == 0) return FaultAt(ctx, h, h.i, kMsgBadResultSuffix);
    ctx.usedTypes[VariableFlag(result_code)] = 1;
    ++h.i;
    if (!IsToken(h, h.i, kTokLParen)) return FaultAt(ctx, h, h.i, Msg(kMsgBadProcedureHeader, h.keyword));
  }
  ++h.i;  // the "("
  if (IsToken(h, h.i, kTokRParen)) {
    h.signature = "v";
  } else {
    while (true) {
      if (ReadParameter(ctx, h) != 0) return 1;
      if (IsToken(h, h.i, kTokComma)) {
        ++h.i;
        continue;
      }
      if (IsToken(h, h.i, kTokRParen)) break;
      return FaultAt(ctx, h, h.i, Msg(kMsgBadProcedureHeader, h.keyword));
    }
  }
  ++h.i;  // the ")"
  TypeName result{result_code, 0};
  if (h.function && IsToken(h, h.i, kKwAs)) {
    ++h.i;
    if (ReadAsType(ctx, h, false, kMsgFixedStringResult, result) != 0) return 1;
    if (result.code != kTypeUser && result.code != kTypeImage) ctx.usedTypes[VariableFlag(result.code)] = 1;
  }
  if (h.i < t.size()) return FaultInLine(ctx, h, Msg(kMsgCodeAfterProcedureHeader, h.keyword, h.keyword));

  ProcedureRecord procedure;
  procedure.parameters = ctx.localVariables.records;
  ResultType returns{0, "void", "v"};
  if (h.function) {
    // A function written with neither a suffix nor AS returns SINGLE, like
    // an untyped parameter or variable.
    returns = ResultOf(ctx, result.code, result.extra);
    if (returns.code == kTypeSingle) ctx.usedTypes[VariableFlag(kTypeSingle)] = 1;
    if (IsFull(ctx.localVariables)) return FaultAt(ctx, h, h.i, Msg(kMsgTooManyVariables, kMaxTableEntries));
    AddRecord(ctx.localVariables, VariableRecord{name, "MV", returns.code, result.extra});
  }
  if (IsFull(ctx.procedures)) return FaultInLine(ctx, h, Msg(kMsgTooManyVariables, kMaxTableEntries));
  const int16_t index = Count(ctx.procedures);
  procedure.name = name;
  procedure.javaName = fmt::format("M{}", index);
  procedure.argumentForms = {h.signature};
  procedure.resultForms = {returns.letter};
  procedure.copyInText = h.copyIn;
  procedure.kind = static_cast<int16_t>(h.function ? (is_private ? kProcedurePrivateFunction : kProcedurePublicFunction)
                                                  : (is_private ? kProcedurePrivateSub : kProcedurePublicSub));
  if (!h.parameters.empty()) h.parameters.pop_back();  // the last ","
  ctx.statements[head].codeText = fmt::format("{}{} {}({}){{", is_private ? "private " : "public ", returns.java,
                                              procedure.javaName, h.parameters);

  // The end statement returns the result.
  const int16_t end_kind = h.function ? kKindEndFunction : kKindEndSub;
  size_t end = head + 1;
  while (end < ctx.statements.size() && ctx.statements[end].kind != end_kind) ++end;
  const bool returns_object = returns.code == kTypeImage || returns.code == kTypeUser;
  ctx.statements[end].codeText = !h.function ? "return;" : returns_object ? "return MV;" : "return MV.Get();";
  procedure.firstStatement = static_cast<int16_t>(head);
  procedure.endStatement = static_cast<int16_t>(end);
  procedure.locals = ctx.localVariables.records;
  AddRecord(ctx.procedures, std::move(procedure));
  ClearTable(ctx.localVariables);
  return 0;
}

}  // namespace

int16_t DeclareProcedures(TranslationContext& ctx) {
  for (size_t i = 0; i < ctx.statements.size(); ++i) {
    const Statement& s = ctx.statements[i];
    if (s.area != kAreaProcedure) continue;
    if (DeclareHeader(ctx, i) != 0) return 1;
    // Resume after the end statement.
    const ProcedureRecord& declared = ctx.procedures.records.back();
    i = static_cast<size_t>(declared.endStatement);
  }
  ClearTable(ctx.localVariables);
  return 0;
}

}  // namespace corvel
