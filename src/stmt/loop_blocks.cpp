#include "stmt/loop_blocks.h"

#include <fmt/format.h>

#include "diag/error_report.h"
#include "diag/messages.h"
#include "expr/expression.h"
#include "expr/value_conversion.h"
#include "source/source_reader.h"
#include "source/token_codes.h"
#include "stmt/jumps.h"
#include "stmt/statement_helpers.h"
#include "symbols/symbol_tables.h"
#include "symbols/type_codes.h"

namespace corvel {
namespace {

// Translates every token of record r.
int16_t TranslateRecord(TranslationContext& ctx, int r, std::string& java, int16_t& type, int16_t& extra) {
  const auto last = static_cast<int16_t>(At(ctx, r).tokens.size() - 1);
  return TranslateExpression(ctx, static_cast<int16_t>(r), 0, last, java, type, extra);
}

// Whether Java would take `text` for a constant expression: literals,
// operators and primitive casts only. A loop whose condition is constant
// makes javac reject the code after it (or the body) as unreachable.
bool IsJavaConstant(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '"') {
      for (++i; i < text.size() && !(text[i] == '"' && text[i - 1] != '\\'); ++i) {
      }
      ++i;
    } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '.') {
      // A number, with its hexadecimal digits, exponent and suffix.
      for (++i; i < text.size(); ++i) {
        const char d = text[i];
        const bool sign = (d == '+' || d == '-') && (text[i - 1] == 'E' || text[i - 1] == 'e') && text[0] != '0';
        if (!std::isalnum(static_cast<unsigned char>(d)) && d != '.' && !sign) break;
      }
    } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
      size_t end = i;
      while (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '_')) ++end;
      const std::string_view word = text.substr(i, end - i);
      const bool cast = i > 0 && text[i - 1] == '(' && end < text.size() && text[end] == ')' &&
                        (word == "byte" || word == "short" || word == "int" || word == "long" || word == "float" ||
                         word == "double");
      if (!cast) return false;  // a variable, a method, a class
      i = end;
    } else {
      ++i;
    }
  }
  return true;
}

// A loop condition as Java may write it in while(...).
std::string LoopCondition(const std::string& condition) {
  return IsJavaConstant(condition) ? "KW_true()&&(" + condition + ")" : condition;
}

// The condition of record c, reported at `line` when it cannot be one.
int16_t Condition(TranslationContext& ctx, int c, int line, std::string& holds, std::string& fails) {
  std::string java;
  int16_t type = 0;
  int16_t extra = 0;
  if (TranslateRecord(ctx, c, java, type, extra) != 0) return 1;
  if (!ConditionTexts(java, type, holds, fails)) {
    return FailAt(ctx, line, At(ctx, c).firstColumn, kMsgBadCondition);
  }
  return 0;
}

// The first record after `from` at the head's depth with one of the kinds.
int FindEnd(TranslationContext& ctx, int h, int from, int16_t kind_a, int16_t kind_b) {
  const int16_t depth = At(ctx, h).blockDepth;
  for (int i = from; i < static_cast<int>(ctx.statements.size()); ++i) {
    const Statement& s = At(ctx, i);
    if (s.blockDepth == depth && (s.kind == kind_a || s.kind == kind_b)) return i;
  }
  return -1;
}

int FindNext(TranslationContext& ctx, int h) { return FindEnd(ctx, h, h + kForEnd, kKindNext, kKindNext); }

// Between the two passes a FOR header keeps its Java texts in the code text
// of its own records, at these offsets from the head (the records are
// rewritten or printed empty by the second pass).
enum ForParking : int { kParkedVariable, kParkedStart, kParkedEnd, kParkedIncrement, kParkedStep };

// The parked texts of a FOR header: variable, start, end, increment, step.
struct ForTexts {
  const std::string& v;
  const std::string& s;
  const std::string& e;
  const std::string& i;
  const std::string& p;
};

ForTexts Parked(TranslationContext& ctx, int h) {
  return {At(ctx, h + kParkedVariable).codeText, At(ctx, h + kParkedStart).codeText, At(ctx, h + kParkedEnd).codeText,
          At(ctx, h + kParkedIncrement).codeText, At(ctx, h + kParkedStep).codeText};
}

