#include "symbols/symbol_tables.h"

#include <algorithm>
#include <array>

#include "source/token_codes.h"

namespace corvel {
namespace {

const std::string& UserTypeJavaName(const TranslationContext& ctx, int16_t index) {
  static const std::string kNone;
  if (index < 0 || index >= Count(ctx.userTypes)) return kNone;
  return ctx.userTypes.records[static_cast<size_t>(index)].javaName;
}

// The four variable tables in lookup order.
std::array<const IndexedTable<VariableRecord>*, 4> VariableTables(const TranslationContext& ctx) {
  return {&ctx.localVariables, &ctx.staticVariables, &ctx.privateVariables, &ctx.publicVariables};
}

// kFound (the type matches, or any type was asked), kNotFound, or
// kFoundOtherType.
Lookup FindInVariables(const TranslationContext& ctx, std::string_view name, int16_t& type, int16_t& extra,
                       std::string& java_name) {
  auto found = [&](const VariableRecord& record) {
    java_name = record.javaName;
    if (type == 0) {
      type = record.type;
      extra = record.extra;
      return Lookup::kFound;
    }
    return type == record.type ? Lookup::kFound : Lookup::kFoundOtherType;
  };
  if (ctx.caseSelector != nullptr && name == ctx.caseSelector->name) return found(*ctx.caseSelector);
  for (const IndexedTable<VariableRecord>* table : VariableTables(ctx)) {
    const int16_t index = FindFirst(*table, name);
    if (index >= 0) return found(table->records[static_cast<size_t>(index)]);
  }
  return Lookup::kNotFound;
}

}  // namespace

std::string JavaClassOf(const TranslationContext& ctx, int16_t code, int16_t extra) {
  if (code == kTypeUser) return UserTypeJavaName(ctx, extra);
  const TypeRow* row = TypeRowOf(code);
  return row != nullptr ? std::string(row->wrapper) : std::string();
}

std::string JavaArrayClassOf(const TranslationContext& ctx, int16_t element, int16_t extra) {
  if (element == kTypeUser) return "KWA_" + UserTypeJavaName(ctx, extra);
  const TypeRow* row = TypeRowOf(element);
  return row != nullptr ? std::string(row->array) : std::string();
}

std::string_view JavaPrimitiveOf(int16_t code) {
  const TypeRow* row = TypeRowOf(code);
  return row != nullptr ? row->primitive : std::string_view();
}

int16_t SuffixType(int16_t token_code) {
  for (const TypeRow& row : kTypeTable) {
    if (row.suffix != 0 && SingleCharCode(static_cast<unsigned char>(row.suffix)) == token_code) return row.place;
  }
  return 0;
}

Lookup FindSymbol(const TranslationContext& ctx, std::string_view name, int16_t& type, int16_t& extra,
                  std::string& java_name) {
  const Lookup found = FindInVariables(ctx, name, type, extra, java_name);
  if (found != Lookup::kNotFound) return found;
  const int16_t index = FindFirst(ctx.procedures, name);
  if (index < 0) return Lookup::kNotFound;
  const ProcedureRecord& procedure = ctx.procedures.records[static_cast<size_t>(index)];
  if (type != 0) {
    // A suffix on a function name asks for a form with that result, written
    // as the value letter of the suffix's type.
    const TypeRow* row = TypeRowOf(type);
    const std::string form(1, row != nullptr ? ValueLetter(*row) : char{0});
    if (std::find(procedure.resultForms.begin(), procedure.resultForms.end(), form) == procedure.resultForms.end()) {
      return Lookup::kFoundOtherType;
    }
  }
  java_name = procedure.javaName;
  type = kTypeProcedure;
  extra = index;
  return Lookup::kFound;
}

Lookup FindVariable(const TranslationContext& ctx, std::string_view name, int16_t& type, int16_t& extra,
                    std::string& java_name) {
  return FindInVariables(ctx, name, type, extra, java_name) == Lookup::kFound ? Lookup::kFound : Lookup::kNotFound;
}

bool IsTypeOrProcedureName(const TranslationContext& ctx, std::string_view name) {
  return FindFirst(ctx.userTypes, name) >= 0 || FindFirst(ctx.procedures, name) >= 0;
}

bool IsNameDeclared(const TranslationContext& ctx, std::string_view name) {
  if (IsTypeOrProcedureName(ctx, name)) return true;
  for (const IndexedTable<VariableRecord>* table : VariableTables(ctx)) {
    if (FindFirst(*table, name) >= 0) return true;
  }
  return false;
}

void ReadTypeCode(std::string_view text, int16_t& position, int16_t& code) {
  if (position < 1 || static_cast<size_t>(position) > text.size()) return;
  const char c = text[static_cast<size_t>(position) - 1];
  const TypeRow* row = TypeRowOfLetter(c);
  if (row == nullptr) return;
  code = c == row->letter ? row->place : ValueOf(row->place);
  auto skip_past_bracket = [&] {
    const size_t close = text.find(']', static_cast<size_t>(position));
    position = close == std::string_view::npos ? static_cast<int16_t>(text.size() + 1)
                                               : static_cast<int16_t>(close + 2);
  };
  if (row->place == kTypeArray) {
    // "AI": the element's letter follows; "ATTYP0]": a user type's name.
    if (static_cast<size_t>(position) < text.size() && text[static_cast<size_t>(position)] == 'T') {
      skip_past_bracket();
    } else {
      position = static_cast<int16_t>(position + 2);
    }
  } else if (row->place == kTypeUser) {
    skip_past_bracket();
  } else {
    ++position;
  }
}

std::string TypeCodeText(const TranslationContext& ctx, int16_t code, int16_t extra) {
  std::string prefix;
  if (code == kTypeArray || code == kValueArray) {
    const TypeRow& array = *TypeRowOf(kTypeArray);
    prefix.push_back(code == kTypeArray ? array.letter : ValueLetter(array));
    if (extra < 0 || static_cast<size_t>(extra) >= ctx.arrays.size()) return {};
    const ArrayRecord& record = ctx.arrays[static_cast<size_t>(extra)];
    code = record.elementType;
    extra = record.elementExtra;
  }
  const TypeRow& user = *TypeRowOf(kTypeUser);
  if (code == kTypeUser) return prefix + user.letter + UserTypeJavaName(ctx, extra) + "]";
  if (code == kValueUser) return prefix + ValueLetter(user) + UserTypeJavaName(ctx, extra) + "]";
  if (const TypeRow* row = TypeRowOf(code); row != nullptr && row->letter != 0) return prefix + row->letter;
  // A value or a literal has its place's letter in lower case; a STRING * n
  // value has none of its own, and no literal lies beyond BOOLEAN's.
  if (!IsValueCode(code) && !(IsLiteralCode(code) && code <= kLiteralBoolean)) return {};
  if (PlaceOf(code) == kTypeFixedString) return {};
  const TypeRow* row = TypeRowOf(PlaceOf(code));
  return row != nullptr && row->letter != 0 ? std::string(1, ValueLetter(*row)) : std::string();
}

int16_t OperatorResultType(bool is_plus, int16_t left, int16_t right) {
  left = ValueOf(PlaceOf(left));
  right = ValueOf(PlaceOf(right));
  auto string = [](int16_t code) { return code == kValueString || code == kValueFixedString; };
  if (IsNumericValue(left) && IsNumericValue(right)) {
    // Arithmetic is never narrower than 32 bits.
    return std::max({left, right, int16_t{kValueLong}});
  }
  if (string(left) && string(right) && is_plus) return kValueString;
  return 0;
}

}  // namespace corvel
