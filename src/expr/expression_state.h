// The working state of one expression translation: the element list built
// from the tokens and reduced group by group. Shared by the passes over
// names (expression.cpp), the operator passes (operators.cpp) and the
// statement stage (statement_expression.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "context/context.h"
#include "diag/messages.h"

namespace corvel {

// Element codes beyond the token codes. ORDER ELEMENT
enum ElementCode : int16_t {
  kElemConsumed = 0,
  kElemGreater = 2001,
  kElemGreaterEqual = 2002,
  kElemEqual = 2003,
  kElemLessEqual = 2004,
  kElemLess = 2005,
  kElemNotEqual = 2006,
  kElemNegateName = 2101,   // unary minus before a name
  kElemNegateGroup = 2102,  // unary minus before "("
  kElemOperand = 3000,
  kElemCallHead = 4000,  // the procedure of a call statement; extra = its index
};

// The outermost Java operator of an operand's text, where a later operator
// of Corvel binds differently from Java's and needs parentheses around it.
// kBitAndXor marks Java's "&" and "^" (integer AND, XOR), kBitOr its "|":
// all three bind more loosely than Java's comparisons.
enum class JavaForm { kAtom, kMultiplicative, kBitAndXor, kBitOr };

struct Element {
  int16_t depth = 0;  // a parenthesis carries the level of its inside
  int16_t code = 0;
  int16_t column = 0;
  std::string javaText;
  int16_t type = 0;
  int16_t extra = 0;
  JavaForm form = JavaForm::kAtom;
};

struct ExpressionState {
  TranslationContext& ctx;
  int16_t statement;
  int16_t line;
  bool statementMode;  // an assignment or call statement (call heads, the assignment's "=")
  std::vector<Element> e;
};

// Reports at the element's column; returns 1.
int16_t FailAt(ExpressionState& st, int column, const Message& message);
// Reports with the line only; returns 1.
int16_t FailInLine(ExpressionState& st, const Message& message);

// Builds the element list of tokens first..last and reduces every group,
// innermost first. 0 or 1 after a report.
int16_t BuildAndReduce(ExpressionState& st, int first, int last);

// Passes 2 to 15 over the group between the parentheses at open and close.
int16_t RunOperatorPasses(ExpressionState& st, size_t open, size_t close, int level);

// The next element after j that is not consumed, or `limit`.
size_t NextLive(const ExpressionState& st, size_t j, size_t limit);

bool IsOperand(const Element& el);

// The Java call of `procedure` in its form `form` over the argument
// elements `args`, each converted to the form's type (a library's whole
// numbers through the runtime's range check). 1 when an argument does not
// convert.
int16_t CallText(ExpressionState& st, const ProcedureRecord& procedure, int16_t form, const std::vector<size_t>& args,
                 std::string& text);

// Converts an operand in place; keeps its form only when the text is
// unchanged. With a `checker`, a narrowing to int goes through that runtime
// range check (see ConvertChecked).
int16_t ConvertOperand(Element& el, int16_t to_type, std::string_view checker = {});

// Chooses a form of procedure `procedure` for the argument signature, by
// the rules exact, case-blind, widening, numeric. -1 when none fits.
int16_t ChooseForm(const ProcedureRecord& procedure, const std::string& signature, bool void_results_only);

}  // namespace corvel
