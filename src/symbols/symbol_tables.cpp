#include "symbols/symbol_tables.h"

#include <algorithm>
#include <array>

#include "source/token_codes.h"

namespace corvel {
namespace {

// One row per scalar place code (index = code). ORDER TYPECODE
struct ScalarType {
  char letter;                // place letter; the value letter is its lower case
  std::string_view wrapper;   // Java class of a variable
  std::string_view array;     // Java class of an array of it
  std::string_view primitive;
};

constexpr std::array<ScalarType, 13> kScalars = {{
    {0, "", "", ""},
    {'B', "KWV_Byte", "KWA_Byte", "byte"},
    {'I', "KWV_Integer", "KWA_Integer", "short"},
    {'L', "KWV_Long", "KWA_Long", "int"},
    {'O', "KWV_Longlong", "KWA_Longlong", "long"},
    {'S', "KWV_Single", "KWA_Single", "float"},
    {'D', "KWV_Double", "KWA_Double", "double"},
    {0, "", "", ""},
    {0, "", "", ""},
    {'C', "KWV_String", "KWA_String", "String"},
    {'C', "KWV_String", "KWA_String", "String"},  // fixed-length string
    {'E', "KWV_Boolean", "KWA_Boolean", "boolean"},
    {'G', "KWC_Image", "KWA_Image", ""},
}};

const ScalarType* Scalar(int16_t code) {
  if (code < 1 || code >= static_cast<int16_t>(kScalars.size()) || kScalars[static_cast<size_t>(code)].letter == 0) {
    return nullptr;
  }
  return &kScalars[static_cast<size_t>(code)];
}

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
int16_t FindInVariables(const TranslationContext& ctx, std::string& name, int16_t& type, int16_t& extra) {
  auto found = [&](const VariableRecord& record) -> int16_t {
    name = record.javaName;
    if (type == 0) {
      type = record.type;
      extra = record.extra;
      return kFound;
    }
    return type == record.type ? kFound : kFoundOtherType;
  };
  if (ctx.caseSelector != nullptr && name == ctx.caseSelector->name) return found(*ctx.caseSelector);
  for (const IndexedTable<VariableRecord>* table : VariableTables(ctx)) {
    const int16_t index = FindFirst(*table, name);
    if (index >= 0) return found(table->records[static_cast<size_t>(index)]);
  }
  return kNotFound;
}

}  // namespace

std::string JavaClassOf(const TranslationContext& ctx, int16_t code, int16_t extra) {
  if (code == kTypeUser) return UserTypeJavaName(ctx, extra);
  if (code == 100 + kTypeUser) return "KWA_" + UserTypeJavaName(ctx, extra);
  if (const ScalarType* scalar = Scalar(code)) return std::string(scalar->wrapper);
  if (code > 100) {
    if (const ScalarType* scalar = Scalar(static_cast<int16_t>(code - 100))) return std::string(scalar->array);
  }
  return {};
}

std::string_view JavaPrimitiveOf(int16_t code) {
  const ScalarType* scalar = Scalar(code);
  return scalar != nullptr ? scalar->primitive : std::string_view();
}

int16_t SuffixType(int16_t token_code) {
  switch (token_code) {
    case kTokBang: return kTypeSingle;
    case kTokHash: return kTypeDouble;
    case kTokDollar: return kTypeString;
    case kTokPercent: return kTypeInteger;
    case kTokAmpersand: return kTypeLong;
    default: return 0;
  }
}

int16_t FindSymbol(const TranslationContext& ctx, std::string& name, int16_t& type, int16_t& extra) {
  const int16_t found = FindInVariables(ctx, name, type, extra);
  if (found != kNotFound) return found;
  const int16_t index = FindFirst(ctx.procedures, name);
  if (index < 0) return kNotFound;
  const ProcedureRecord& procedure = ctx.procedures.records[static_cast<size_t>(index)];
  if (type != 0) {
    // A suffix on a function name asks for a form with that result.
    char letter = 0;
    switch (type) {
      case kTypeInteger: letter = 'i'; break;
      case kTypeLong: letter = 'l'; break;
      case kTypeSingle: letter = 's'; break;
      case kTypeDouble: letter = 'd'; break;
      case kTypeString: letter = 'c'; break;
      default: break;
    }
    bool has_form = false;
    for (const std::string& result : procedure.resultForms) has_form |= letter != 0 && result == std::string(1, letter);
    if (!has_form) return kFoundOtherType;
  }
  name = procedure.javaName;
  type = kTypeProcedure;
  extra = index;
  return kFound;
}

int16_t FindVariable(const TranslationContext& ctx, std::string& name, int16_t& type, int16_t& extra) {
  return FindInVariables(ctx, name, type, extra) == kFound ? kFound : kNotFound;
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
  auto skip_past_bracket = [&] {
    const size_t close = text.find(']', static_cast<size_t>(position));
    position = close == std::string_view::npos ? static_cast<int16_t>(text.size() + 1)
                                               : static_cast<int16_t>(close + 2);
  };
  switch (c) {
    case 'A':
    case 'a':
      code = c == 'A' ? kTypeArray : kTypeArray + kValueOffset;
      if (static_cast<size_t>(position) < text.size() && text[static_cast<size_t>(position)] == 'T') {
        skip_past_bracket();
      } else {
        position = static_cast<int16_t>(position + 2);
      }
      return;
    case 'T':
    case 't':
      code = c == 'T' ? kTypeUser : kTypeUser + kValueOffset;
      skip_past_bracket();
      return;
    default:
      break;
  }
  for (int16_t t = 1; t < static_cast<int16_t>(kScalars.size()); ++t) {
    if (t == kTypeFixedString) continue;  // shares the letter of STRING
    const char letter = kScalars[static_cast<size_t>(t)].letter;
    if (letter == 0) continue;
    if (c == letter) {
      code = t;
    } else if (c == letter - 'A' + 'a') {
      code = static_cast<int16_t>(t + kValueOffset);
    } else {
      continue;
    }
    ++position;
    return;
  }
}

std::string TypeCodeText(const TranslationContext& ctx, int16_t code, int16_t extra) {
  std::string prefix;
  if (code == kTypeArray || code == kTypeArray + kValueOffset) {
    prefix.push_back(code == kTypeArray ? 'A' : 'a');
    if (extra < 0 || static_cast<size_t>(extra) >= ctx.arrays.size()) return {};
    const ArrayRecord& array = ctx.arrays[static_cast<size_t>(extra)];
    code = array.elementType;
    extra = array.elementExtra;
  }
  if (code == kTypeUser) return prefix + "T" + UserTypeJavaName(ctx, extra) + "]";
  if (code == kTypeUser + kValueOffset) return prefix + "t" + UserTypeJavaName(ctx, extra) + "]";
  if (const ScalarType* scalar = Scalar(code)) {
    prefix.push_back(scalar->letter);
    return prefix;
  }
  int16_t base = 0;
  if (IsValueCode(code) || (IsLiteralCode(code) && code <= kLiteralBoolean)) base = PlaceOf(code);
  if (base == kTypeFixedString) return {};  // 30 is a string value but has no letter of its own
  if (const ScalarType* scalar = Scalar(base)) {
    return std::string(1, static_cast<char>(scalar->letter - 'A' + 'a'));
  }
  return {};
}

bool OperatorResultType(int16_t op, int16_t left, int16_t right, int16_t& result) {
  left = ValueOf(PlaceOf(left));
  right = ValueOf(PlaceOf(right));
  auto string = [](int16_t code) { return code == kValueString || code == kValueFixedString; };
  if (IsNumericValue(left) && IsNumericValue(right)) {
    result = std::max(left, right);
    if (result < kValueLong) result = kValueLong;  // arithmetic is never narrower than 32 bits
    return false;
  }
  if (string(left) && string(right) && op == 1) {
    result = kValueString;
    return false;
  }
  return true;
}

}  // namespace corvel
