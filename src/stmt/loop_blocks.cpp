// FOR ... NEXT, WHILE ... WEND, DO WHILE/UNTIL ... LOOP and DO ... LOOP
// WHILE/UNTIL: the first pass translates the parts, the second writes the
// structured form or the program-counter form.
#include <fmt/format.h>

#include <string>
#include <vector>

#include "diag/error_report.h"
#include "diag/messages.h"
#include "expr/expression.h"
#include "expr/value_conversion.h"
#include "source/source_reader.h"
#include "source/token_codes.h"
#include "stmt/statement_helpers.h"
#include "stmt/statement_translators.h"
#include "stmt/statement_views.h"
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
      // A backslash escapes the character after it: "\\" ends at its second quote.
      for (++i; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] == '\\') ++i;
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

// Between the two passes a FOR header keeps its Java texts in the code
// texts of its first five records, which print nothing: the second pass
// rewrites the head's, and the other four keep theirs, whose sizes count in
// the unit's size by which the writer cuts it.
struct ForTexts {
  std::string& variable;   // in the head
  std::string& start;      // in the variable's record
  std::string& limit;      // in the start's record
  std::string& increment;  // in the TO record
  std::string& step;       // in the limit's record
  std::string& more;       // in the NEXT record: the go-on flag of a whole-number loop, or ""
};

ForTexts Parked(TranslationContext& ctx, const ForView& f) {
  return {At(ctx, f.head).codeText, At(ctx, f.variable).codeText, At(ctx, f.start).codeText, At(ctx, f.to).codeText,
          At(ctx, f.limit).codeText, At(ctx, f.next).codeText};
}

// The limit and the step are evaluated once, when the loop starts: one that
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

// What the second pass writes a FOR loop from.
struct ForLoop {
  std::string variable;
  std::string start;
  std::string increment;
  std::string test;  // P>0?V.LE(E):V.GE(E)
  std::vector<std::string> assignments;  // of the temporaries, run when the loop starts
  // A whole-number variable steps by V.Next(I,P), which leaves it as it is
  // and answers false where the step would wrap it past its type's end: the
  // loop then ends after its pass with the end value, as it would have on
  // the next test. `more` is the flag that carries the answer to the test.
  std::string step;
  std::string more;
};

ForLoop ReadParked(TranslationContext& ctx, const ForView& f) {
  const ForTexts parked = Parked(ctx, f);
  const Once e = Split(parked.limit, fmt::format("Limit{}", f.head));
  const Once p = Split(parked.step, fmt::format("Step{}", f.head));
  const std::string& v = parked.variable;
  const std::string test = fmt::format("{}>0?{}.LE({}):{}.GE({})", p.value, v, e.value, v, e.value);
  ForLoop loop{v, parked.start, parked.increment, test, {}, p.value, parked.more};
  for (const Once* once : {&e, &p}) {
    if (!once->assignment.empty()) loop.assignments.push_back(once->assignment);
  }
  return loop;
}

}  // namespace

