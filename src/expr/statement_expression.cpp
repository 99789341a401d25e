// Assignment and call statements: [LET] place = expression, and
// Procedure [argument {, argument}].
#include "expr/expression.h"

#include "diag/messages.h"
#include "expr/expression_state.h"
#include "expr/library.h"
#include "expr/value_conversion.h"
#include "source/token_codes.h"
#include "symbols/symbol_tables.h"

namespace corvel {
namespace {

// Whether `java_name` is an array parameter of the procedure being
// translated. Its object is the caller's: a whole-array assignment to it
// must change that object (shape and elements), not rebind the name.
bool IsArrayParameter(const TranslationContext& ctx, std::string_view java_name) {
  if (ctx.currentProcedure < 0) return false;
  for (const VariableRecord& p : ctx.procedures.records[static_cast<size_t>(ctx.currentProcedure)].parameters) {
    if (p.type == kTypeArray && p.javaName == java_name) return true;
  }
  return false;
}

// place = expression, with the place's operand at `target`.
int16_t Assignment(ExpressionState& st, size_t target, size_t close, std::string& text) {
  const size_t equal = NextLive(st, target, close);
  if (equal >= close || st.e[equal].code != kElemEqual) return FailInLine(st, kMsgBadExpression);
  const size_t value_at = NextLive(st, equal, close);
  if (value_at >= close || !IsOperand(st.e[value_at]) || NextLive(st, value_at, close) != close) {
    return FailInLine(st, kMsgBadExpression);
  }
  const Element& place = st.e[target];
  Element& value = st.e[value_at];
  const int16_t t = place.type;
  int16_t to = 0;
  if ((t >= kTypeByte && t <= kTypeDouble) || t == kTypeBoolean || t == kTypeImage || t == kTypeUser) {
    to = ValueOf(t);
  } else if (t == kTypeString || t == kTypeFixedString) {
    to = kValueString;
  } else if (t == kTypeArray) {
    to = kValueArray;
  } else {
    return FailInLine(st, kMsgBadExpression);  // a value, a literal or a call result
  }
  // Java assigns a record or an array only from one of the same class.
  if (t == kTypeUser && PlaceOf(value.type) == kTypeUser && value.extra != place.extra) {
    return FailInLine(st, kMsgBadExpression);
  }
  if (t == kTypeArray && PlaceOf(value.type) == kTypeArray) {
    const ArrayRecord& a = st.ctx.arrays[static_cast<size_t>(place.extra)];
    const ArrayRecord& b = st.ctx.arrays[static_cast<size_t>(value.extra)];
    if (a.elementType != b.elementType || a.elementExtra != b.elementExtra) return FailInLine(st, kMsgBadExpression);
  }
  if (ConvertValue(value.javaText, value.type, value.extra, to, place.extra) != 0) return FailInLine(st, kMsgBadExpression);
  if (t == kTypeArray && !IsArrayParameter(st.ctx, place.javaText)) {
    text = place.javaText + "=" + value.javaText + ";";
  } else {
    text = place.javaText + ".Set(" + value.javaText + ");";
  }
  return 0;
}

// Procedure [argument {, argument}], with the head at `head`.
int16_t Call(ExpressionState& st, size_t head, size_t close, std::string& text) {
  const auto index = static_cast<size_t>(st.e[head].extra);
  const ProcedureRecord& procedure = st.ctx.procedures.records[index];
  std::vector<size_t> args;
  std::string signature;
  for (size_t j = NextLive(st, head, close); j < close;) {
    if (!IsOperand(st.e[j])) return FailInLine(st, kMsgBadExpression);
    args.push_back(j);
    signature += TypeCodeText(st.ctx, st.e[j].type, st.e[j].extra);
    const size_t after = NextLive(st, j, close);
    if (after == close) break;
    if (st.e[after].code != kTokComma) return FailInLine(st, kMsgBadExpression);
    j = NextLive(st, after, close);
    if (j == close) return FailInLine(st, kMsgBadExpression);
  }
  int16_t form = -1;
  if (args.empty()) {
    for (size_t i = 0; i < procedure.argumentForms.size(); ++i) {
      if (procedure.argumentForms[i] == "v" && procedure.resultForms[i] == "v") form = static_cast<int16_t>(i);
    }
    if (form < 0) return FailInLine(st, kMsgBadExpression);
    text = procedure.javaName + "();";
  } else {
    form = ChooseForm(procedure, signature, true);
    if (form < 0) return FailInLine(st, kMsgNoFittingStatementForm);
    if (CallText(st, procedure, form, args, text) != 0) return FailInLine(st, kMsgBadExpression);
    text += ";";
  }
  if (procedure.kind == kLibraryInClass) {
    st.ctx.libraryClasses[static_cast<size_t>(procedure.classIndex)].used = 1;
  }
  return 0;
}

}  // namespace

int16_t TranslateStatementExpression(TranslationContext& ctx, int16_t statement) {
  Statement& s = ctx.statements[static_cast<size_t>(statement)];
  ExpressionState st{ctx, statement, s.lineNumber, true, {}};
  const int first = !s.tokens.empty() && s.tokens[0].code == kKwLet ? 1 : 0;
  const int last = static_cast<int>(s.tokens.size()) - 1;
  if (first > last) return FailInLine(st, kMsgBadExpression);
  if (BuildAndReduce(st, first, last) != 0) return 1;
  const size_t close = st.e.size() - 1;
  const size_t start = NextLive(st, 0, close);
  std::string text;
  if (start < close && IsOperand(st.e[start])) {
    if (Assignment(st, start, close, text) != 0) return 1;
  } else if (start < close && st.e[start].code == kElemCallHead) {
    if (Call(st, start, close, text) != 0) return 1;
  } else {
    return FailInLine(st, kMsgBadExpression);
  }
  s.codeText = std::move(text);
  s.kind = kKindTranslated;
  return 0;
}

}  // namespace corvel
