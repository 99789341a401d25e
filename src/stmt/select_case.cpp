// SELECT CASE: a Java switch when the selector and every item are integers
// of Long width, else an if-chain over a temporary holding the selector;
// each in the structured and the program-counter form.
#include <fmt/format.h>

#include <optional>
#include <set>
#include <string_view>
#include <vector>

#include "diag/messages.h"
#include "expr/expression.h"
#include "expr/value_conversion.h"
#include "source/token_codes.h"
#include "source/token_split.h"
#include "stmt/statement_helpers.h"
#include "stmt/statement_translators.h"
#include "stmt/statement_views.h"
#include "symbols/numbers.h"
#include "symbols/symbol_tables.h"

namespace corvel {
namespace {

// The items of a CASE list, cut at its commas; 1 after a report when one
// is empty.
int16_t CaseItems(TranslationContext& ctx, const Statement& list, std::vector<TokenPiece>& items) {
  items = SplitTokens(list.tokens, 0, static_cast<int>(list.tokens.size()), kTokComma, Parentheses::kNest);
  for (const TokenPiece& item : items) {
    if (item.Empty()) return FailAt(ctx, list, kMsgBadCondition);
  }
  return 0;
}

// The value of an integer literal's Java text ("12", "-0x1F", "(short)0xFFFF",
// "017", "(4)" for a literal in parentheses); nothing for any other text.
std::optional<long long> LiteralValue(std::string_view text) {
  while (text.size() >= 2 && text.front() == '(' && text.back() == ')' && text.rfind("(short)", 0) != 0) {
    text = text.substr(1, text.size() - 2);
  }
  bool to_short = false;
  if (text.rfind("(short)", 0) == 0) {
    to_short = true;
    text.remove_prefix(7);
  }
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) text.remove_prefix(1);
  if (text.rfind("(short)", 0) == 0) {
    to_short = true;
    text.remove_prefix(7);
  }
  int base = 10;
  if (text.rfind("0x", 0) == 0) {
    base = 16;
    text.remove_prefix(2);
  } else if (text.size() > 1 && text[0] == '0') {
    base = 8;
  }
  std::optional<long long> value = ParseWholeNumber(text, base);
  if (!value) return std::nullopt;
  if (to_short) *value = static_cast<int16_t>(*value);
  return negative ? -*value : *value;
}

constexpr int16_t kIfChainNeeded = 2;

// Under the machine a switch dispatches in one statement of its own, which
// must fit a method: a SELECT of more case values takes the if-chain.
constexpr size_t kMaxSwitchValues = 1000;

// The selector's Java text and type.
int16_t Selector(TranslationContext& ctx, const SelectView& view, std::string& x, int16_t& type, int16_t& extra) {
  const auto last = static_cast<int16_t>(At(ctx, view.selector).tokens.size() - 1);
  return TranslateExpression(ctx, view.selector, 0, last, x, type, extra);
}

// Tries the switch: every item an integer literal, no two alike, not too
// many. 0 with the case lines in the CASE records; kIfChainNeeded when the
// if-chain must be taken; 1 after a report.
int16_t TrySwitch(TranslationContext& ctx, const SelectView& view, std::set<long long>& seen) {
  if (view.strayBody >= 0) return FailAt(ctx, At(ctx, view.strayBody), kMsgBadSelectBlock);
  for (const Branch& branch : view.branches) {
    if (branch.test < 0) continue;
    const Statement& list = At(ctx, branch.test);
    std::vector<TokenPiece> items;
    if (CaseItems(ctx, list, items) != 0) return 1;
    std::string lines;
    for (const TokenPiece& item : items) {
      for (int k = item.first; k < item.end; ++k) {
        const int16_t code = list.tokens[static_cast<size_t>(k)].code;
        if (code == kKwIs || code == kKwTo) return kIfChainNeeded;
      }
      std::string java;
      int16_t type = 0, extra = 0;
      if (TranslateExpression(ctx, branch.test, static_cast<int16_t>(item.first), static_cast<int16_t>(item.end - 1),
                              java, type, extra) != 0) {
        return 1;
      }
      // A value twice would be a duplicate case label: the if-chain keeps
      // the first match, as BASIC does.
      const std::optional<long long> value = type == kLiteralLong ? LiteralValue(java) : std::nullopt;
      if (!value || !seen.insert(*value).second) return kIfChainNeeded;
      lines += (lines.empty() ? "" : std::string(kCrLf)) + "case " + java + ":";
    }
    At(ctx, branch.record).codeText = lines;
  }
  return seen.size() <= kMaxSwitchValues ? 0 : kIfChainNeeded;
}

// The test of the CASE list record l for the if-chain over the temporary
// `index` of place code p and extra x.
int16_t IfChainTest(TranslationContext& ctx, int16_t l, const std::string& index, int16_t p, int16_t x,
                    std::string& test) {
  Statement& list = At(ctx, l);
  std::vector<TokenPiece> items;
  if (CaseItems(ctx, list, items) != 0) return 1;
  for (const TokenPiece& item : items) {
    const int first = item.first;
    const int last = item.end - 1;
    enum class Mode { kPlain, kIs, kTo } mode = Mode::kPlain;
    int to = -1;
    for (int k = first; k <= last; ++k) {
      Token& token = list.tokens[static_cast<size_t>(k)];
      if (token.code == kKwIs) {
        if (mode != Mode::kPlain) return FailAt(ctx, list.lineNumber, token.column, kMsgIsWithTo);
        mode = Mode::kIs;
        token.code = kTokIdentifier;  // IS names the temporary
      } else if (token.code == kKwTo) {
        if (mode != Mode::kPlain) return FailAt(ctx, list.lineNumber, token.column, kMsgIsWithTo);
        mode = Mode::kTo;
        to = k;
      }
    }
    std::string java;
    int16_t type = 0, extra = 0;
    if (mode == Mode::kPlain) {
      if (TranslateExpression(ctx, l, static_cast<int16_t>(first), static_cast<int16_t>(last),
                              java, type, extra) != 0) {
        return 1;
      }
      if (ConvertValue(java, type, extra, ValueOf(p), x) != 0) {
        return FailAt(ctx, list.lineNumber, list.firstColumn, kMsgBadCondition);
      }
      test += index + ".E(" + java + ")||";
      continue;
    }
    // IS stands for the temporary while the item is translated; the item
    // may declare variables of its own meanwhile.
    const VariableRecord selector{"IS", index, p, x};
    ctx.caseSelector = &selector;
    int16_t failed = 0;
    if (mode == Mode::kIs) {
      failed = TranslateExpression(ctx, l, static_cast<int16_t>(first),
                                   static_cast<int16_t>(last), java, type, extra);
    } else {
      // a TO b reads as a <= IS AND IS <= b.
      const std::vector<Token>& saved = list.tokens;
      if (to == first || to == last) {
        ctx.caseSelector = nullptr;
        return FailAt(ctx, list.lineNumber, list.firstColumn, kMsgBadCondition);
      }
      const int16_t column = saved[static_cast<size_t>(to)].column;
      std::vector<Token> tokens(saved.begin() + first, saved.begin() + to);
      const Token is{kTokIdentifier, column, 0, "IS"};
      for (const Token& t : {Token{kTokLess, column, 0, "<"}, Token{kTokEqual, column, 0, "="}, is,
                             Token{kKwAnd, column, 0, "AND"}, is, Token{kTokLess, column, 0, "<"},
                             Token{kTokEqual, column, 0, "="}}) {
        tokens.push_back(t);
      }
      tokens.insert(tokens.end(), saved.begin() + to + 1, saved.begin() + last + 1);
      failed = TranslateTokens(ctx, l, std::move(tokens), java, type, extra);
    }
    ctx.caseSelector = nullptr;
    if (failed != 0) return 1;
    if (ConvertValue(java, type, extra, kValueBoolean, -1) != 0) return FailAt(ctx, list.lineNumber, list.firstColumn, kMsgBadCondition);
    test += "(" + java + ")||";
  }
  test.resize(test.size() - 2);  // the last "||"
  return 0;
}


int16_t IfChain(TranslationContext& ctx, const SelectView& view) {
  const int16_t h = view.head;
  At(ctx, h).kind = kKindIfChainStructured;
  std::string x;
  int16_t t = 0, extra = 0;
  if (Selector(ctx, view, x, t, extra) != 0) return 1;
  int16_t p = 0;
  if (IsNumeric(t) || t == kTypeString || t == kValueString || t == kLiteralString) p = PlaceOf(t);
  if (p == 0) return FailAt(ctx, At(ctx, view.selector), kMsgBadSelectorExpression);
  ConvertValue(x, t, extra, p, extra);
  const std::string index = fmt::format("Index{}", h);
  At(ctx, h).codeText = fmt::format("{} {}={};", JavaClassOf(ctx, p, extra), index, x);
  ctx.usedTypes[static_cast<size_t>(p)] = 1;
  if (view.strayBody >= 0) return FailAt(ctx, At(ctx, view.strayBody), kMsgBadSelectBlock);
  for (const Branch& branch : view.branches) {
    std::string test;
    if (branch.test < 0) {
      test = "}else{";
    } else if (IfChainTest(ctx, branch.test, index, p, extra, test) != 0) {
      return 1;
    }
    At(ctx, branch.record).codeText = std::move(test);
  }
  At(ctx, view.end).codeText = "}";
  return 0;
}

// Bodies stand under their case labels: every record of the block but its
// branches and its end is indented once more.
void IndentBodies(TranslationContext& ctx, const SelectView& view) {
  auto branch = view.branches.begin();
  for (int16_t i = view.head + kPartExpression; i < view.end; ++i) {
    if (branch != view.branches.end() && branch->record == i) {
      ++branch;
    } else {
      ++At(ctx, i).indentShift;
    }
  }
}

}  // namespace

