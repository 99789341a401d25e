#include "symbols/declarations.h"

#include <fmt/format.h>

#include <string>

#include "diag/error_report.h"
#include "diag/messages.h"
#include "source/token_codes.h"
#include "symbols/declaration_syntax.h"
#include "symbols/symbol_tables.h"
#include "symbols/user_types.h"

namespace corvel {
namespace {

struct Scope {
  IndexedTable<VariableRecord>* table;
  std::string_view prefix;  // of the Java name
};

Scope ScopeOf(TranslationContext& ctx, int16_t keyword) {
  switch (keyword) {
    case kKwStatic: return {&ctx.staticVariables, "STA"};
    case kKwPrivate: return {&ctx.privateVariables, "PRI"};
    case kKwPublic: return {&ctx.publicVariables, "PUB"};
    default: return {&ctx.localVariables, "LOC"};  // DIM
  }
}

int16_t Report(TranslationContext& ctx, const Statement& s, size_t token, const Message& message) {
  ReportErrorAt(ctx, s.lineNumber, ColumnOfToken(s, token), message);
  return 1;
}

int16_t Report(TranslationContext& ctx, const Statement& s, const DeclarationFault& fault) {
  return Report(ctx, s, fault.token, fault.message);
}

}  // namespace

// DIM|STATIC|PRIVATE|PUBLIC declarator {, declarator}
// declarator -> name [( bounds )] [AS type] | name suffix
int16_t DeclareVariables(TranslationContext& ctx, int16_t statement_index) {
  const Statement& s = ctx.statements[static_cast<size_t>(statement_index)];
  const std::vector<Token>& t = s.tokens;
  const Scope scope = ScopeOf(ctx, t[0].code);
  DeclarationFault fault;
  size_t i = 1;
  while (true) {
    if (i >= t.size() || t[i].code != kTokIdentifier) {
      return Report(ctx, s, i, kMsgBadVariableName);
    }
    const size_t name_token = i++;
    int16_t array_index = -1;
    if (i < t.size() && t[i].code == kTokLParen) {
      ArrayRecord array;
      if (!ReadBounds(t, i, ctx.options.arrayBase, kVariableBounds, array, fault)) return Report(ctx, s, fault);
      if (ctx.arrays.size() >= kMaxTableEntries) {
        return Report(ctx, s, name_token, Msg(kMsgTooManyArrays, kMaxTableEntries));
      }
      array_index = static_cast<int16_t>(ctx.arrays.size());
      ctx.arrays.push_back(std::move(array));
    }
    TypeName type;
    if (i < t.size() && t[i].code == kKwAs) {
      ++i;
      if (!ReadTypeName(ctx, t, i, Count(ctx.userTypes), array_index >= 0, false, kMsgVariableLengthForm, type,
                        fault)) {
        return Report(ctx, s, fault);
      }
    } else if (array_index >= 0) {
      return Report(ctx, s, i, kMsgArrayNeedsAs);
    } else if (i >= t.size() || t[i].code == kTokComma) {
      type.code = kTypeSingle;
    } else if (int16_t suffix = SuffixType(t[i].code); suffix != 0) {
      type.code = suffix;
      ++i;
    } else {
      return Report(ctx, s, i, kMsgBadTypeSuffix);
    }
    const std::string& name = t[name_token].text;
    if (IsNameDeclared(ctx, name)) return Report(ctx, s, name_token, kMsgBadVariableName);
    if (IsFull(*scope.table)) {
      return Report(ctx, s, name_token, Msg(kMsgTooManyVariables, kMaxTableEntries));
    }

    VariableRecord record{name, fmt::format("{}{}", scope.prefix, Count(*scope.table)), 0, 0};
    RecordDeclaredType(ctx, record, array_index, type);
    AddRecord(*scope.table, std::move(record));

    if (i < t.size() && t[i].code == kTokComma) {
      ++i;
      continue;
    }
    break;
  }
  if (i != t.size()) {
    ReportErrorAt(ctx, s.lineNumber, s.firstColumn, kMsgBadDeclaration);
    return 1;
  }
  return 0;
}

int16_t RunDeclarationsPass(TranslationContext& ctx) {
  for (size_t i = 0; i < ctx.statements.size(); ++i) {
    const int16_t area = ctx.statements[i].area;
    if (area == kAreaOptions) continue;
    if (area == kAreaUserType) {
      auto index = static_cast<int16_t>(i);
      if (DeclareUserType(ctx, index) != 0) return 1;
      i = static_cast<size_t>(index);
    } else if (area == kAreaModule) {
      if (DeclareVariables(ctx, static_cast<int16_t>(i)) != 0) return 1;
    } else {
      break;
    }
  }
  return 0;
}

}  // namespace corvel
