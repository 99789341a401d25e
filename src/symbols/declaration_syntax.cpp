#include "symbols/declaration_syntax.h"

#include <fmt/format.h>

#include "source/token_codes.h"
#include "symbols/numbers.h"
#include "symbols/symbol_tables.h"

namespace corvel {
namespace {

// Bounds are 16-bit; an array has at most 128 dimensions (256 bound values).
constexpr int kMaxDimensions = 128;
constexpr std::string_view kBoundRange = "配列の添字は -32768 から 32767 までの整数で指定してください";

bool Fail(DeclarationFault& fault, size_t token, std::string_view message) {
  fault = {token, std::string(message)};
  return false;
}

bool IsToken(const std::vector<Token>& t, size_t i, int16_t code) { return i < t.size() && t[i].code == code; }

// An integer with an optional minus token in front; must fit 16 bits.
bool ReadBound(const std::vector<Token>& t, size_t& i, std::string_view message, int16_t& value,
               DeclarationFault& fault) {
  const size_t start = i;
  std::string text;
  if (IsToken(t, i, kTokMinus)) {
    text = "-";
    ++i;
  }
  if (i >= t.size()) return Fail(fault, start, message);
  text += t[i].text;
  ++i;
  const NumberClass number = ClassifyNumber(text);
  if (!IsInt32Literal(number)) return Fail(fault, start, message);
  const long long n = ParseWholeNumber(number.javaText).value_or(-32769);
  if (n < -32768 || n > 32767) return Fail(fault, start, kBoundRange);
  value = static_cast<int16_t>(n);
  return true;
}

}  // namespace

const BoundsMessages kVariableBounds = {
    "配列の添字は10進整数(-2147483648 から 2147483647)で指定してください",
    "配列の添字は10進整数(-2147483648 から 2147483647)で指定してください",
    "配列の宣言が不正です",
    false,
};

const BoundsMessages kElementBounds = {
    "配列の添字は10進整数(-2147483648 から 2147483647)で指定してください",
    "配列の添字は10進整数リテラル(-2147483648 から 2147483647)で指定してください",
    "配列の宣言が正しく書かれていません",
    true,
};

bool ReadBounds(const std::vector<Token>& t, size_t& i, int16_t base, const BoundsMessages& messages,
                ArrayRecord& array, DeclarationFault& fault) {
  ++i;  // the "("
  while (true) {
    if (i >= t.size()) return Fail(fault, i, messages.badList);
    if (t[i].code == kTokRParen) break;
    const size_t start = i;
    int16_t lower = base;
    int16_t upper = 0;
    if (!ReadBound(t, i, messages.badBound, upper, fault)) return false;
    if (IsToken(t, i, kKwTo)) {
      ++i;
      lower = upper;
      if (!ReadBound(t, i, messages.badUpperBound, upper, fault)) return false;
    } else if ((IsToken(t, i, kTokComma) || IsToken(t, i, kTokRParen)) && base > upper) {
      return Fail(fault, start,
                  messages.baseInMessage ? fmt::format("TOキーワードを使わない時、添字は{}以上でなければいけません", base)
                                         : std::string(messages.badList));
    }
    if (!IsToken(t, i, kTokComma) && !IsToken(t, i, kTokRParen)) return Fail(fault, i, messages.badList);
    if (array.dimensions >= kMaxDimensions) {
      return Fail(fault, start, fmt::format("配列の次元は {} までです", kMaxDimensions));
    }
    array.bounds.push_back(lower);
    array.bounds.push_back(upper);
    ++array.dimensions;
    if (t[i].code == kTokComma) ++i;
  }
  ++i;  // the ")"
  return true;
}

bool ReadTypeName(const TranslationContext& ctx, const std::vector<Token>& t, size_t& i,
                  int16_t visible_types, bool is_array, bool fixed_string_arrays,
                  std::string_view bad_length_message, TypeName& type, DeclarationFault& fault) {
  constexpr std::string_view kBadType = "データ型として不適切な名前が指定されています";
  if (i >= t.size()) return Fail(fault, i, kBadType);
  switch (t[i].code) {
    case kTokIdentifier: {
      const int16_t index = FindFirst(ctx.userTypes, t[i].text);
      if (index < 0 || index >= visible_types) return Fail(fault, i, "指定されたユーザ定義型は存在しません");
      type = {kTypeUser, index};
      break;
    }
    case kKwBigInteger:
      return Fail(fault, i, "このバージョンでは BIGINTEGER型はサポートされていません");
    case kKwBigDecimal:
      return Fail(fault, i, "このバージョンでは BIGDECIMAL型はサポートされていません");
    case kKwString: {
      if (!IsToken(t, i + 1, kTokStar)) {
        type = {kTypeString, 0};
        break;
      }
      if (is_array && !fixed_string_arrays) return Fail(fault, i, "固定文字列型の配列はサポートされていません");
      const NumberClass length = i + 2 < t.size() ? ClassifyNumber(t[i + 2].text) : NumberClass{{}, 0, true};
      if (!IsInt32Literal(length)) return Fail(fault, i + 2, bad_length_message);
      const long long n = ParseWholeNumber(length.javaText).value_or(32768);
      if (n < 0 || n > 32767) return Fail(fault, i + 2, "固定文字列の長さは 0 から 32767 までで指定してください");
      type = {kTypeFixedString, static_cast<int16_t>(n)};
      i += 2;
      break;
    }
    case kKwByte: type = {kTypeByte, 0}; break;
    case kKwInteger: type = {kTypeInteger, 0}; break;
    case kKwLong: type = {kTypeLong, 0}; break;
    case kKwLonglong: type = {kTypeLonglong, 0}; break;
    case kKwSingle: type = {kTypeSingle, 0}; break;
    case kKwDouble: type = {kTypeDouble, 0}; break;
    case kKwBoolean: type = {kTypeBoolean, 0}; break;
    case kKwImage: type = {kTypeImage, 0}; break;
    default:
      return Fail(fault, i, kBadType);
  }
  ++i;
  return true;
}

void RecordDeclaredType(TranslationContext& ctx, VariableRecord& record, int16_t array_index, const TypeName& type) {
  record.type = type.code;
  record.extra = type.extra;
  if (array_index >= 0) {
    ArrayRecord& array = ctx.arrays[static_cast<size_t>(array_index)];
    array.elementType = type.code;
    if (type.code == kTypeUser) {
      array.elementExtra = type.extra;
      ctx.userTypes.records[static_cast<size_t>(type.extra)].arrayUsed = 1;
    } else {
      // A fixed-length string array is an array of strings of that length.
      const int16_t flag = type.code == kTypeFixedString ? int16_t{kTypeString} : type.code;
      if (type.code == kTypeFixedString) array.elementExtra = type.extra;
      ctx.usedTypes[static_cast<size_t>(flag)] = 1;
      ctx.usedTypes[static_cast<size_t>(flag + kValueOffset)] = 1;
    }
    record.type = kTypeArray;
    record.extra = array_index;
  } else if (type.code == kTypeFixedString) {
    ctx.usedTypes[kTypeString] = 1;
  } else if (type.code != kTypeUser) {
    ctx.usedTypes[static_cast<size_t>(type.code)] = 1;
  }
}

int ColumnOfToken(const Statement& s, size_t i) {
  if (i < s.tokens.size()) return s.tokens[i].column;
  const Token& last = s.tokens.back();
  return last.column + last.length;
}

}  // namespace corvel