// SELECT CASE selector {CASE item {, item} ...} [CASE ELSE ...] END SELECT,
// item = expression | IS relation expression | expression TO expression
int16_t TranslateSelectHeader(TranslationContext& ctx, int16_t h) {
  const SelectView view = SelectViewAt(ctx, h);
  std::string x;
  int16_t t = 0, extra = 0;
  if (Selector(ctx, view, x, t, extra) != 0) return 1;
  // Places and values up to LONG, and a LONG literal, can be switched on.
  const bool integer = (IsNumeric(t) && PlaceOf(t) <= kTypeLong && !IsLiteralCode(t)) || t == kLiteralLong;
  const bool other = (IsNumeric(t) && PlaceOf(t) >= kTypeLonglong) || PlaceOf(t) == kTypeString;
  if (!integer && !other) return FailAt(ctx, At(ctx, view.selector), kMsgBadSelectorExpression);
  if (integer) {
    ConvertValue(x, t, extra, kValueLong, -1);
    At(ctx, h).kind = kKindSwitchStructured;
    std::set<long long> values;
    const int16_t result = TrySwitch(ctx, view, values);
    // A BYTE or INTEGER selector is a Java byte or short, which javac will
    // not compare with a case value outside its range: switch on its int.
    const int16_t place = PlaceOf(t);
    const long long limit = place == kTypeByte ? 127 : place == kTypeInteger ? 32767 : -1;
    if (limit > 0 && !values.empty() && (*values.begin() < -limit - 1 || *values.rbegin() > limit)) x = "(int)(" + x + ")";
    At(ctx, h).codeText = x;
    if (result != kIfChainNeeded) return result;
  }
  return IfChain(ctx, view);
}