// FOR variable = start TO limit [STEP step] ... NEXT [variable]
int16_t TranslateForHeader(TranslationContext& ctx, int16_t h) {
  const ForView f = ForViewAt(ctx, h);
  const int line = At(ctx, h).lineNumber;
  std::string v, s, e, increment, p;
  int16_t tv = 0, ts = 0, te = 0, ti = 0, tp = 0, extra = 0;
  if (TranslateRecord(ctx, f.variable, v, tv, extra) != 0) return 1;
  // Checked before the increment, which a non-numeric variable would fail first.
  if (!IsNumericPlace(tv)) {
    return FailAt(ctx, line, At(ctx, f.variable).firstColumn, kMsgBadForVariable);
  }
  if (TranslateRecord(ctx, f.start, s, ts, extra) != 0 || TranslateRecord(ctx, f.limit, e, te, extra) != 0) {
    return 1;
  }
  // The increment: (step) + variable, or variable + 1, translated in the
  // place of the step's record, or of the variable's.
  const bool has_step = f.step >= 0;
  const int16_t carrier = has_step ? f.stepValue : f.variable;
  if (has_step && TranslateRecord(ctx, f.stepValue, p, tp, extra) != 0) return 1;
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
    const std::vector<Token>& variable = At(ctx, f.variable).tokens;
    tokens.insert(tokens.end(), variable.begin(), variable.end());
  } else {
    tokens.push_back(Token{kTokNumber, column, 0, "1"});
    p = "1";
  }
  // A step that is not a constant is read from its temporary.
  const bool step_once = has_step && !IsJavaConstant(p);
  const VariableRecord step_temporary{"%STEP", fmt::format("Step{}", h), ValueOf(PlaceOf(tp)), 0};
  if (step_once) {
    const size_t count = At(ctx, f.stepValue).tokens.size();
    tokens.erase(tokens.begin() + 1, tokens.begin() + 1 + static_cast<ptrdiff_t>(count));
    tokens.insert(tokens.begin() + 1, Token{kTokIdentifier, saved.front().column, 0, step_temporary.name});
    ctx.caseSelector = &step_temporary;
  }
  const int16_t failed = TranslateTokens(ctx, carrier, std::move(tokens), increment, ti, extra);
  ctx.caseSelector = nullptr;
  if (failed != 0) return 1;

  const int16_t t = ValueOf(tv);
  if (ConvertValue(s, ts, -1, t, -1) != 0) {
    return FailAt(ctx, line, At(ctx, f.start).firstColumn, kMsgBadForStart);
  }
  if (ConvertValue(e, te, -1, t, -1) != 0) {
    return FailAt(ctx, line, At(ctx, f.limit).firstColumn, kMsgBadForEnd);
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

  const ForTexts parked = Parked(ctx, f);
  if (IsIntegerPlace(tv)) {
    parked.more = fmt::format("More{}", h);
    unit.temporaries.push_back(fmt::format("boolean {}=false;", parked.more));
  }
  parked.variable = v;
  parked.start = s;
  parked.limit = e;
  parked.increment = increment;
  parked.step = p;
  At(ctx, h).kind = kKindForStructured;

  // NEXT names the loop's own variable, token for token, or none.
  if (f.nextVariable >= 0) {
    const std::vector<Token>& a = At(ctx, f.variable).tokens;
    const std::vector<Token>& b = At(ctx, f.nextVariable).tokens;
    bool same = a.size() == b.size();
    for (size_t k = 0; same && k < a.size(); ++k) same = a[k].text == b[k].text && a[k].code == b[k].code;
    if (!same) return FailAt(ctx, At(ctx, f.next).lineNumber, At(ctx, f.nextVariable).firstColumn, kMsgBadNextVariable);
  }
  return 0;
}

// for(V.Set(S)[,LimitH=E][,StepH=P];P>0?V.LE(E):V.GE(E);V.Set(I)){ ... }
// or, for a whole-number variable,
// for(V.Set(S)[,...],MoreH=true;MoreH&&(P>0?V.LE(E):V.GE(E));MoreH=V.Next(I,P)){ ... }
int16_t FinishForStructured(TranslationContext& ctx, int16_t h) {
  const ForView f = ForViewAt(ctx, h);
  const ForLoop loop = ReadParked(ctx, f);
  std::string init = loop.variable + ".Set(" + loop.start + ")";
  for (const std::string& assignment : loop.assignments) init += "," + assignment;
  if (loop.more.empty()) {
    Finish(At(ctx, h), fmt::format("for({};{};{}.Set({})){{", init, loop.test, loop.variable, loop.increment));
  } else {
    Finish(At(ctx, h), fmt::format("for({},{}=true;{}&&({});{}={}.Next({},{})){{", init, loop.more, loop.more,
                                   loop.test, loop.more, loop.variable, loop.increment, loop.step));
  }
  Finish(At(ctx, f.next), "}");
  return 0;
}

