#include "symbols/user_types.h"

#include <fmt/format.h>

#include "diag/error_report.h"
#include "diag/messages.h"
#include "source/token_codes.h"
#include "symbols/declaration_syntax.h"
#include "symbols/symbol_tables.h"

namespace corvel {
namespace {

int16_t Reject(TranslationContext& ctx, const Statement& s, const Message& message) {
  ReportErrorInLine(ctx, s.lineNumber, message);
  return 1;
}

// element -> name [( bounds )] AS type
// The class of a user type holds a field per element, and a class file holds
// 65,535 constants: each element takes three.
constexpr size_t kMaxTypeElements = 8000;

int16_t DeclareElement(TranslationContext& ctx, const Statement& s, int16_t type_index) {
  const std::vector<Token>& t = s.tokens;
  if (t[0].code != kTokIdentifier || IsTypeOrProcedureName(ctx, t[0].text)) {
    return Reject(ctx, s, kMsgBadElementName);
  }
  size_t i = 1;
  DeclarationFault fault;
  int16_t array_index = -1;
  if (i < t.size() && t[i].code == kTokLParen) {
    ArrayRecord array;
    if (!ReadBounds(t, i, ctx.options.arrayBase, kElementBounds, array, fault)) return Reject(ctx, s, fault.message);
    if (ctx.arrays.size() >= kMaxTableEntries) {
      return Reject(ctx, s, Msg(kMsgTooManyArrays, kMaxTableEntries));
    }
    array_index = static_cast<int16_t>(ctx.arrays.size());
    ctx.arrays.push_back(std::move(array));
  }
  if (i >= t.size()) return Reject(ctx, s, kMsgElementNeedsType);
  if (t[i].code != kKwAs) return Reject(ctx, s, kMsgBadTypeBlock);
  ++i;
  TypeName type;
  if (!ReadTypeName(ctx, t, i, type_index, array_index >= 0, true, kMsgElementLengthForm, type, fault)) {
    return Reject(ctx, s, fault.message);
  }
  if (i < t.size()) return Reject(ctx, s, kMsgOneElementPerLine);

  UserTypeRecord& user_type = ctx.userTypes.records[static_cast<size_t>(type_index)];
  if (user_type.elements.size() >= kMaxTypeElements) {
    return Reject(ctx, s, Msg(kMsgTooManyElements, kMaxTypeElements));
  }
  VariableRecord element{t[0].text, fmt::format("ELE{}", user_type.elements.size()), 0, 0};
  RecordDeclaredType(ctx, element, array_index, type);
  user_type.elements.push_back(std::move(element));
  return 0;
}

}  // namespace

// TYPE name / element lines / END TYPE
int16_t DeclareUserType(TranslationContext& ctx, int16_t& statement_index) {
  const auto head = static_cast<size_t>(statement_index);
  const Statement& type_line = ctx.statements[head];
  const std::vector<Token>& t = type_line.tokens;
  if (t.size() > 2) return Reject(ctx, type_line, kMsgCodeAfterTypeName);
  if (t.size() == 1) return Reject(ctx, type_line, kMsgNoUserTypeName);
  if (t[1].code != kTokIdentifier) return Reject(ctx, type_line, kMsgBadUserTypeName);
  if (IsNameDeclared(ctx, t[1].text)) {
    return Reject(ctx, type_line, kMsgUserTypeNameTaken);
  }
  size_t end = head + 1;
  while (end < ctx.statements.size() && ctx.statements[end].area == kAreaUserType && ctx.statements[end].kind != kKindEndType) {
    ++end;
  }
  if (end >= ctx.statements.size() || ctx.statements[end].kind != kKindEndType) {
    return Reject(ctx, type_line, kMsgTypeBlockIncomplete);
  }
  if (end == head + 1) return Reject(ctx, type_line, kMsgEmptyTypeBlock);
  if (IsFull(ctx.userTypes)) return Reject(ctx, type_line, Msg(kMsgTooManyUserTypes, kMaxTableEntries));

  UserTypeRecord record;
  record.name = t[1].text;
  record.javaName = fmt::format("TYP{}", Count(ctx.userTypes));
  const int16_t type_index = AddRecord(ctx.userTypes, std::move(record));
  for (size_t e = head + 1; e < end; ++e) {
    if (DeclareElement(ctx, ctx.statements[e], type_index) != 0) return 1;
  }
  statement_index = static_cast<int16_t>(end);
  return 0;
}

}  // namespace corvel