// switch(X){ case ...: ... default: ... }
int16_t FinishSwitchStructured(TranslationContext& ctx, int16_t h) {
  const SelectView view = SelectViewAt(ctx, h);
  Statement& head = At(ctx, h);
  Finish(head, "switch(" + head.codeText + "){");
  IndentBodies(ctx, view);
  for (const Branch& branch : view.branches) {
    Statement& s = At(ctx, branch.record);
    const std::string lines = branch.test >= 0 ? s.codeText : std::string("default:");
    const bool first = &branch == &view.branches.front();
    const std::string close_previous = first ? std::string() : fmt::format("    break;{}", kCrLf);
    Finish(s, close_previous + OwnComment(ctx, s) + std::string(kCrLf) + lines);
  }
  Statement& end = At(ctx, view.end);
  Finish(end, "}");
  --end.indentShift;
  return 0;
}

// A dispatch switch to one case per branch; each branch jumps past the end.
int16_t FinishSwitchProgramCounter(TranslationContext& ctx, int16_t h) {
  const SelectView view = SelectViewAt(ctx, h);
  std::string dispatch = "switch(" + At(ctx, h).codeText + "){";
  IndentBodies(ctx, view);
  bool has_else = false;
  for (const Branch& branch : view.branches) {
    Statement& s = At(ctx, branch.record);
    if (branch.test >= 0) {
      dispatch += fmt::format("{}{}{}{}", kCrLf, s.codeText, kCrLf, JumpAndBreak(CaseOf(branch.record), "    "));
    } else {
      has_else = true;
      dispatch += fmt::format("{}default:{}    {}", kCrLf, kCrLf, JumpTo(CaseOf(branch.record)));
    }
    const bool first = &branch == &view.branches.front();
    const std::string leave = first ? std::string() : LeaveBlock(view.end);
    Finish(s, leave + OwnComment(ctx, s));
    s.caseLabel = kCaseLabelAfter;
  }
  if (!has_else) dispatch += fmt::format("{}default:{}    {}", kCrLf, kCrLf, JumpTo(CaseOf(view.end)));
  dispatch += fmt::format("{}}}", kCrLf);
  Statement& end = At(ctx, view.end);
  Finish(end, OwnComment(ctx, end));
  end.caseLabel = kCaseLabelAfter;
  --end.indentShift;
  Finish(At(ctx, h), dispatch + std::string(kCrLf) + "break;");
  return 0;
}