// V.Set(S); [past the NEXT when the range is empty]; case: body; NEXT:
// V.Set(I) (for a whole-number variable V.Next(I,P)); back to the body while
// the test holds.
int16_t FinishForProgramCounter(TranslationContext& ctx, int16_t h) {
  const ForView f = ForViewAt(ctx, h);
  const ForLoop loop = ReadParked(ctx, f);
  std::string start = loop.variable + ".Set(" + loop.start + ");";
  for (const std::string& assignment : loop.assignments) start += std::string(kCrLf) + assignment + ";";
  // The body's case stands before the variable's record, which prints nothing.
  Statement& next = At(ctx, f.next);
  const std::string step_and_test =
      loop.more.empty() ? fmt::format("{}.Set({});{}if({})", loop.variable, loop.increment, kCrLf, loop.test)
                        : fmt::format("if({}.Next({},{})&&({}))", loop.variable, loop.increment, loop.step, loop.test);
  Finish(next, fmt::format("{}{{{}{}{}}}", step_and_test, kCrLf, JumpAndBreak(CaseOf(f.variable), "    "), kCrLf));
  next.caseLabel = kCaseLabelAfter;
  // Like the structured form, an empty range runs the body no time.
  Finish(At(ctx, h), fmt::format("{}{}if(!({})){{{}{}{}}}", start, kCrLf, loop.test, kCrLf,
                                 JumpAndBreak(CaseOf(f.next), "    "), kCrLf));
  At(ctx, f.variable).caseLabel = kCaseLabelBefore;
  return 0;
}

// WHILE condition ... WEND, DO WHILE|UNTIL condition ... LOOP: the test at the head
int16_t TranslateHeadCondition(TranslationContext& ctx, int16_t h) {
  const LoopView view = LoopViewAt(ctx, h);
  Statement& head = At(ctx, h);
  const int16_t kind = head.kind;
  std::string holds, fails;
  if (Condition(ctx, view.condition, head.lineNumber, holds, fails) != 0) return 1;
  if (kind == kKindDoUntil) {
    head.codeText = fails;
    At(ctx, view.condition).codeText = holds;  // parked for the program-counter form
    head.kind = kKindDoUntilStructured;
  } else {
    head.codeText = holds;
    head.kind = kind == kKindWhile ? kKindWhileStructured : kKindDoWhileStructured;
  }
  return 0;
}

// DO ... LOOP WHILE|UNTIL condition: the test at the end
int16_t TranslateLoopCondition(TranslationContext& ctx, int16_t h) {
  At(ctx, h).kind = kKindDoLoopStructured;
  const LoopView view = LoopViewAt(ctx, h);
  std::string holds, fails;
  Statement& end = At(ctx, view.end);
  if (Condition(ctx, view.condition, end.lineNumber, holds, fails) != 0) return 1;
  end.codeText = end.kind == kKindLoopWhile ? holds : fails;
  return 0;
}

// while(K){ ... }
int16_t FinishHeadTestedStructured(TranslationContext& ctx, int16_t h) {
  const LoopView view = LoopViewAt(ctx, h);
  Statement& head = At(ctx, h);
  Finish(head, "while(" + LoopCondition(head.codeText) + "){");
  Finish(At(ctx, view.end), "}");
  return 0;
}

// case: if the test fails, past the end; end: back to the test.
int16_t FinishHeadTestedProgramCounter(TranslationContext& ctx, int16_t h) {
  const LoopView view = LoopViewAt(ctx, h);
  Statement& head = At(ctx, h);
  const std::string test =
      head.kind == kKindDoUntilProgramCounter ? At(ctx, view.condition).codeText : "!(" + head.codeText + ")";
  Finish(head, fmt::format("if({}){{{}{}{}}}", test, kCrLf, JumpAndBreak(CaseOf(view.end), "    "), kCrLf));
  head.caseLabel = kCaseLabelBefore;
  Statement& end = At(ctx, view.end);
  Finish(end, JumpAndBreak(CaseOf(h)));
  end.caseLabel = kCaseLabelAfter;
  return 0;
}

// do{ ... }while(K);
int16_t FinishDoLoopStructured(TranslationContext& ctx, int16_t h) {
  const LoopView view = LoopViewAt(ctx, h);
  Finish(At(ctx, h), "do{");
  Statement& end = At(ctx, view.end);
  Finish(end, "}while(" + LoopCondition(end.codeText) + ");");
  return 0;
}

// case: body; end: back to the body while the test holds.
int16_t FinishDoLoopProgramCounter(TranslationContext& ctx, int16_t h) {
  const LoopView view = LoopViewAt(ctx, h);
  Statement& head = At(ctx, h);
  Finish(head, OwnComment(ctx, head));
  head.caseLabel = kCaseLabelAfter;
  Statement& end = At(ctx, view.end);
  Finish(end, fmt::format("if({}){{{}{}{}}}", end.codeText, kCrLf, JumpAndBreak(CaseOf(h), "    "), kCrLf));
  return 0;
}

}  // namespace corvel
