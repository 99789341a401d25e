#include "stmt/select_case.h"

#include <fmt/format.h>

#include <optional>
#include <set>
#include <string_view>
#include <vector>

#include "diag/error_report.h"
#include "diag/messages.h"
#include "expr/expression.h"
#include "expr/value_conversion.h"
#include "source/source_reader.h"
#include "source/token_codes.h"
#include "stmt/jumps.h"
#include "symbols/numbers.h"
#include "stmt/statement_helpers.h"
#include "symbols/symbol_tables.h"

namespace corvel {
namespace {

// The tokens [first, last] of each item of a case list.
std::vector<std::pair<int, int>> Items(const Statement& list, int& empty_at) {
  std::vector<std::pair<int, int>> items;
  empty_at = -1;
  int start = 0;
  int depth = 0;
  const auto count = static_cast<int>(list.tokens.size());
  for (int k = 0; k <= count; ++k) {
    const int16_t code = k < count ? list.tokens[static_cast<size_t>(k)].code : int16_t{0};
    if (code == kTokLParen) ++depth;
    if (code == kTokRParen) --depth;
    if (k < count && !(code == kTokComma && depth == 0)) continue;
    if (k == start) {
      empty_at = k;
      return items;
    }
    items.emplace_back(start, k - 1);
    start = k + 1;
  }
  return items;
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

// The records of the block at depth d from h + 2 on, to the END SELECT.
template <typename Visit>
int16_t ForEachBranch(TranslationContext& ctx, int h, Visit visit) {
  const int16_t d = At(ctx, h + 1).blockDepth;
  for (int i = h + 2; i < static_cast<int>(ctx.statements.size()); ++i) {
    const Statement& s = At(ctx, i);
    const bool branch = s.kind == kKindCase || s.kind == kKindCaseElse || s.kind == kKindEndSelect;
    if (i == h + 2 && !branch) return FailAt(ctx, s.lineNumber, s.firstColumn, kMsgBadSelectBlock);
    if (s.blockDepth != d || !branch) continue;
    const bool end = s.kind == kKindEndSelect;  // the visit may change the kind
    if (visit(i) != 0) return 1;
    if (end) return 0;
  }
  return 0;
}

constexpr int16_t kIfChainNeeded = 2;

// Under the machine a switch dispatches in one statement of its own, which
// must fit a method: a SELECT of more case values takes the if-chain.
constexpr size_t kMaxSwitchValues = 1000;

// Tries the switch: every item an integer literal, no two alike, not too
// many. 0 with
// the case lines in the CASE records; kIfChainNeeded when the if-chain must
// be taken; 1 after a report.
int16_t TrySwitch(TranslationContext& ctx, int h, std::set<long long>& seen) {
  bool switchable = true;
  const int16_t failed = ForEachBranch(ctx, h, [&](int i) -> int16_t {
    if (!switchable || At(ctx, i).kind != kKindCase) return 0;
    const Statement& list = At(ctx, i + 1);
    int empty_at = -1;
    const auto items = Items(list, empty_at);
    if (empty_at >= 0) return FailAt(ctx, list.lineNumber, list.firstColumn, kMsgBadCondition);
    std::string lines;
    for (const auto& [first, last] : items) {
      for (int k = first; k <= last; ++k) {
        const int16_t code = list.tokens[static_cast<size_t>(k)].code;
        if (code == kKwIs || code == kKwTo) switchable = false;
      }
      if (!switchable) return 0;
      std::string java;
      int16_t type = 0, extra = 0;
      if (TranslateExpression(ctx, static_cast<int16_t>(i + 1), static_cast<int16_t>(first),
                              static_cast<int16_t>(last), java, type, extra) != 0) {
        return 1;
      }
      // A value twice would be a duplicate case label: the if-chain keeps
      // the first match, as BASIC does.
      const std::optional<long long> value = type == kLiteralLong ? LiteralValue(java) : std::nullopt;
      if (!value || !seen.insert(*value).second) {
        switchable = false;
        return 0;
      }
      lines += (lines.empty() ? "" : std::string(kCrLf)) + "case " + java + ":";
    }
    At(ctx, i).codeText = lines;
    return 0;
  });
  if (failed != 0) return 1;
  return switchable && seen.size() <= kMaxSwitchValues ? 0 : kIfChainNeeded;
}

// The test of one CASE record for the if-chain over the temporary `index`
// of place code p and extra x.
int16_t IfChainTest(TranslationContext& ctx, int i, const std::string& index, int16_t p, int16_t x, std::string& test) {
  Statement& list = At(ctx, i + 1);
  int empty_at = -1;
  const auto items = Items(list, empty_at);
  if (empty_at >= 0) return FailAt(ctx, list.lineNumber, list.firstColumn, kMsgBadCondition);
  for (const auto& [first, last] : items) {
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
      if (TranslateExpression(ctx, static_cast<int16_t>(i + 1), static_cast<int16_t>(first), static_cast<int16_t>(last),
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
      failed = TranslateExpression(ctx, static_cast<int16_t>(i + 1), static_cast<int16_t>(first),
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
      failed = TranslateTokens(ctx, static_cast<int16_t>(i + 1), std::move(tokens), java, type, extra);
    }
    ctx.caseSelector = nullptr;
    if (failed != 0) return 1;
    if (ConvertValue(java, type, extra, kValueBoolean, -1) != 0) return FailAt(ctx, list.lineNumber, list.firstColumn, kMsgBadCondition);
    test += "(" + java + ")||";
  }
  test.resize(test.size() - 2);  // the last "||"
  return 0;
}

int16_t IfChain(TranslationContext& ctx, int h) {
  At(ctx, h).kind = kKindIfChainStructured;
  const Statement& selector = At(ctx, h + kPartExpression);
  std::string x;
  int16_t t = 0, extra = 0;
  if (TranslateExpression(ctx, static_cast<int16_t>(h + kPartExpression), 0, static_cast<int16_t>(selector.tokens.size() - 1), x, t,
                          extra) != 0) {
    return 1;
  }
  int16_t p = 0;
  if (IsNumeric(t) || t == kTypeString || t == kValueString || t == kLiteralString) p = PlaceOf(t);
  if (p == 0) return FailAt(ctx, selector.lineNumber, selector.firstColumn, kMsgBadSelectorExpression);
  ConvertValue(x, t, extra, p, extra);
  const std::string index = fmt::format("Index{}", h);
  At(ctx, h).codeText = fmt::format("{} {}={};", JavaClassOf(ctx, p, extra), index, x);
  ctx.usedTypes[static_cast<size_t>(p)] = 1;
  return ForEachBranch(ctx, h, [&](int i) -> int16_t {
    Statement& s = At(ctx, i);
    if (s.kind == kKindCaseElse) {
      s.codeText = "}else{";
    } else if (s.kind == kKindEndSelect) {
      s.codeText = "}";
    } else {
      std::string test;
      if (IfChainTest(ctx, i, index, p, extra, test) != 0) return 1;
      At(ctx, i).codeText = std::move(test);
    }
    return 0;
  });
}

// "// " and the record's source, which the writer then leaves out.
std::string OwnComment(TranslationContext& ctx, Statement& s) {
  std::string comment = "// " + SourceCommentText(ctx, s);
  s.commentWritten = true;
  return comment;
}

}  // namespace

// SELECT CASE selector / CASE items / CASE ELSE / END SELECT
int16_t TranslateSelectHeader(TranslationContext& ctx, int16_t& h) {
  const Statement& selector = At(ctx, h + kPartExpression);
  std::string x;
  int16_t t = 0, extra = 0;
  if (TranslateExpression(ctx, static_cast<int16_t>(h + kPartExpression), 0, static_cast<int16_t>(selector.tokens.size() - 1), x, t,
                          extra) != 0) {
    return 1;
  }
  // Places and values up to LONG, and a LONG literal, can be switched on.
  const bool integer = (IsNumeric(t) && PlaceOf(t) <= kTypeLong && !IsLiteralCode(t)) || t == kLiteralLong;
  const bool other = (IsNumeric(t) && PlaceOf(t) >= kTypeLonglong) || PlaceOf(t) == kTypeString;
  if (!integer && !other) return FailAt(ctx, selector.lineNumber, selector.firstColumn, kMsgBadSelectorExpression);
  if (integer) {
    ConvertValue(x, t, extra, kValueLong, -1);
    At(ctx, h).kind = kKindSwitchStructured;
    std::set<long long> values;
    const int16_t result = TrySwitch(ctx, h, values);
    // A BYTE or INTEGER selector is a Java byte or short, which javac will
    // not compare with a case value outside its range: switch on its int.
    const int16_t place = PlaceOf(t);
    const long long limit = place == kTypeByte ? 127 : place == kTypeInteger ? 32767 : -1;
    if (limit > 0 && !values.empty() && (*values.begin() < -limit - 1 || *values.rbegin() > limit)) x = "(int)(" + x + ")";
    At(ctx, h).codeText = x;
    if (result != kIfChainNeeded) return result;
  }
  return IfChain(ctx, h);
}

// switch(X){ case ...: ... default: ... }
int16_t FinishSwitchStructured(TranslationContext& ctx, int16_t& h) {
  const int16_t d = At(ctx, h + 1).blockDepth;
  At(ctx, h).codeText = "switch(" + At(ctx, h).codeText + "){";
  At(ctx, h).kind = kKindTranslated;
  for (int i = h + 1; i < static_cast<int>(ctx.statements.size()); ++i) {
    Statement& s = At(ctx, i);
    if (s.blockDepth == d && (s.kind == kKindCase || s.kind == kKindCaseElse)) {
      const std::string lines = s.kind == kKindCase ? s.codeText : std::string("default:");
      s.codeText = (i != h + 2 ? fmt::format("    break;{}", kCrLf) : std::string()) + OwnComment(ctx, s) +
                   std::string(kCrLf) + lines;
      s.kind = kKindTranslated;
    } else if (s.blockDepth == d && s.kind == kKindEndSelect) {
      s.codeText = "}";
      s.kind = kKindTranslated;
      --s.indentShift;
      return 0;
    } else {
      ++s.indentShift;  // bodies stand under their case labels
    }
  }
  return 0;
}

// A dispatch switch to one case per branch; each branch jumps past the end.
int16_t FinishSwitchProgramCounter(TranslationContext& ctx, int16_t& h) {
  const int16_t d = At(ctx, h + 1).blockDepth;
  std::string dispatch = "switch(" + At(ctx, h).codeText + "){";
  bool has_else = false;
  for (int i = h + 1; i < static_cast<int>(ctx.statements.size()); ++i) {
    Statement& s = At(ctx, i);
    if (s.blockDepth == d && (s.kind == kKindCase || s.kind == kKindCaseElse)) {
      if (s.kind == kKindCase) {
        dispatch += fmt::format("{}{}{}{}", kCrLf, s.codeText, kCrLf, JumpAndBreak(i + 1, "    "));
      } else {
        has_else = true;
        dispatch += fmt::format("{}default:{}    {}", kCrLf, kCrLf, JumpTo(i + 1));
      }
      const std::string leave =
          i != h + 2 ? JumpAndBreak(s.blockEnd + 1, "    ") + std::string(kCrLf) : std::string();
      s.codeText = leave + OwnComment(ctx, s);
      s.kind = kKindTranslated;
      s.caseLabel = kCaseLabelAfter;
    } else if (s.blockDepth == d && s.kind == kKindEndSelect) {
      if (!has_else) dispatch += fmt::format("{}default:{}    {}", kCrLf, kCrLf, JumpTo(i + 1));
      dispatch += fmt::format("{}}}", kCrLf);
      s.codeText = OwnComment(ctx, s);
      s.kind = kKindTranslated;
      s.caseLabel = kCaseLabelAfter;
      --s.indentShift;
      break;
    } else {
      ++s.indentShift;
    }
  }
  At(ctx, h).codeText = dispatch + std::string(kCrLf) + "break;";
  At(ctx, h).kind = kKindTranslated;
  return 0;
}

namespace {

// The CASE and CASE ELSE records of block h.
int SelectBranchCount(TranslationContext& ctx, int16_t h) {
  int count = 0;
  ForEachBranch(ctx, h, [&](int i) -> int16_t {
    count += At(ctx, i).kind != kKindEndSelect;
    return 0;
  });
  return count;
}

}  // namespace

// { temporary; if(...){ ... }else if(...){ ... }else{ ... } }, or for a long
// chain { temporary; Chain: { if(...){ ... break Chain; } ... { ... } } }
int16_t FinishIfChainStructured(TranslationContext& ctx, int16_t& h) {
  const bool flat = SelectBranchCount(ctx, h) > kFlatChainBranches;
  const std::string leave = fmt::format("    break {};{}}}{}", ChainLabel(h), kCrLf, kCrLf);
  At(ctx, h).codeText = "{" + std::string(kCrLf) + At(ctx, h).codeText;
  if (flat) At(ctx, h).codeText += std::string(kCrLf) + ChainLabel(h) + ":{";
  At(ctx, h).kind = kKindTranslated;
  return ForEachBranch(ctx, h, [&](int i) -> int16_t {
    Statement& s = At(ctx, i);
    const bool first = i == h + 2;
    std::string head;
    if (flat) {
      const std::string before = first ? std::string() : leave;
      head = before + (s.kind == kKindCase ? "if(" + s.codeText + "){" : "{");
    } else if (s.kind == kKindCase) {
      head = (first ? "if(" : "}else if(") + s.codeText + "){";
    } else if (s.kind == kKindCaseElse) {
      head = first ? "{" : "}else{";
    }
    // An END SELECT right after the selector closes no if, only the block.
    const std::string end = first ? "}" : fmt::format("}}{}}}", kCrLf);
    const std::string flat_end = first ? fmt::format("}}{}}}", kCrLf) : fmt::format("}}{}}}{}}}", kCrLf, kCrLf);
    s.codeText = s.kind == kKindEndSelect ? (flat ? flat_end : end) : OwnComment(ctx, s) + std::string(kCrLf) + head;
    s.kind = kKindTranslated;
    --s.indentShift;
    return 0;
  });
}

namespace {

// A long chain under the machine: the temporary belongs to the unit, and
// each branch's test stands at a case of its own, before its body; a test
// that fails goes on to the next branch's case. No statement holds more
// than one test, so the writer can cut the chain anywhere.
int16_t FinishLongIfChainProgramCounter(TranslationContext& ctx, int16_t h) {
  std::vector<int> branches;
  ForEachBranch(ctx, h, [&](int i) -> int16_t {
    branches.push_back(i);
    return 0;
  });
  // "KWV_X IndexH=x;": the declaration goes to the unit, the store stays.
  Statement& head = At(ctx, h);
  const size_t space = head.codeText.find(' ');
  CurrentUnit(ctx).temporaries.push_back(fmt::format("{} Index{}=null;", head.codeText.substr(0, space), h));
  head.codeText.erase(0, space + 1);
  head.kind = kKindTranslated;
  for (size_t k = 0; k < branches.size(); ++k) {
    const int i = branches[k];
    Statement& s = At(ctx, i);
    const bool first = i == h + 2;
    const std::string leave = first || s.kind == kKindEndSelect
                                  ? std::string()
                                  : JumpAndBreak(s.blockEnd + 1, "    ") + std::string(kCrLf);
    if (s.kind == kKindCase) {
      Statement& list = At(ctx, i + 1);
      list.codeText = fmt::format("if(!({})){{{}{}{}}}", s.codeText, kCrLf, JumpAndBreak(branches[k + 1] + 1, "    "), kCrLf);
      list.kind = kKindTranslated;
      list.commentWritten = true;
    }
    s.codeText = leave + OwnComment(ctx, s);
    s.kind = kKindTranslated;
    s.caseLabel = kCaseLabelAfter;
    --s.indentShift;
  }
  return 0;
}

}  // namespace

// { temporary; dispatch to the case of the first branch that holds }
int16_t FinishIfChainProgramCounter(TranslationContext& ctx, int16_t& h) {
  if (SelectBranchCount(ctx, h) > kFlatChainBranches) return FinishLongIfChainProgramCounter(ctx, h);
  std::string dispatch;
  std::vector<int16_t> lines;  // each CASE's test is the CASE line's code
  bool has_else = false;
  ForEachBranch(ctx, h, [&](int i) -> int16_t {
    Statement& s = At(ctx, i);
    const bool first = i == h + 2;
    if (s.kind == kKindEndSelect) {
      if (first) {  // no branch at all: straight past the block
        dispatch = fmt::format("{{{}    {}", kCrLf, JumpTo(i + 1));
      } else if (!has_else) {
        dispatch += fmt::format("{}}}else{{{}    {}", kCrLf, kCrLf, JumpTo(i + 1));
      }
      dispatch += fmt::format("{}}}", kCrLf);
      lines.resize(CodeLineCount(dispatch), At(ctx, h).lineNumber);
      s.codeText = OwnComment(ctx, s);
    } else {
      std::string head;
      if (s.kind == kKindCase) head = (first ? "if(" : std::string(kCrLf) + "}else if(") + s.codeText + "){";
      else head = first ? "{" : std::string(kCrLf) + "}else{";
      has_else |= s.kind == kKindCaseElse;
      dispatch += fmt::format("{}{}    {}", head, kCrLf, JumpTo(i + 1));
      lines.resize(CodeLineCount(dispatch), s.lineNumber);
      const std::string leave =
          first ? std::string() : JumpAndBreak(s.blockEnd + 1, "    ") + std::string(kCrLf);
      s.codeText = leave + OwnComment(ctx, s);
    }
    s.kind = kKindTranslated;
    s.caseLabel = kCaseLabelAfter;
    --s.indentShift;
    return 0;
  });
  // "{", the selector's store, the dispatch, "}" and "break;"
  lines.insert(lines.begin(), 1 + CodeLineCount(At(ctx, h).codeText), At(ctx, h).lineNumber);
  lines.insert(lines.end(), 2, At(ctx, h).lineNumber);
  At(ctx, h).codeText = fmt::format("{{{}{}{}{}{}}}{}break;", kCrLf, At(ctx, h).codeText, kCrLf, dispatch, kCrLf, kCrLf);
  At(ctx, h).codeLines = std::move(lines);
  At(ctx, h).kind = kKindTranslated;
  return 0;
}

}  // namespace corvel