// The end and the step are evaluated once, when the loop starts: one that
// is not a constant is parked as "LimitH=E" or "StepH=P", an assignment to
// a temporary of the unit, and the test reads the temporary.
struct Once {
  std::string assignment;  // "" for a constant
  std::string value;
};

Once Split(const std::string& text, const std::string& name) {
  if (text.compare(0, name.size() + 1, name + "=") == 0) return {text, name};
  return {"", text};
}

std::string ForTest(const std::string& v, const std::string& e, const std::string& p) {
  return fmt::format("{}>0?{}.LE({}):{}.GE({})", p, v, e, v, e);
}

}  // namespace

// FOR var = start TO end [STEP step]
int16_t TranslateForHeader(TranslationContext& ctx, int16_t& h) {
  const int line = At(ctx, h).lineNumber;
  std::string v, s, e, increment, p;
  int16_t tv = 0, ts = 0, te = 0, ti = 0, tp = 0, extra = 0;
  if (TranslateRecord(ctx, h + kForVariable, v, tv, extra) != 0) return 1;
  // Checked before the increment, which a non-numeric variable would fail first.
  if (!IsNumericPlace(tv)) {
    return FailAt(ctx, line, At(ctx, h + kForVariable).firstColumn, kMsgBadForVariable);
  }
  if (TranslateRecord(ctx, h + kForStart, s, ts, extra) != 0 || TranslateRecord(ctx, h + kForEnd, e, te, extra) != 0) {
    return 1;
  }
  // The increment: (step) + variable, or variable + 1, translated in the
  // place of the step's record, or of the variable's.
  const bool has_step = At(ctx, h + kForStep).kind == kKindForStep;
  const int carrier = has_step ? h + kForStepValue : h + kForVariable;
  if (has_step && TranslateRecord(ctx, h + kForStepValue, p, tp, extra) != 0) return 1;
  const std::vector<Token>& saved = At(ctx, carrier).tokens;
  std::vector<Token> tokens = saved;
  const Token& last = saved.back();
  const auto column = static_cast<int16_t>(last.column + last.length);
  if (has_step) {
    // (step) + variable: the step keeps its own precedence, as in "STEP 1 OR 2".
    tokens.insert(tokens.begin(), Token{kTokLParen, saved.front().column, 0, "("});
    tokens.push_back(Token{kTokRParen, column, 0, ")"});
  }
  tokens.push_back(Token{kTokPlus, column, 0, "+"});
  if (has_step) {
    const std::vector<Token>& variable = At(ctx, h + kForVariable).tokens;
    tokens.insert(tokens.end(), variable.begin(), variable.end());
  } else {
    tokens.push_back(Token{kTokNumber, column, 0, "1"});
    p = "1";
  }
  // A step that is not a constant is read from its temporary.
  const bool step_once = has_step && !IsJavaConstant(p);
  const VariableRecord step_temporary{"%STEP", fmt::format("Step{}", h), ValueOf(PlaceOf(tp)), 0};
  if (step_once) {
    const size_t count = At(ctx, h + kForStepValue).tokens.size();
    tokens.erase(tokens.begin() + 1, tokens.begin() + 1 + static_cast<ptrdiff_t>(count));
    tokens.insert(tokens.begin() + 1, Token{kTokIdentifier, saved.front().column, 0, step_temporary.name});
    ctx.caseSelector = &step_temporary;
  }
  const int16_t failed = TranslateTokens(ctx, static_cast<int16_t>(carrier), std::move(tokens), increment, ti, extra);
  ctx.caseSelector = nullptr;
  if (failed != 0) return 1;

  const int16_t t = ValueOf(tv);
  if (ConvertValue(s, ts, -1, t, -1) != 0) {
    return FailAt(ctx, line, At(ctx, h + kForStart).firstColumn, kMsgBadForStart);
  }
  if (ConvertValue(e, te, -1, t, -1) != 0) {
    return FailAt(ctx, line, At(ctx, h + kForEnd).firstColumn, kMsgBadForEnd);
  }
  if (ConvertValue(increment, ti, -1, t, -1) != 0) {
    return FailAt(ctx, line, At(ctx, carrier).firstColumn, kMsgBadForStep);
  }
  // A variable step is compared with 0 by its value, not its wrapper.
  if (IsNumericPlace(tp)) ConvertValue(p, tp, -1, ValueOf(tp), -1);
  UnitRecord& unit = CurrentUnit(ctx);
  if (!IsJavaConstant(e)) {
    const std::string limit = fmt::format("Limit{}", h);
    unit.temporaries.push_back(fmt::format("{} {}=0;", JavaPrimitiveOf(PlaceOf(t)), limit));
    e = limit + "=" + e;
  }
  if (step_once) {
    unit.temporaries.push_back(fmt::format("{} {}=0;", JavaPrimitiveOf(PlaceOf(tp)), step_temporary.javaName));
    p = step_temporary.javaName + "=" + p;
  }

  At(ctx, h + kParkedVariable).codeText = v;
  At(ctx, h + kParkedStart).codeText = s;
  At(ctx, h + kParkedEnd).codeText = e;
  At(ctx, h + kParkedIncrement).codeText = increment;
  At(ctx, h + kParkedStep).codeText = p;
  At(ctx, h).kind = kKindForStructured;

  // NEXT names the loop's own variable, token for token, or none.
  const int n = FindNext(ctx, h);
  if (n >= 0 && n + 1 < static_cast<int>(ctx.statements.size()) && At(ctx, n + 1).kind == kKindExpression) {
    const std::vector<Token>& a = At(ctx, h + kForVariable).tokens;
    const std::vector<Token>& b = At(ctx, n + 1).tokens;
    bool same = a.size() == b.size();
    for (size_t k = 0; same && k < a.size(); ++k) same = a[k].text == b[k].text && a[k].code == b[k].code;
    if (!same) return FailAt(ctx, At(ctx, n).lineNumber, At(ctx, n + 1).firstColumn, kMsgBadNextVariable);
  }
  return 0;
}