// { temporary; if(...){ ... }else if(...){ ... }else{ ... } }, or for a long
// chain { temporary; Chain: { if(...){ ... break Chain; } ... { ... } } }
int16_t FinishIfChainStructured(TranslationContext& ctx, int16_t h) {
  const SelectView view = SelectViewAt(ctx, h);
  const bool flat = IsLongChain(view.branches);
  Statement& head = At(ctx, h);
  head.codeText = "{" + std::string(kCrLf) + head.codeText;
  if (flat) head.codeText += std::string(kCrLf) + ChainLabel(h) + ":{";
  Finish(head);
  for (const Branch& branch : view.branches) {
    Statement& s = At(ctx, branch.record);
    const bool first = &branch == &view.branches.front();
    std::string opening;
    if (flat) {
      opening = (first ? std::string() : LeaveChain(h)) + (branch.test >= 0 ? "if(" + s.codeText + "){" : "{");
    } else if (branch.test >= 0) {
      opening = (first ? "if(" : "}else if(") + s.codeText + "){";
    } else {
      opening = first ? "{" : "}else{";
    }
    Finish(s, OwnComment(ctx, s) + std::string(kCrLf) + opening);
    --s.indentShift;
  }
  // An END SELECT right after the selector closes no if, only the block.
  const bool no_branch = view.branches.empty();
  const std::string end_text = no_branch ? "}" : fmt::format("}}{}}}", kCrLf);
  const std::string flat_end = fmt::format("}}{}}}{}}}", kCrLf, kCrLf);
  Statement& end = At(ctx, view.end);
  Finish(end, flat ? flat_end : end_text);
  --end.indentShift;
  return 0;
}

namespace {

// A long chain under the machine: the temporary belongs to the unit, and
// the first CASE follows the selector, not a body.
int16_t FinishLongIfChainProgramCounter(TranslationContext& ctx, const SelectView& view) {
  // "KWV_X IndexH=x;": the declaration goes to the unit, the store stays.
  Statement& head = At(ctx, view.head);
  const size_t space = head.codeText.find(' ');
  CurrentUnit(ctx).temporaries.push_back(fmt::format("{} Index{}=null;", head.codeText.substr(0, space), view.head));
  head.codeText.erase(0, space + 1);
  Finish(head);
  std::vector<std::string> tests;
  for (const Branch& branch : view.branches) tests.push_back(At(ctx, branch.record).codeText);
  return FinishLongChain(ctx, view.branches, view.end, tests, false);
}

}  // namespace

// { temporary; dispatch to the case of the first branch that holds }
int16_t FinishIfChainProgramCounter(TranslationContext& ctx, int16_t h) {
  const SelectView view = SelectViewAt(ctx, h);
  if (IsLongChain(view.branches)) return FinishLongIfChainProgramCounter(ctx, view);
  std::string dispatch;
  std::vector<int16_t> lines;  // each CASE's test is the CASE line's code
  bool has_else = false;
  for (const Branch& branch : view.branches) {
    Statement& s = At(ctx, branch.record);
    const bool first = &branch == &view.branches.front();
    std::string opening;
    if (branch.test >= 0) {
      opening = (first ? "if(" : std::string(kCrLf) + "}else if(") + s.codeText + "){";
    } else {
      opening = first ? "{" : std::string(kCrLf) + "}else{";
    }
    has_else |= branch.test < 0;
    dispatch += fmt::format("{}{}    {}", opening, kCrLf, JumpTo(CaseOf(branch.record)));
    lines.resize(CodeLineCount(dispatch), s.lineNumber);
    const std::string leave = first ? std::string() : LeaveBlock(view.end);
    Finish(s, leave + OwnComment(ctx, s));
    s.caseLabel = kCaseLabelAfter;
    --s.indentShift;
  }
  if (view.branches.empty()) {  // straight past the block
    dispatch = fmt::format("{{{}    {}", kCrLf, JumpTo(CaseOf(view.end)));
  } else if (!has_else) {
    dispatch += fmt::format("{}}}else{{{}    {}", kCrLf, kCrLf, JumpTo(CaseOf(view.end)));
  }
  dispatch += fmt::format("{}}}", kCrLf);
  Statement& head = At(ctx, h);
  lines.resize(CodeLineCount(dispatch), head.lineNumber);
  Statement& end = At(ctx, view.end);
  Finish(end, OwnComment(ctx, end));
  end.caseLabel = kCaseLabelAfter;
  --end.indentShift;
  // "{", the selector's store, the dispatch, "}" and "break;"
  lines.insert(lines.begin(), 1 + CodeLineCount(head.codeText), head.lineNumber);
  lines.insert(lines.end(), 2, head.lineNumber);
  head.codeText = fmt::format("{{{}{}{}{}{}}}{}break;", kCrLf, head.codeText, kCrLf, dispatch, kCrLf, kCrLf);
  head.codeLines = std::move(lines);
  Finish(head);
  return 0;
}

}  // namespace corvel
