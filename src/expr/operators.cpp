// The operator passes of a group: nested groups, unary minus, arithmetic,
// relations and logic, each a pass left to right, earlier passes binding
// tighter.
#include <algorithm>
#include <string>
#include <vector>

#include "diag/messages.h"
#include "expr/expression_state.h"
#include "source/token_codes.h"
#include "symbols/symbol_tables.h"

namespace corvel {
namespace {

// Java computes byte and short negations in int.
int16_t AtLeastInt(int16_t value_type) {
  return value_type == kValueByte || value_type == kValueInteger ? int16_t{kValueLong} : value_type;
}

// left + op + right, reusing the left text's storage: chains of one operator
// grow their text without copying it again and again.
std::string Join(Element& left, std::string_view op, const std::string& right) {
  std::string text = std::move(left.javaText);
  text += op;
  text += right;
  return text;
}

std::string Parenthesized(const Element& el, JavaForm looser) {
  return el.form == looser ? "(" + el.javaText + ")" : el.javaText;
}

// The first operand after element j, or `close`.
size_t NextOperand(const ExpressionState& st, size_t j, size_t close) {
  size_t k = j + 1;
  while (k < close && !IsOperand(st.e[k])) ++k;
  return k;
}

// The operand of the unary operator at op: the first one after it, or
// nullptr after the report that there is none.
Element* UnaryOperand(ExpressionState& st, size_t op, size_t close) {
  const size_t k = NextOperand(st, op, close);
  if (k >= close) {
    FailInLine(st, kMsgBadExpression);
    return nullptr;
  }
  return &st.e[k];
}

// The operands of the binary operator at op: the element directly before it
// and the first operand after it.
int16_t BinaryOperands(ExpressionState& st, size_t op, size_t close, size_t& left, size_t& right) {
  left = op - 1;
  if (!IsOperand(st.e[left])) return FailInLine(st, kMsgBadExpression);
  right = NextOperand(st, op, close);
  if (right >= close) return FailInLine(st, kMsgBadExpression);
  return 0;
}

// The result of a binary operator replaces its right operand.
void Combine(ExpressionState& st, size_t op, size_t left, size_t right, std::string text, int16_t type,
             JavaForm form = JavaForm::kAtom) {
  st.e[op].code = kElemConsumed;
  st.e[left].code = kElemConsumed;
  Element& result = st.e[right];
  result.javaText = std::move(text);
  result.type = type;
  result.extra = -1;
  result.form = form;
}

// "(" operand ")" of a group reduced earlier becomes a value in place of the ")".
int16_t NestedGroupPass(ExpressionState& st, size_t open, size_t close) {
  for (size_t j = open + 1; j < close; ++j) {
    if (st.e[j].code != kTokLParen) continue;
    st.e[j].code = kElemConsumed;
    const size_t inner = NextLive(st, j, close);
    const size_t end = NextLive(st, inner, close);
    if (inner >= close || !IsOperand(st.e[inner]) || end >= close || st.e[end].code != kTokRParen ||
        st.e[inner].type == 0) {
      return FailInLine(st, kMsgBadExpression);
    }
    Element& operand = st.e[inner];
    Element& place = st.e[end];
    place.code = kElemOperand;
    if (operand.type < kValueOffset) {
      place.javaText = operand.javaText + ".Get()";
      place.type = ValueOf(operand.type);
    } else {
      place.javaText = "(" + operand.javaText + ")";
      place.type = operand.type;
    }
    place.extra = operand.extra;
    place.form = JavaForm::kAtom;
    operand.code = kElemConsumed;
    j = end;
  }
  return 0;
}

// -NAME negates a numeric variable's value; -( ... ) a group's value.
int16_t NegationPass(ExpressionState& st, size_t open, size_t close) {
  for (size_t j = open + 1; j < close; ++j) {
    if (st.e[j].code == kElemNegateName) {
      st.e[j].code = kElemConsumed;
      Element& name = st.e[j + 1];
      if (!IsOperand(name) || !IsNumericPlace(name.type)) return FailInLine(st, kMsgBadExpression);
      // The value, not the variable: "-X" would negate the wrapper object.
      name.javaText = "-" + name.javaText + ".Get()";
      name.type = AtLeastInt(ValueOf(name.type));
      name.form = JavaForm::kAtom;
    } else if (st.e[j].code == kElemNegateGroup) {
      st.e[j].code = kElemConsumed;
      const size_t k = NextOperand(st, j, close);
      if (k >= close || !IsNumericValue(st.e[k].type)) return FailInLine(st, kMsgBadExpression);
      st.e[k].javaText = "-" + st.e[k].javaText;
      st.e[k].type = AtLeastInt(st.e[k].type);
    }
  }
  return 0;
}

// The sign in front of a call statement's first argument: Color -1, 2.
int16_t FirstArgumentSign(ExpressionState& st, size_t minus, size_t close) {
  Element* arg = UnaryOperand(st, minus, close);
  if (arg == nullptr) return 1;
  const int16_t place = PlaceOf(arg->type);
  if (!IsNumericPlace(place) || arg->type == 0) return FailInLine(st, kMsgBadExpression);
  const bool was_value = IsValueCode(arg->type);
  ConvertOperand(*arg, ValueOf(place));
  arg->javaText = was_value ? "-(" + arg->javaText + ")" : "-" + arg->javaText;
  arg->type = AtLeastInt(arg->type);
  arg->form = JavaForm::kAtom;
  st.e[minus].code = kElemConsumed;
  return 0;
}

// One arithmetic operator at op: "^", "*", "/", "\", MOD, "+" or "-".
int16_t Arithmetic(ExpressionState& st, size_t op, size_t close) {
  const int16_t code = st.e[op].code;
  if (code == kTokMinus && st.e[op - 1].code == kElemCallHead) return FirstArgumentSign(st, op, close);
  size_t left = 0;
  size_t right = 0;
  if (BinaryOperands(st, op, close, left, right) != 0) return 1;
  Element& l = st.e[left];
  Element& r = st.e[right];
  const int16_t t = OperatorResultType(code == kTokPlus, l.type, r.type);
  if (t == 0) return FailInLine(st, kMsgBadExpression);
  // Both operands take one type: "^" and "\" work in DOUBLE, MOD in
  // LONGLONG, the others in their result type.
  const int16_t operands = code == kTokCaret || code == kTokBackslash ? int16_t{kValueDouble}
                           : code == kKwMod                          ? int16_t{kValueLonglong}
                                                                     : t;
  ConvertOperand(l, operands);
  ConvertOperand(r, operands);
  switch (code) {
    case kTokCaret:  // java.lang named in full: a Math.java of the user's may stand beside the program
      Combine(st, op, left, right, "java.lang.Math.pow(" + l.javaText + "," + r.javaText + ")", kValueDouble);
      return 0;
    case kTokStar:
      Combine(st, op, left, right, Join(l, "*", r.javaText), t, JavaForm::kMultiplicative);
      return 0;
    case kTokSlash: {
      std::string text = t == kValueDouble ? Join(l, "/", r.javaText) : "(double)(" + l.javaText + ")/" + r.javaText;
      Combine(st, op, left, right, std::move(text), kValueDouble, JavaForm::kMultiplicative);
      return 0;
    }
    case kTokBackslash:
      // The runtime rounds both operands, truncates the quotient toward zero
      // and stops the program on a zero divisor, as MOD does.
      Combine(st, op, left, right, "IDIV(" + l.javaText + "," + r.javaText + ")", kValueLonglong);
      return 0;
    case kKwMod:
      // a MOD b * c is a MOD (b * c); Java's % and * are one level.
      Combine(st, op, left, right, Join(l, "%", Parenthesized(r, JavaForm::kMultiplicative)), kValueLonglong,
              JavaForm::kMultiplicative);
      return 0;
    default: {  // "+" and "-"
      // "a--b" would be Java's decrement: a negative right side goes in parentheses.
      const std::string right_text = code == kTokMinus && !r.javaText.empty() && r.javaText[0] == '-'
                                         ? "(" + r.javaText + ")"
                                         : r.javaText;
      Combine(st, op, left, right, Join(l, code == kTokPlus ? "+" : "-", right_text), t);
      return 0;
    }
  }
}

struct Relation {
  int16_t code;
  const char* method;
  const char* mirrored;  // when the right side holds the wrapper
};

constexpr Relation kRelations[] = {
    {kElemGreater, ".G(", ".L("},  {kElemGreaterEqual, ".GE(", ".LE("}, {kElemEqual, ".E(", ".E("},
    {kElemLessEqual, ".LE(", ".GE("}, {kElemLess, ".L(", ".G("},     {kElemNotEqual, ".NE(", ".NE("},
};

// A relation: the wider numeric side becomes the wrapper whose method compares.
int16_t Relational(ExpressionState& st, size_t op, size_t close) {
  const Relation* relation = nullptr;
  for (const Relation& r : kRelations) {
    if (r.code == st.e[op].code) relation = &r;
  }
  size_t left = 0;
  size_t right = 0;
  if (BinaryOperands(st, op, close, left, right) != 0) return 1;
  Element& l = st.e[left];
  Element& r = st.e[right];
  const int16_t lt = PlaceOf(l.type);
  const int16_t rt = PlaceOf(r.type);
  std::string text;
  if (IsNumericPlace(lt) && IsNumericPlace(rt) && l.type != 0 && r.type != 0) {
    if (lt >= rt) {
      st.ctx.usedTypes[VariableFlag(lt)] = 1;
      ConvertOperand(l, lt);
      ConvertOperand(r, ValueOf(lt));
      text = l.javaText + relation->method + r.javaText + ")";
    } else {
      st.ctx.usedTypes[VariableFlag(rt)] = 1;
      ConvertOperand(r, rt);
      ConvertOperand(l, ValueOf(rt));
      text = r.javaText + relation->mirrored + l.javaText + ")";
    }
  } else if ((lt == kTypeString || lt == kTypeFixedString) && (rt == kTypeString || rt == kTypeFixedString)) {
    st.ctx.usedTypes[VariableFlag(kTypeString)] = 1;
    ConvertOperand(l, kTypeString);
    ConvertOperand(r, kValueString);
    text = l.javaText + relation->method + r.javaText + ")";
  } else {
    return FailInLine(st, kMsgBadExpression);
  }
  Combine(st, op, left, right, std::move(text), kValueBoolean);
  return 0;
}

int16_t Not(ExpressionState& st, size_t op, size_t close) {
  Element* x = UnaryOperand(st, op, close);
  if (x == nullptr) return 1;
  const int16_t place = PlaceOf(x->type);
  if (x->type != 0 && IsIntegerPlace(place)) {
    ConvertOperand(*x, kValueLong);
    x->javaText = "~(" + x->javaText + ")";
  } else if (place == kTypeBoolean) {
    ConvertOperand(*x, kValueBoolean);
    x->javaText = "!(" + x->javaText + ")";
  } else if (place == kTypeSingle || place == kTypeDouble) {
    return FailAt(st, st.e[op].column, kMsgNotOfFloat);
  } else {
    return FailInLine(st, kMsgBadExpression);
  }
  x->form = JavaForm::kAtom;
  st.e[op].code = kElemConsumed;
  return 0;
}

// AND, OR, XOR, EQV, IMP on two integers (bitwise) or two booleans.
int16_t Logical(ExpressionState& st, size_t op, size_t close) {
  const int16_t code = st.e[op].code;
  size_t left = 0;
  size_t right = 0;
  if (BinaryOperands(st, op, close, left, right) != 0) return 1;
  Element& l = st.e[left];
  Element& r = st.e[right];
  // (An operand without a type has no place, 0.)
  const bool integers = IsIntegerPlace(PlaceOf(l.type)) && IsIntegerPlace(PlaceOf(r.type));
  const bool booleans = PlaceOf(l.type) == kTypeBoolean && PlaceOf(r.type) == kTypeBoolean;
  if (!integers && !booleans) return FailInLine(st, kMsgBadExpression);
  const int16_t type = integers ? int16_t{kValueLong} : int16_t{kValueBoolean};
  ConvertOperand(l, type);
  ConvertOperand(r, type);
  const std::string& a = l.javaText;
  const std::string& b = r.javaText;
  std::string text;
  JavaForm form = JavaForm::kAtom;
  switch (code) {
    case kKwAnd:
      text = integers ? a + "&" + b : a + "&&" + b;
      if (integers) form = JavaForm::kBitAndXor;
      break;
    case kKwOr:
      text = integers ? a + "|" + b : a + "||" + b;
      if (integers) form = JavaForm::kBitOr;
      break;
    case kKwXor:
      // Java's ^ binds tighter than |, Corvel's XOR looser than OR.
      text = integers ? Parenthesized(l, JavaForm::kBitOr) + "^" + Parenthesized(r, JavaForm::kBitOr)
                      : "XOR(" + a + "," + b + ")";
      if (integers) form = JavaForm::kBitAndXor;
      break;
    case kKwEqv: text = (integers ? "BEQV(" : "EQV(") + a + "," + b + ")"; break;
    default: text = (integers ? "BIMP(" : "IMP(") + a + "," + b + ")"; break;  // IMP
  }
  Combine(st, op, left, right, std::move(text), type, form);
  return 0;
}

bool IsRelation(int16_t code) { return code >= kElemGreater && code <= kElemNotEqual; }

// Operators of each pass after the nested groups and the negations.
// ORDER PASSES: earlier rows bind tighter.
struct OperatorPass {
  int16_t codes[2];
  int16_t (*apply)(ExpressionState&, size_t, size_t);
};

constexpr OperatorPass kArithmeticPasses[] = {
    {{kTokCaret, kTokCaret}, Arithmetic},
    {{kTokStar, kTokSlash}, Arithmetic},
    {{kTokBackslash, kTokBackslash}, Arithmetic},
    {{kKwMod, kKwMod}, Arithmetic},
    {{kTokPlus, kTokMinus}, Arithmetic},
};

constexpr OperatorPass kLogicalPasses[] = {
    {{kKwNot, kKwNot}, Not},         {{kKwAnd, kKwAnd}, Logical}, {{kKwOr, kKwOr}, Logical},
    {{kKwXor, kKwXor}, Logical},     {{kKwEqv, kKwEqv}, Logical}, {{kKwImp, kKwImp}, Logical},
};

int16_t RunPass(ExpressionState& st, size_t open, size_t close, const OperatorPass& pass) {
  for (size_t j = open + 1; j < close; ++j) {
    const int16_t code = st.e[j].code;
    if ((code == pass.codes[0] || code == pass.codes[1]) && pass.apply(st, j, close) != 0) return 1;
  }
  return 0;
}

}  // namespace

int16_t RunOperatorPasses(ExpressionState& st, size_t open, size_t close, int level) {
  // Most groups hold few kinds of operator: passes with nothing to do are skipped.
  bool has_group = false;
  bool has_negation = false;
  bool has_relation = false;
  std::vector<int16_t> present;
  for (size_t j = open + 1; j < close; ++j) {
    const int16_t code = st.e[j].code;
    has_group |= code == kTokLParen;
    has_negation |= code == kElemNegateName || code == kElemNegateGroup;
    has_relation |= IsRelation(code);
    if (code != kElemOperand && code != kElemConsumed &&
        std::find(present.begin(), present.end(), code) == present.end()) {
      present.push_back(code);
    }
  }
  const auto any_of = [&](const OperatorPass& pass) {
    return std::find(present.begin(), present.end(), pass.codes[0]) != present.end() ||
           std::find(present.begin(), present.end(), pass.codes[1]) != present.end();
  };
  if (has_group && NestedGroupPass(st, open, close) != 0) return 1;
  if (has_negation && NegationPass(st, open, close) != 0) return 1;
  for (const OperatorPass& pass : kArithmeticPasses) {
    if (any_of(pass) && RunPass(st, open, close, pass) != 0) return 1;
  }
  // In an assignment statement the first "operand =" of the outermost group
  // is the assignment itself, not a comparison.
  size_t kept = close;
  if (st.statementMode && level == 1) {
    for (size_t j = open + 1; j + 1 < close; ++j) {
      if (IsOperand(st.e[j]) && st.e[j + 1].code == kElemEqual) {
        kept = j + 1;
        break;
      }
    }
  }
  for (size_t j = open + 1; has_relation && j < close; ++j) {
    if (j != kept && IsRelation(st.e[j].code) && Relational(st, j, close) != 0) return 1;
  }
  for (const OperatorPass& pass : kLogicalPasses) {
    if (any_of(pass) && RunPass(st, open, close, pass) != 0) return 1;
  }
  return 0;
}

}  // namespace corvel
