// IF blocks, block and one-line: conditions in the first pass, then the
// structured form or the program-counter form in the second.
#include <fmt/format.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "diag/messages.h"
#include "expr/expression.h"
#include "source/token_codes.h"
#include "stmt/statement_helpers.h"
#include "stmt/statement_translators.h"
#include "stmt/statement_views.h"

namespace corvel {
namespace {

// The test of the condition record c of the IF or ELSEIF record `owner`,
// reported at the owner's line.
int16_t Condition(TranslationContext& ctx, int16_t owner, int16_t c, std::string& test) {
  const Statement& condition = At(ctx, c);
  std::string java;
  int16_t type = 0;
  int16_t extra = 0;
  const auto last = static_cast<int16_t>(condition.tokens.size() - 1);
  if (TranslateExpression(ctx, c, 0, last, java, type, extra) != 0) return 1;
  std::string fails;
  if (!ConditionTexts(java, type, test, fails)) {
    return FailAt(ctx, At(ctx, owner).lineNumber, condition.firstColumn, kMsgBadCondition);
  }
  return 0;
}

// The test T of an "if(T){" or "}else if(T){" text.
std::string TestOf(const std::string& text, std::string_view opening) {
  return text.substr(opening.size(), text.size() - opening.size() - 2);
}

constexpr std::string_view kIfOpening = "if(";
constexpr std::string_view kElseIfOpening = "}else if(";

}  // namespace

// IF condition THEN ... {ELSEIF condition THEN ...} [ELSE ...] END IF: the
// tests, in the texts of the structured form.
int16_t TranslateIfConditions(TranslationContext& ctx, int16_t h) {
  const IfView view = IfViewAt(ctx, h);
  std::string test;
  if (Condition(ctx, h, view.condition, test) != 0) return 1;
  Statement& head = At(ctx, h);
  head.codeText = std::string(kIfOpening) + test + "){";
  head.kind = kKindIfStructured;
  for (const Branch& branch : view.branches) {
    std::string branch_test;
    if (branch.test >= 0 && Condition(ctx, branch.record, branch.test, branch_test) != 0) return 1;
    At(ctx, branch.record).codeText = branch.test >= 0 ? std::string(kElseIfOpening) + branch_test + "){" : "}else{";
  }
  At(ctx, view.end).codeText = "}";
  return 0;
}

// if(...){ ... }else if(...){ ... }else{ ... }, or for a long chain
// Chain: { if(...){ ... break Chain; } if(...){ ... break Chain; } { ... } }
int16_t FinishIfStructured(TranslationContext& ctx, int16_t h) {
  const IfView view = IfViewAt(ctx, h);
  const bool flat = IsLongChain(view.branches);
  Statement& head = At(ctx, h);
  if (flat) head.codeText = ChainLabel(h) + ":{" + std::string(kCrLf) + head.codeText;
  Finish(head);
  for (const Branch& branch : view.branches) {
    Statement& s = At(ctx, branch.record);
    if (flat) s.codeText = LeaveChain(h) + (branch.test >= 0 ? "if(" + TestOf(s.codeText, kElseIfOpening) + "){" : "{");
    Finish(s);
    --s.indentShift;
  }
  Statement& end = At(ctx, view.end);
  if (flat) end.codeText = fmt::format("}}{}}}", kCrLf);
  Finish(end);
  --end.indentShift;
  return 0;
}

namespace {

// A long chain under the machine: the IF's own test skips to the first
// ELSEIF's case, and every branch follows a body.
int16_t FinishLongIfProgramCounter(TranslationContext& ctx, const IfView& view) {
  std::vector<std::string> tests;
  for (const Branch& branch : view.branches) {
    tests.push_back(branch.test >= 0 ? TestOf(At(ctx, branch.record).codeText, kElseIfOpening) : std::string());
  }
  Statement& head = At(ctx, view.head);
  Finish(head, SkipUnless(TestOf(head.codeText, kIfOpening), CaseOf(view.branches.front().record)));
  return FinishLongChain(ctx, view.branches, view.end, tests, true);
}

}  // namespace

// A dispatch to the case of the first branch whose condition holds; each
// branch ends with a jump past the END IF.
int16_t FinishIfProgramCounter(TranslationContext& ctx, int16_t h) {
  const IfView view = IfViewAt(ctx, h);
  if (IsLongChain(view.branches)) return FinishLongIfProgramCounter(ctx, view);
  Statement& head = At(ctx, h);
  const int16_t head_line = head.lineNumber;
  std::string dispatch = fmt::format("{}{}    {}", head.codeText, kCrLf, JumpTo(CaseOf(view.then)));
  // each ELSEIF's test is the ELSEIF line's code
  std::vector<int16_t> lines(CodeLineCount(dispatch), head_line);
  Statement& then = At(ctx, view.then);
  then.kind = kKindLabelOnly;
  then.caseLabel = kCaseLabelBefore;
  for (const Branch& branch : view.branches) {
    Statement& s = At(ctx, branch.record);
    dispatch += fmt::format("{}{}{}    {}", kCrLf, s.codeText, kCrLf, JumpTo(CaseOf(branch.record)));
    lines.resize(CodeLineCount(dispatch), s.lineNumber);
    const std::string separator = branch.test >= 0 ? std::string() : std::string(kCrLf);
    Finish(s, fmt::format("    {}{}    break;{}{}", JumpTo(CaseOf(view.end)), separator, kCrLf, OwnComment(ctx, s)));
    --s.indentShift;
    s.caseLabel = kCaseLabelAfter;
  }
  const bool has_else =
      std::any_of(view.branches.begin(), view.branches.end(), [](const Branch& b) { return b.test < 0; });
  if (!has_else) dispatch += fmt::format("{}}}else{{{}    {}", kCrLf, kCrLf, JumpTo(CaseOf(view.end)));
  dispatch += fmt::format("{}}}{}break;", kCrLf, kCrLf);
  lines.resize(CodeLineCount(dispatch), head_line);
  // The END IF that the lexer appends to a one-line IF has no source to comment.
  Statement& end = At(ctx, view.end);
  if (end.span != 0 && !end.commentWritten) Finish(end, OwnComment(ctx, end));
  --end.indentShift;
  end.caseLabel = kCaseLabelAfter;
  head.codeText = std::move(dispatch);
  head.codeLines = std::move(lines);
  Finish(head);
  return 0;
}

}  // namespace corvel
