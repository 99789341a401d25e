#include "symbols/declaration_syntax.h"

#include <fmt/format.h>

#include "diag/messages.h"
#include "source/token_codes.h"
#include "symbols/numbers.h"
#include "symbols/symbol_tables.h"

namespace corvel {
namespace {

// Bounds are 16-bit; an array has at most 128 dimensions (256 bound values).
constexpr int kMaxDimensions = 128;

bool Fail(DeclarationFault& fault, size_t token, const Message& message) {
  fault = {token, message};
  return false;
}

bool IsToken(const std::vector<Token>& t, size_t i, int16_t code) { return i < t.size() && t[i].code == code; }

// An integer with an optional minus token in front; must fit 16 bits.
bool ReadBound(const std::vector<Token>& t, size_t& i, MessageText message, int16_t& value,
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
  if (n < -32768 || n > 32767) return Fail(fault, start, kMsgBoundRange);
  value = static_cast<int16_t>(n);
  return true;
}

}  // namespace

const BoundsMessages kVariableBounds = {kMsgBoundForm, kMsgBoundForm, kMsgBadArrayDeclaration, false};
const BoundsMessages kElementBounds = {kMsgBoundForm, kMsgElementUpperBoundForm, kMsgBadElementArray, true};

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
      return Fail(fault, start, messages.baseInMessage ? Msg(kMsgBoundBelowBase, base) : Message(messages.badList));
    }
    if (!IsToken(t, i, kTokComma) && !IsToken(t, i, kTokRParen)) return Fail(fault, i, messages.badList);
    if (array.dimensions >= kMaxDimensions) {
      return Fail(fault, start, Msg(kMsgTooManyDimensions, kMaxDimensions));
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
                  MessageText bad_length_message, TypeName& type, DeclarationFault& fault) {
  if (i >= t.size()) return Fail(fault, i, kMsgBadTypeName);
  switch (t[i].code) {
    case kTokIdentifier: {
      const int16_t index = FindFirst(ctx.userTypes, t[i].text);
      if (index < 0 || index >= visible_types) return Fail(fault, i, kMsgNoSuchUserType);
      type = {kTypeUser, index};
      break;
    }
    case kKwBigInteger:
    case kKwBigDecimal:
      return Fail(fault, i, Msg(kMsgTypeNotSupported, KeywordText(t[i].code)));
    case kKwString: {
      if (!IsToken(t, i + 1, kTokStar)) {
        type = {kTypeString, 0};
        break;
      }
      if (is_array && !fixed_string_arrays) return Fail(fault, i, kMsgFixedStringArray);
      const NumberClass length = i + 2 < t.size() ? ClassifyNumber(t[i + 2].text) : NumberClass{{}, 0, true};
      if (!IsInt32Literal(length)) return Fail(fault, i + 2, bad_length_message);
      const long long n = ParseWholeNumber(length.javaText).value_or(32768);
      if (n < 0 || n > 32767) return Fail(fault, i + 2, kMsgFixedStringLength);
      type = {kTypeFixedString, static_cast<int16_t>(n)};
      i += 2;
      break;
    }
    default: {
      // BYTE, INTEGER, ... IMAGE: a keyword that names a type.
      const TypeRow* row = TypeRowOfName(KeywordText(t[i].code));
      if (row == nullptr) return Fail(fault, i, kMsgBadTypeName);
      type = {row->place, 0};
      break;
    }
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
      const int16_t element = type.code == kTypeFixedString ? int16_t{kTypeString} : type.code;
      if (type.code == kTypeFixedString) array.elementExtra = type.extra;
      ctx.usedTypes[VariableFlag(element)] = 1;
      ctx.usedTypes[ArrayFlag(element)] = 1;
    }
    record.type = kTypeArray;
    record.extra = array_index;
  } else if (type.code == kTypeFixedString) {
    ctx.usedTypes[VariableFlag(kTypeString)] = 1;
  } else if (type.code != kTypeUser) {
    ctx.usedTypes[VariableFlag(type.code)] = 1;
  }
}

int ColumnOfToken(const Statement& s, size_t i) {
  if (i < s.tokens.size()) return s.tokens[i].column;
  const Token& last = s.tokens.back();
  return last.column + last.length;
}

}  // namespace corvel
