#include "stmt/statement_helpers.h"

#include <fmt/format.h>

#include "diag/error_report.h"
#include "source/source_reader.h"
#include "symbols/type_codes.h"

namespace corvel {

std::string OwnComment(const TranslationContext& ctx, Statement& s) {
  std::string comment = "// " + SourceCommentText(ctx, s);
  s.commentWritten = true;
  return comment;
}

int16_t FailAt(TranslationContext& ctx, int line, int column, const Message& message) {
  ReportErrorAt(ctx, line, column, message);
  ErrorDone(ctx);
  return 1;
}

std::string ChainLabel(int h) { return fmt::format("Chain{}", h); }

std::string LeaveChain(int h) { return fmt::format("    break {};{}}}{}", ChainLabel(h), kCrLf, kCrLf); }

std::string JumpTo(int case_number) { return fmt::format("PC[CPC]={};", case_number); }

std::string JumpAndBreak(int case_number, std::string_view indent) {
  return fmt::format("{}{}{}{}break;", indent, JumpTo(case_number), kCrLf, indent);
}

bool ConditionTexts(const std::string& x, int16_t type, std::string& holds, std::string& fails) {
  if (IsNumericPlace(type)) {
    holds = x + ".Get()!=0";
    fails = x + ".Get()==0";
  } else if (IsNumericValue(type) || IsNumericLiteral(type)) {
    holds = x + "!=0";
    fails = x + "==0";
  } else if (type == kTypeBoolean) {
    holds = x + ".Get()";
    fails = "!" + x + ".Get()";
  } else if (type == kValueBoolean) {
    holds = x;
    fails = "!(" + x + ")";
  } else {
    return false;
  }
  return true;
}

std::string LeaveBlock(int end) { return JumpAndBreak(CaseOf(end), "    ") + std::string(kCrLf); }

std::string SkipUnless(const std::string& test, int next_case) {
  return fmt::format("if(!({})){{{}{}{}}}", test, kCrLf, JumpAndBreak(next_case, "    "), kCrLf);
}

int16_t FinishLongChain(TranslationContext& ctx, const std::vector<Branch>& branches, int16_t end,
                        const std::vector<std::string>& tests, bool body_before_first) {
  for (size_t k = 0; k < branches.size(); ++k) {
    const Branch& branch = branches[k];
    if (branch.test >= 0) {
      const int16_t next = k + 1 < branches.size() ? branches[k + 1].record : end;
      Statement& test = At(ctx, branch.test);
      Finish(test, SkipUnless(tests[k], CaseOf(next)));
      test.commentWritten = true;
    }
    Statement& s = At(ctx, branch.record);
    const bool after_body = k > 0 || body_before_first;
    const std::string leave = after_body ? LeaveBlock(end) : std::string();
    Finish(s, leave + OwnComment(ctx, s));
    --s.indentShift;
    s.caseLabel = kCaseLabelAfter;
  }
  Statement& s = At(ctx, end);
  Finish(s, OwnComment(ctx, s));
  --s.indentShift;
  s.caseLabel = kCaseLabelAfter;
  return 0;
}

}  // namespace corvel
