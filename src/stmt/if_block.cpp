#include "stmt/if_block.h"

#include <fmt/format.h>

#include <vector>

#include "diag/error_report.h"
#include "diag/messages.h"
#include "expr/expression.h"
#include "source/source_reader.h"
#include "source/token_codes.h"
#include "stmt/jumps.h"
#include "stmt/statement_helpers.h"

namespace corvel {
namespace {

// Translates the condition record c of the IF or ELSEIF record at `owner`.
int16_t Condition(TranslationContext& ctx, int16_t owner, std::string& test) {
  const auto c = static_cast<int16_t>(owner + kPartExpression);
  const Statement& condition = ctx.statements[static_cast<size_t>(c)];
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

// Calls `visit(i)` for the block's own ELSEIF, ELSE and END IF records, in
// order, up to and including the END IF.
template <typename Visit>
void ForEachBranch(TranslationContext& ctx, int16_t h, Visit visit) {
  const int16_t d = ctx.statements[static_cast<size_t>(h + kPartExpression)].blockDepth;
  for (auto i = static_cast<int16_t>(h + 3); i < static_cast<int16_t>(ctx.statements.size()); ++i) {
    const Statement& s = ctx.statements[static_cast<size_t>(i)];
    if (s.blockDepth != d) continue;
    if (s.kind != kKindElseIf && s.kind != kKindElse && s.kind != kKindEndIf) continue;
    const bool end = s.kind == kKindEndIf;
    visit(i);
    if (end) return;
  }
}

}  // namespace

// IF cond THEN ... [ELSEIF cond THEN ...] [ELSE ...] END IF: the headers
int16_t TranslateIfConditions(TranslationContext& ctx, int16_t& h) {
  std::string test;
  if (Condition(ctx, h, test) != 0) return 1;
  Statement& head = ctx.statements[static_cast<size_t>(h)];
  head.codeText = "if(" + test + "){";
  head.kind = kKindIfStructured;
  int16_t failed = 0;
  ForEachBranch(ctx, h, [&](int16_t i) {
    if (failed != 0) return;
    Statement& s = ctx.statements[static_cast<size_t>(i)];
    if (s.kind == kKindElseIf) {
      std::string branch_test;
      failed = Condition(ctx, i, branch_test);
      ctx.statements[static_cast<size_t>(i)].codeText = "}else if(" + branch_test + "){";
    } else if (s.kind == kKindElse) {
      s.codeText = "}else{";
    } else {
      s.codeText = "}";
    }
  });
  return failed;
}

namespace {

// The test of an ELSEIF record from its first-pass text "}else if(T){".
std::string ElseIfTest(const Statement& s) {
  constexpr std::string_view kOpen = "}else if(";
  return s.codeText.substr(kOpen.size(), s.codeText.size() - kOpen.size() - 2);
}

// The ELSEIF and ELSE records of block h.
int IfBranchCount(TranslationContext& ctx, int16_t h) {
  int count = 0;
  ForEachBranch(ctx, h, [&](int16_t i) { count += At(ctx, i).kind != kKindEndIf; });
  return count;
}

}  // namespace

// if(...){ ... }else if(...){ ... }else{ ... }, or for a long chain
// Chain: { if(...){ ... break Chain; } if(...){ ... break Chain; } { ... } }
int16_t FinishIfStructured(TranslationContext& ctx, int16_t& h) {
  const bool flat = IfBranchCount(ctx, h) > kFlatChainBranches;
  const std::string leave = fmt::format("    break {};{}}}{}", ChainLabel(h), kCrLf, kCrLf);
  Statement& head = At(ctx, h);
  if (flat) head.codeText = ChainLabel(h) + ":{" + std::string(kCrLf) + head.codeText;
  head.kind = kKindTranslated;
  ForEachBranch(ctx, h, [&](int16_t i) {
    Statement& s = ctx.statements[static_cast<size_t>(i)];
    if (flat && s.kind == kKindElseIf) s.codeText = leave + "if(" + ElseIfTest(s) + "){";
    if (flat && s.kind == kKindElse) s.codeText = leave + "{";
    if (flat && s.kind == kKindEndIf) s.codeText = fmt::format("}}{}}}", kCrLf);
    s.kind = kKindTranslated;
    --s.indentShift;
  });
  return 0;
}

namespace {

// A long chain under the machine: each branch's test stands at a case of
// its own, before its body, and a test that fails goes on to the next
// branch's case; no statement holds more than one test, so the writer can
// cut the chain anywhere.
int16_t FinishLongIfProgramCounter(TranslationContext& ctx, int16_t h) {
  std::vector<int16_t> branches;
  ForEachBranch(ctx, h, [&](int16_t i) { branches.push_back(i); });
  Statement& head = At(ctx, h);
  constexpr std::string_view kIf = "if(";
  const std::string test = head.codeText.substr(kIf.size(), head.codeText.size() - kIf.size() - 2);
  head.codeText = fmt::format("if(!({})){{{}{}{}}}", test, kCrLf, JumpAndBreak(branches[0] + 1, "    "), kCrLf);
  head.kind = kKindTranslated;
  for (size_t k = 0; k < branches.size(); ++k) {
    const int16_t i = branches[k];
    Statement& s = At(ctx, i);
    if (s.kind == kKindElseIf) {
      Statement& condition = At(ctx, i + kPartExpression);
      condition.codeText = fmt::format("if(!({})){{{}{}{}}}", ElseIfTest(s), kCrLf,
                                       JumpAndBreak(branches[k + 1] + 1, "    "), kCrLf);
      condition.kind = kKindTranslated;
      condition.commentWritten = true;
    }
    if (s.kind == kKindElseIf || s.kind == kKindElse) {
      s.codeText = fmt::format("{}{}// {}", JumpAndBreak(s.blockEnd + 1, "    "), kCrLf, SourceCommentText(ctx, s));
      s.kind = kKindTranslated;
      s.commentWritten = true;
    } else if (s.span != 0 && !s.commentWritten) {  // END IF
      s.codeText = "// " + SourceCommentText(ctx, s);
      s.kind = kKindTranslated;
      s.commentWritten = true;
    }
    --s.indentShift;
    s.caseLabel = kCaseLabelAfter;
  }
  return 0;
}

}  // namespace

// A dispatch to the case of the first branch whose condition holds; each
// branch ends with a jump past the END IF.
// A dispatch to the case of the first branch whose condition holds; each
// branch ends with a jump past the END IF.
int16_t FinishIfProgramCounter(TranslationContext& ctx, int16_t& h) {
  if (IfBranchCount(ctx, h) > kFlatChainBranches) return FinishLongIfProgramCounter(ctx, h);
  Statement& head = ctx.statements[static_cast<size_t>(h)];
  const int16_t head_line = head.lineNumber;
  std::string dispatch = fmt::format("{}{}    {}", head.codeText, kCrLf, JumpTo(h + 3));
  // each ELSEIF's test is the ELSEIF line's code
  std::vector<int16_t> lines(CodeLineCount(dispatch), head_line);
  Statement& then = ctx.statements[static_cast<size_t>(h + kPartThen)];
  then.kind = kKindLabelOnly;
  then.caseLabel = kCaseLabelBefore;
  bool has_else = false;
  ForEachBranch(ctx, h, [&](int16_t i) {
    Statement& s = ctx.statements[static_cast<size_t>(i)];
    const int after_end = s.blockEnd + 1;
    if (s.kind == kKindElseIf || s.kind == kKindElse) {
      has_else |= s.kind == kKindElse;
      dispatch += fmt::format("{}{}{}    {}", kCrLf, s.codeText, kCrLf, JumpTo(i + 1));
      lines.resize(CodeLineCount(dispatch), s.lineNumber);
      const std::string separator = s.kind == kKindElseIf ? std::string() : std::string(kCrLf);
      s.codeText = fmt::format("    {}{}    break;{}// {}", JumpTo(after_end), separator, kCrLf, SourceCommentText(ctx, s));
      s.kind = kKindTranslated;
      s.commentWritten = true;
    } else {  // END IF
      if (!has_else) dispatch += fmt::format("{}}}else{{{}    {}", kCrLf, kCrLf, JumpTo(i + 1));
      dispatch += fmt::format("{}}}{}break;", kCrLf, kCrLf);
      lines.resize(CodeLineCount(dispatch), head_line);
      if (s.span != 0 && !s.commentWritten) {
        s.codeText = "// " + SourceCommentText(ctx, s);
        s.kind = kKindTranslated;
        s.commentWritten = true;
      }
    }
    --s.indentShift;
    s.caseLabel = kCaseLabelAfter;
  });
  Statement& done = ctx.statements[static_cast<size_t>(h)];
  done.codeText = std::move(dispatch);
  done.codeLines = std::move(lines);
  done.kind = kKindTranslated;
  return 0;
}

}  // namespace corvel