// for(V.Set(S)[,LimitH=E][,StepH=P];P>0?V.LE(E):V.GE(E);V.Set(I)){ ... }
int16_t FinishForStructured(TranslationContext& ctx, int16_t& h) {
  const ForTexts f = Parked(ctx, h);
  const Once e = Split(f.e, fmt::format("Limit{}", h));
  const Once p = Split(f.p, fmt::format("Step{}", h));
  std::string init = f.v + ".Set(" + f.s + ")";
  for (const Once* once : {&e, &p}) {
    if (!once->assignment.empty()) init += "," + once->assignment;
  }
  std::string text = fmt::format("for({};{};{}.Set({})){{", init, ForTest(f.v, e.value, p.value), f.v, f.i);
  At(ctx, h).codeText = std::move(text);
  At(ctx, h).kind = kKindTranslated;
  const int n = FindNext(ctx, h);
  At(ctx, n).codeText = "}";
  At(ctx, n).kind = kKindTranslated;
  return 0;
}

// V.Set(S); [past the NEXT when the range is empty]; case: body; NEXT:
// V.Set(I); back to the body while the test holds.
int16_t FinishForProgramCounter(TranslationContext& ctx, int16_t& h) {
  const ForTexts f = Parked(ctx, h);
  const Once e = Split(f.e, fmt::format("Limit{}", h));
  const Once p = Split(f.p, fmt::format("Step{}", h));
  std::string start = f.v + ".Set(" + f.s + ");";
  for (const Once* once : {&e, &p}) {
    if (!once->assignment.empty()) start += std::string(kCrLf) + once->assignment + ";";
  }
  const std::string test = ForTest(f.v, e.value, p.value);
  const int n = FindNext(ctx, h);
  At(ctx, n).codeText = fmt::format("{}.Set({});{}if({}){{{}{}{}}}", f.v, f.i, kCrLf, test, kCrLf,
                                    JumpAndBreak(h + 2, "    "), kCrLf);
  At(ctx, n).kind = kKindTranslated;
  At(ctx, n).caseLabel = kCaseLabelAfter;
  // Like the structured form, an empty range runs the body no time.
  At(ctx, h).codeText = fmt::format("{}{}if(!({})){{{}{}{}}}", start, kCrLf, test, kCrLf,
                                    JumpAndBreak(n + 1, "    "), kCrLf);
  At(ctx, h).kind = kKindTranslated;
  At(ctx, h + 1).caseLabel = kCaseLabelBefore;
  return 0;
}

