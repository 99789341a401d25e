#include "expr/expression.h"

#include <fmt/format.h>

#include <algorithm>

#include "diag/error_report.h"
#include "diag/messages.h"
#include "expr/expression_state.h"
#include "expr/library.h"
#include "expr/value_conversion.h"
#include "source/lexer.h"
#include "source/text_encoding.h"
#include "source/token_codes.h"
#include "symbols/numbers.h"
#include "symbols/symbol_tables.h"

namespace corvel {

int16_t FailAt(ExpressionState& st, int column, const Message& message) {
  ReportErrorAt(st.ctx, st.line, column, message);
  return 1;
}

int16_t FailInLine(ExpressionState& st, const Message& message) {
  ReportErrorInLine(st.ctx, st.line, message);
  return 1;
}

size_t NextLive(const ExpressionState& st, size_t j, size_t limit) {
  for (++j; j < limit; ++j) {
    if (st.e[j].code != kElemConsumed) return j;
  }
  return limit;
}

bool IsOperand(const Element& el) { return el.code == kElemOperand; }

int16_t ConvertOperand(Element& el, int16_t to_type, std::string_view checker) {
  const size_t before = el.javaText.size();  // every conversion that changes the text lengthens it
  const int16_t failed = checker.empty() ? ConvertValue(el.javaText, el.type, el.extra, to_type, -1)
                                         : ConvertChecked(el.javaText, el.type, to_type, checker);
  if (failed != 0) return 1;
  if (el.javaText.size() != before) el.form = JavaForm::kAtom;
  el.type = to_type;
  return 0;
}

int16_t CallText(ExpressionState& st, const ProcedureRecord& procedure, int16_t form, const std::vector<size_t>& args,
                 std::string& text) {
  const std::string& form_text = procedure.argumentForms[static_cast<size_t>(form)];
  int16_t position = 1;
  text = procedure.javaName + "(";
  for (size_t a = 0; a < args.size(); ++a) {
    int16_t code = 0;
    ReadTypeCode(form_text, position, code);
    Element& arg = st.e[args[a]];
    const int16_t failed = IsLibrary(procedure) ? ConvertChecked(arg.javaText, arg.type, code, kCheckArgument)
                                                : ConvertValue(arg.javaText, arg.type, arg.extra, code, -1);
    if (failed != 0) return 1;
    text += (a > 0 ? "," : "") + arg.javaText;
  }
  text += ")";
  return 0;
}

std::string InPieces(const std::string& java) {
  // A 4-byte UTF-8 character takes 6 bytes in a class file: a piece of this
  // many source bytes stays below the 65,535 a constant may hold.
  constexpr size_t kPieceBytes = 40000;
  if (java.size() <= kPieceBytes) return java;
  const std::string_view inner = std::string_view(java).substr(1, java.size() - 2);
  std::vector<std::string_view> pieces;
  size_t start = 0;
  for (size_t i = 0; i < inner.size();) {
    size_t length = 1;
    if (inner[i] == '\\') {
      // An escape stays whole; an octal one takes its digits as Java reads them.
      length = 2;
      if (i + 1 < inner.size() && inner[i + 1] >= '0' && inner[i + 1] <= '7') {
        const size_t most = inner[i + 1] <= '3' ? 3 : 2;
        while (length <= most && i + length < inner.size() && inner[i + length] >= '0' && inner[i + length] <= '7') {
          ++length;
        }
      }
    } else {
      const auto lead = static_cast<unsigned char>(inner[i]);
      length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    }
    if (i + length - start > kPieceBytes) {
      pieces.push_back(inner.substr(start, i - start));
      start = i;
    }
    i += length;
  }
  pieces.push_back(inner.substr(start));
  std::string text = fmt::format("(\"{}\"", pieces.front());
  for (size_t k = 1; k < pieces.size(); ++k) text += fmt::format(".concat(\"{}\")", pieces[k]);
  return text + ")";
}

bool JavaStringLiteral(std::string_view literal, std::string& java) {
  std::string value;
  if (!StringLiteralValue(literal, value)) return false;
  java.assign(1, '"');
  for (const char c : value) {
    if (const size_t named = std::string_view("\b\t\n\f\r\"\\").find(c); named != std::string_view::npos) {
      java += '\\';
      java += "btnfr\"\\"[named];
    } else if (static_cast<unsigned char>(c) < 0x20) {
      // Octal, and always three digits, so that a digit after it stays a digit.
      java += fmt::format("\\{:03o}", static_cast<unsigned>(c));
    } else {
      java += c;
    }
  }
  java += '"';
  return true;
}

namespace {

// ---------------------------------------------------------------------------
// Overload rules.

enum class Fit { kYes, kNo, kOtherClass };

int BilosdPosition(char c) {
  const size_t p = std::string_view("bilosd").find(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

bool SameIgnoringCase(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

// Rule 3 (widening) or rule 4 (any number to any number) for one form.
Fit FitsForm(std::string_view form, std::string_view s, bool widening) {
  if (form.size() != s.size()) return Fit::kNo;
  size_t p = 0;
  // A user-type position: "T" or "t", then the same class name up to "]".
  auto same_class = [&](size_t at) {
    const size_t end_s = s.find(']', at);
    const size_t end_f = form.find(']', at);
    if (end_s == std::string_view::npos || end_s != end_f || s.substr(at, end_s - at) != form.substr(at, end_f - at)) {
      return false;
    }
    p = end_s;
    return true;
  };
  for (; p < s.size(); ++p) {
    const char a = s[p];
    const char f = form[p];
    if (a == 'A' || a == 'a') {
      if (f != 'A' && f != 'a') return Fit::kNo;
      ++p;
      if (p >= s.size()) return Fit::kNo;
      if (s[p] == 'T') {
        if (form[p] != 'T') return Fit::kNo;
        if (!same_class(p + 1)) return Fit::kOtherClass;
      } else if (s[p] != form[p]) {
        return Fit::kNo;
      }
    } else if (a == 'T' || a == 't') {
      if (f != 'T' && f != 't') return Fit::kNo;
      if (!same_class(p + 1)) return Fit::kOtherClass;
    } else if (widening) {
      if (!(BilosdPosition(a) < BilosdPosition(f) || SameIgnoringCase(a, f))) return Fit::kNo;
    } else {
      const bool numbers = std::string_view("bilosdBILOSD").find(a) != std::string_view::npos &&
                           std::string_view("bilosd").find(static_cast<char>(std::tolower(static_cast<unsigned char>(f)))) !=
                               std::string_view::npos;
      if (!numbers && !SameIgnoringCase(a, f)) return Fit::kNo;
    }
  }
  return Fit::kYes;
}

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

int16_t ChooseForm(const ProcedureRecord& procedure, const std::string& signature, bool void_results_only) {
  const auto count = static_cast<int16_t>(procedure.argumentForms.size());
  auto eligible = [&](int16_t i) { return !void_results_only || procedure.resultForms[static_cast<size_t>(i)] == "v"; };
  const std::vector<std::string>& forms = procedure.argumentForms;
  for (int16_t i = 0; i < count; ++i) {
    if (eligible(i) && forms[static_cast<size_t>(i)] == signature) return i;
  }
  const std::string upper = Upper(signature);
  for (int16_t i = 0; i < count; ++i) {
    if (eligible(i) && Upper(forms[static_cast<size_t>(i)]) == upper) return i;
  }
  for (int16_t i = 0; i < count; ++i) {
    if (!eligible(i)) continue;
    const Fit fit = FitsForm(forms[static_cast<size_t>(i)], signature, true);
    if (fit == Fit::kYes) return i;
    if (fit == Fit::kOtherClass) break;  // widening gives up; numeric rule next
  }
  for (int16_t i = 0; i < count; ++i) {
    if (!eligible(i)) continue;
    const Fit fit = FitsForm(forms[static_cast<size_t>(i)], signature, false);
    if (fit == Fit::kYes) return i;
    if (fit == Fit::kOtherClass) return -1;
  }
  return -1;
}

namespace {

// ---------------------------------------------------------------------------
// Building the element list.

Element MakeElement(int depth, int16_t code, int column) {
  Element el;
  el.depth = static_cast<int16_t>(depth);
  el.code = code;
  el.column = static_cast<int16_t>(column);
  return el;
}

void MakeOperand(Element& el, std::string text, int16_t type, int16_t extra) {
  el.code = kElemOperand;
  el.javaText = std::move(text);
  el.type = type == kTypeFixedString ? int16_t{kTypeString} : type;  // a fixed string reads as a string
  el.extra = extra;
  el.form = JavaForm::kAtom;
}

int16_t BuildElements(ExpressionState& st, int first, int last, int& max_depth) {
  const std::vector<Token>& t = st.ctx.statements[static_cast<size_t>(st.statement)].tokens;
  const Token& last_token = t[static_cast<size_t>(last)];
  st.e.clear();
  st.e.reserve(static_cast<size_t>(last - first + 3));
  st.e.push_back(MakeElement(1, kTokLParen, t[static_cast<size_t>(first)].column));
  bool operand_expected = true;
  int depth = 1;
  max_depth = 1;
  for (int k = first; k <= last; ++k) {
    const Token& tok = t[static_cast<size_t>(k)];
    const Token* next = k < last ? &t[static_cast<size_t>(k + 1)] : nullptr;
    Element el = MakeElement(depth, tok.code, tok.column);
    switch (tok.code) {
      case kTokLParen:
        el.depth = static_cast<int16_t>(++depth);
        max_depth = std::max(max_depth, depth);
        operand_expected = true;
        break;
      case kTokRParen:
        // A ")" without its "(" would close the whole range early.
        if (depth <= 1) return FailInLine(st, kMsgUnbalancedParentheses);
        --depth;
        operand_expected = false;
        break;
      case kTokCaret: case kTokStar: case kTokSlash: case kTokBackslash: case kKwMod: case kTokPlus:
      case kTokComma: case kKwNot: case kKwAnd: case kKwOr: case kKwXor: case kKwEqv: case kKwImp:
        operand_expected = true;
        break;
      case kTokDot: case kTokBang: case kTokHash: case kTokDollar: case kTokPercent: case kTokAmpersand:
        break;
      case kTokMinus:
        if (!operand_expected) {
          if (next != nullptr && next->code == kTokMinus) return FailAt(st, next->column, kMsgDoubleMinus);
          operand_expected = true;
          break;
        }
        operand_expected = false;
        if (next != nullptr && next->code == kTokIdentifier) {
          el.code = kElemNegateName;
        } else if (next != nullptr && next->code == kTokLParen) {
          el.code = kElemNegateGroup;
        } else if (next != nullptr && (next->code == kTokHexOctal || next->code == kTokHexOctalLonglong)) {
          MakeOperand(el, "-" + next->text, next->code == kTokHexOctal ? kLiteralLong : kLiteralLonglong, 0);
          ++k;
        } else if (next != nullptr && next->code == kTokNumber) {
          const NumberClass number = ClassifyNumber("-" + next->text);
          if (number.failed) return FailAt(st, tok.column, kMsgNumberOutOfRange);
          MakeOperand(el, number.javaText, number.literalCode, 0);
          ++k;
        } else {
          return FailAt(st, tok.column, kMsgBadExpression);
        }
        break;
      case kTokGreater:
      case kTokEqual:
      case kTokLess: {
        // Two-character relations arrive as two tokens: >= => <> >< <= =<.
        const int16_t second = next != nullptr ? next->code : int16_t{0};
        const auto pair = [&](int16_t a, int16_t b) {
          return (tok.code == a && second == b) || (tok.code == b && second == a);
        };
        if (pair(kTokGreater, kTokEqual)) {
          el.code = kElemGreaterEqual;
        } else if (pair(kTokGreater, kTokLess)) {
          el.code = kElemNotEqual;
        } else if (pair(kTokEqual, kTokLess)) {
          el.code = kElemLessEqual;
        } else {
          el.code = tok.code == kTokGreater ? kElemGreater : tok.code == kTokEqual ? kElemEqual : kElemLess;
        }
        if (el.code != kElemGreater && el.code != kElemEqual && el.code != kElemLess) ++k;
        operand_expected = true;
        break;
      }
      case kTokIdentifier:
        el.javaText = tok.text;
        operand_expected = false;
        break;
      case kTokNumber: {
        const NumberClass number = ClassifyNumber(tok.text);
        if (number.failed) return FailAt(st, tok.column, kMsgNumberOutOfRange);
        MakeOperand(el, number.javaText, number.literalCode, 0);
        operand_expected = false;
        break;
      }
      case kTokHexOctal:
      case kTokHexOctalLonglong:
        MakeOperand(el, tok.text, tok.code == kTokHexOctal ? kLiteralLong : kLiteralLonglong, 0);
        operand_expected = false;
        break;
      case kTokString: {
        std::string java;
        if (!JavaStringLiteral(tok.text, java)) return FailAt(st, tok.column, kMsgBadEscape);
        MakeOperand(el, InPieces(java), kLiteralString, 0);
        break;
      }
      default:
        return FailAt(st, tok.column, kMsgBadElement);
    }
    st.e.push_back(std::move(el));
  }
  st.e.push_back(MakeElement(1, kTokRParen, last_token.column + last_token.length));
  if (depth != 1) return FailInLine(st, kMsgUnbalancedParentheses);
  return 0;
}

// ---------------------------------------------------------------------------
// Pass 1: names.

// The ")" that closes the "(" at `open` (one level deeper than the group).
size_t MatchingClose(const ExpressionState& st, size_t open) {
  size_t j = open + 1;
  while (j < st.e.size() && !(st.e[j].code == kTokRParen && st.e[j].depth == st.e[open].depth)) ++j;
  return j;
}

void ConsumeRange(ExpressionState& st, size_t from, size_t to) {
  for (size_t j = from; j < to; ++j) st.e[j].code = kElemConsumed;
}

// Whether a subscript's Java text can neither throw nor show anything: only
// variables' values, numbers and + - *. Under -O, index(i, j) evaluates every
// subscript before checking the first; that keeps today's first error only
// when the subscripts after the first are of this kind.
bool IsQuietSubscript(std::string text) {
  for (size_t at; (at = text.find(".Get()")) != std::string::npos;) text.erase(at, 6);
  return text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_. +-*") ==
         std::string::npos;
}

// NAME(i, j, ...) of an array: a getValue call on its flat index. Under -O,
// up to three subscripts go to index(...), which checks them as getElement
// and getDimension do, in a body the JIT inlines.
int16_t TranslateSubscripts(ExpressionState& st, size_t at, size_t open, const std::string& name,
                            int16_t array_index) {
  const size_t close = MatchingClose(st, open);
  std::string acc;
  std::string quick;
  bool quick_fits = st.ctx.optimize;
  int k = 0;
  size_t j = NextLive(st, open, close);
  while (true) {
    if (j >= close || !IsOperand(st.e[j])) {
      return FailAt(st, j < close ? st.e[j].column : st.e[close].column, kMsgBadSubscript);
    }
    Element& sub = st.e[j];
    const int16_t place = PlaceOf(sub.type);
    if (place < 1 || place > 6 || sub.type == 0) return FailAt(st, sub.column, kMsgSubscriptNotAllowed);
    ConvertOperand(sub, kValueLong, kCheckSubscript);
    ++k;
    acc += fmt::format("{}.getElement({},{})+", name, k, sub.javaText);
    quick += (k > 1 ? "," : "") + sub.javaText;
    quick_fits = quick_fits && (k == 1 || IsQuietSubscript(sub.javaText));
    const size_t after = NextLive(st, j, close);
    if (after == close) {
      acc += fmt::format("{}.getDimension({})", name, k);
      if (quick_fits && k <= 3) acc = fmt::format("{}.index({})", name, quick);
      break;
    }
    if (st.e[after].code != kTokComma) return FailAt(st, st.e[after].column, kMsgBadSubscript);
    j = NextLive(st, after, close);
  }
  const ArrayRecord& array = st.ctx.arrays[static_cast<size_t>(array_index)];
  ConsumeRange(st, at, close);
  MakeOperand(st.e[close], name + ".getValue(" + acc + ")", array.elementType, array.elementExtra);
  return 0;
}

// An operand of array type at `at`: the whole array, or one element.
int16_t TranslateArrayUse(ExpressionState& st, size_t at, size_t group_close, const std::string& name,
                          int16_t array_index) {
  const size_t open = at + 1;
  if (open >= group_close || st.e[open].code != kTokLParen) {
    MakeOperand(st.e[at], name, kTypeArray, array_index);
    return 0;
  }
  if (st.e[open + 1].code == kTokRParen) {
    ConsumeRange(st, at, open + 1);
    MakeOperand(st.e[open + 1], name, kTypeArray, array_index);
    return 0;
  }
  return TranslateSubscripts(st, at, open, name, array_index);
}

// A call of a function in an expression.
int16_t TranslateCall(ExpressionState& st, size_t at, size_t group_close, int16_t procedure_index,
                      int column) {
  const ProcedureRecord& procedure = st.ctx.procedures.records[static_cast<size_t>(procedure_index)];
  std::string text;
  std::string result;
  size_t place = at;
  const size_t open = at + 1;
  if (open >= group_close || st.e[open].code != kTokLParen || st.e[open + 1].code == kTokRParen) {
    const auto form = std::find(procedure.argumentForms.begin(), procedure.argumentForms.end(), "v");
    if (form == procedure.argumentForms.end()) return FailAt(st, column, kMsgNoFormWithoutArguments);
    result = procedure.resultForms[static_cast<size_t>(form - procedure.argumentForms.begin())];
    text = procedure.javaName + "()";
    if (open < group_close && st.e[open].code == kTokLParen) {
      ConsumeRange(st, at, open + 1);
      place = open + 1;
    }
  } else {
    const size_t close = MatchingClose(st, open);
    std::vector<size_t> args;
    std::string signature;
    for (size_t j = NextLive(st, open, close); j < close;) {
      if (!IsOperand(st.e[j])) return FailAt(st, st.e[j].column, kMsgBadArgument);
      args.push_back(j);
      signature += TypeCodeText(st.ctx, st.e[j].type, st.e[j].extra);
      const size_t after = NextLive(st, j, close);
      if (after < close && st.e[after].code != kTokComma) return FailAt(st, st.e[after].column, kMsgBadArgument);
      j = after < close ? NextLive(st, after, close) : close;
      if (after < close && j == close) return FailAt(st, st.e[after].column, kMsgBadArgument);
    }
    const int16_t form = ChooseForm(procedure, signature, false);
    if (form < 0) return FailAt(st, column, kMsgNoFittingForm);
    if (CallText(st, procedure, form, args, text) != 0) return FailAt(st, column, kMsgNoFittingForm);
    result = procedure.resultForms[static_cast<size_t>(form)];
    ConsumeRange(st, at, close);
    place = close;
  }
  int16_t type = 0;
  int16_t position = 1;
  ReadTypeCode(result, position, type);
  // A user-type result names its class: "tTYP1]".
  int16_t extra = 0;
  if (type == kTypeUser || type == kTypeUser + kValueOffset) {
    const std::string_view name = std::string_view(result).substr(1, result.find(']') - 1);
    for (int16_t k = 0; k < Count(st.ctx.userTypes); ++k) {
      if (st.ctx.userTypes.records[static_cast<size_t>(k)].javaName == name) extra = k;
    }
  }
  MakeOperand(st.e[place], std::move(text), type, extra);
  if (procedure.kind == kLibraryInClass) {
    st.ctx.libraryClasses[static_cast<size_t>(procedure.classIndex)].used = 1;
  }
  return 0;
}

// NAME [suffix]: a variable (declared implicitly when unknown), an array,
// a record, or a function call.
int16_t TranslateName(ExpressionState& st, size_t j, size_t close, int level, bool first_identifier) {
  TranslationContext& ctx = st.ctx;
  const std::string name = st.e[j].javaText;
  const int column = st.e[j].column;
  size_t at = j;
  int16_t type = 0;
  if (j + 1 < close) {
    if (int16_t suffix = SuffixType(st.e[j + 1].code); suffix != 0) {
      type = suffix;
      st.e[j].code = kElemConsumed;
      at = j + 1;
    }
  }
  std::string java;
  int16_t extra = 0;
  const Lookup found = FindSymbol(ctx, name, type, extra, java);
  if (found == Lookup::kFoundOtherType) return FailAt(st, column, kMsgTypeDiffers);
  // Inside a FUNCTION its name is its result variable, but followed by "("
  // it calls the function again.
  if (found == Lookup::kFound && java == "MV" && ctx.currentProcedure >= 0 && at + 1 < close &&
      st.e[at + 1].code == kTokLParen) {
    java = ctx.procedures.records[static_cast<size_t>(ctx.currentProcedure)].javaName;
    type = kTypeProcedure;
    extra = ctx.currentProcedure;
  }
  if (found == Lookup::kNotFound) {
    if (ctx.options.explicitFlag == 1) {
      return FailAt(st, column, kMsgUndeclaredVariable);
    }
    if (IsFull(ctx.localVariables)) {
      return FailAt(st, column, Msg(kMsgTooManyVariables, kMaxTableEntries));
    }
    if (type == 0) type = kTypeSingle;
    java = fmt::format("LOC{}", Count(ctx.localVariables));
    AddRecord(ctx.localVariables, VariableRecord{name, java, type, 0});
    ctx.usedTypes[VariableFlag(type)] = 1;
  }
  switch (type) {
    case kTypeArray:
      return TranslateArrayUse(st, at, close, java, extra);
    case kTypeProcedure:
      if (st.statementMode && level == 1 && first_identifier) {
        st.e[at].code = kElemCallHead;
        st.e[at].extra = extra;
        return 0;
      }
      return TranslateCall(st, at, close, extra, column);
    default:
      if (type <= 0) return FailAt(st, column, kMsgBadElement);
      MakeOperand(st.e[at], java, type, extra);
      return 0;
  }
}

// RECORD.ELEMENT, with the "." at j.
int16_t TranslateRecordElement(ExpressionState& st, size_t j, size_t close) {
  const Element& record = st.e[j - 1];
  if (!IsOperand(record) || record.type != kTypeUser || j + 1 >= close ||
      st.e[j + 1].code != kTokIdentifier) {
    return FailAt(st, st.e[j].column, kMsgBadDot);
  }
  const UserTypeRecord& user_type = st.ctx.userTypes.records[static_cast<size_t>(record.extra)];
  const std::string& name = st.e[j + 1].javaText;
  const auto element = std::find_if(user_type.elements.begin(), user_type.elements.end(),
                                    [&](const VariableRecord& v) { return v.name == name; });
  if (element == user_type.elements.end()) {
    return FailAt(st, st.e[j + 1].column, kMsgNoSuchElement);
  }
  const std::string text = record.javaText + "." + element->javaName;
  st.e[j - 1].code = kElemConsumed;
  st.e[j].code = kElemConsumed;
  // An array element of a record takes its subscripts like any array.
  if (element->type == kTypeArray) return TranslateArrayUse(st, j + 1, close, text, element->extra);
  MakeOperand(st.e[j + 1], text, element->type, element->extra);
  return 0;
}

int16_t RunNamePass(ExpressionState& st, size_t open, size_t close, int level) {
  bool first_identifier = true;
  for (size_t j = open + 1; j < close; ++j) {
    const int16_t code = st.e[j].code;
    if (code == kTokIdentifier) {
      if (TranslateName(st, j, close, level, first_identifier) != 0) return 1;
      first_identifier = false;
    } else if (code == kTokDot) {
      if (TranslateRecordElement(st, j, close) != 0) return 1;
      ++j;  // the element name is done
    }
  }
  return 0;
}

}  // namespace

int16_t BuildAndReduce(ExpressionState& st, int first, int last) {
  int max_depth = 1;
  if (BuildElements(st, first, last, max_depth) != 0) return 1;
  // Groups innermost first; within a level, left to right.
  for (int level = max_depth; level >= 1; --level) {
    for (size_t open = 0; open < st.e.size(); ++open) {
      if (st.e[open].code != kTokLParen || st.e[open].depth != level) continue;
      const size_t close = MatchingClose(st, open);
      if (RunNamePass(st, open, close, level) != 0 || RunOperatorPasses(st, open, close, level) != 0) return 1;
      open = close;
    }
  }
  return 0;
}

int16_t TranslateTokens(TranslationContext& ctx, int16_t statement, std::vector<Token> tokens, std::string& java_text,
                        int16_t& type, int16_t& extra) {
  std::vector<Token>& own = ctx.statements[static_cast<size_t>(statement)].tokens;
  own.swap(tokens);
  const auto last = static_cast<int16_t>(own.size() - 1);
  const int16_t failed = TranslateExpression(ctx, statement, 0, last, java_text, type, extra);
  ctx.statements[static_cast<size_t>(statement)].tokens.swap(tokens);
  return failed;
}

int16_t TranslateExpression(TranslationContext& ctx, int16_t statement, int16_t first_token, int16_t last_token,
                            std::string& java_text, int16_t& type, int16_t& extra) {
  const Statement& s = ctx.statements[static_cast<size_t>(statement)];
  ExpressionState st{ctx, statement, s.lineNumber, false, {}};
  if (first_token < 0 || first_token > last_token || static_cast<size_t>(last_token) >= s.tokens.size()) {
    return FailInLine(st, kMsgBadExpression);
  }
  if (BuildAndReduce(st, first_token, last_token) != 0) return 1;
  // What is left must be one operand.
  const size_t close = st.e.size() - 1;
  const size_t only = NextLive(st, 0, close);
  if (only == close || !IsOperand(st.e[only]) || NextLive(st, only, close) != close) {
    return FailInLine(st, kMsgBadExpression);
  }
  const Element& result = st.e[only];
  // Java's bitwise operators bind more loosely than the comparison or the
  // arithmetic that a statement puts around its expression ("x&3!=0").
  const bool bitwise = result.form == JavaForm::kBitAndXor || result.form == JavaForm::kBitOr;
  java_text = bitwise ? "(" + result.javaText + ")" : result.javaText;
  type = result.type;
  extra = result.extra;
  return 0;
}

}  // namespace corvel