// WHILE cond, DO WHILE cond, DO UNTIL cond: the head tests.
int16_t TranslateHeadCondition(TranslationContext& ctx, int16_t& h) {
  Statement& head = At(ctx, h);
  const int16_t kind = head.kind;
  std::string holds, fails;
  if (Condition(ctx, h + 1, head.lineNumber, holds, fails) != 0) return 1;
  if (kind == kKindDoUntil) {
    At(ctx, h).codeText = fails;
    At(ctx, h + 1).codeText = holds;  // parked for the program-counter form
    At(ctx, h).kind = kKindDoUntilStructured;
  } else {
    At(ctx, h).codeText = holds;
    At(ctx, h).kind = kind == kKindWhile ? kKindWhileStructured : kKindDoWhileStructured;
  }
  return 0;
}

// DO ... LOOP WHILE cond / LOOP UNTIL cond: the test at the end.
int16_t TranslateLoopCondition(TranslationContext& ctx, int16_t& h) {
  At(ctx, h).kind = kKindDoLoopStructured;
  const int l = FindEnd(ctx, h, h + 1, kKindLoopWhile, kKindLoopUntil);
  if (l < 0) return 0;
  std::string holds, fails;
  if (Condition(ctx, l + 1, At(ctx, l).lineNumber, holds, fails) != 0) return 1;
  At(ctx, l).codeText = At(ctx, l).kind == kKindLoopWhile ? holds : fails;
  return 0;
}

// while(K){ ... }
int16_t FinishHeadTestedStructured(TranslationContext& ctx, int16_t& h) {
  const int16_t end_kind = At(ctx, h).kind == kKindWhileStructured ? kKindWend : kKindLoop;
  const int end = FindEnd(ctx, h, h + 2, end_kind, end_kind);
  At(ctx, h).codeText = "while(" + LoopCondition(At(ctx, h).codeText) + "){";
  At(ctx, h).kind = kKindTranslated;
  At(ctx, end).codeText = "}";
  At(ctx, end).kind = kKindTranslated;
  return 0;
}

// case: if the test fails, past the end; end: back to the test.
int16_t FinishHeadTestedProgramCounter(TranslationContext& ctx, int16_t& h) {
  const int16_t kind = At(ctx, h).kind;
  const int16_t end_kind = kind == kKindWhileProgramCounter ? kKindWend : kKindLoop;
  const int end = FindEnd(ctx, h, h + 2, end_kind, end_kind);
  const std::string test = kind == kKindDoUntilProgramCounter ? At(ctx, h + 1).codeText
                                                              : "!(" + At(ctx, h).codeText + ")";
  At(ctx, h).codeText = fmt::format("if({}){{{}{}{}}}", test, kCrLf, JumpAndBreak(end + 1, "    "), kCrLf);
  At(ctx, h).kind = kKindTranslated;
  At(ctx, h).caseLabel = kCaseLabelBefore;
  At(ctx, end).codeText = JumpAndBreak(h + 1);
  At(ctx, end).kind = kKindTranslated;
  At(ctx, end).caseLabel = kCaseLabelAfter;
  return 0;
}

// do{ ... }while(K);
int16_t FinishDoLoopStructured(TranslationContext& ctx, int16_t& h) {
  const int l = FindEnd(ctx, h, h + 1, kKindLoopWhile, kKindLoopUntil);
  At(ctx, h).codeText = "do{";
  At(ctx, h).kind = kKindTranslated;
  At(ctx, l).codeText = "}while(" + LoopCondition(At(ctx, l).codeText) + ");";
  At(ctx, l).kind = kKindTranslated;
  return 0;
}

// case: body; end: back to the body while the test holds.
int16_t FinishDoLoopProgramCounter(TranslationContext& ctx, int16_t& h) {
  const int l = FindEnd(ctx, h, h + 1, kKindLoopWhile, kKindLoopUntil);
  Statement& head = At(ctx, h);
  head.codeText = "// " + SourceCommentText(ctx, head);
  head.commentWritten = true;
  head.kind = kKindTranslated;
  head.caseLabel = kCaseLabelAfter;
  At(ctx, l).codeText = fmt::format("if({}){{{}{}{}}}", At(ctx, l).codeText, kCrLf, JumpAndBreak(h + 1, "    "), kCrLf);
  At(ctx, l).kind = kKindTranslated;
  return 0;
}

}  // namespace corvel
