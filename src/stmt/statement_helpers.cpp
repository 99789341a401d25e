#include "stmt/statement_helpers.h"

#include <fmt/format.h>

#include "diag/error_report.h"
#include "symbols/type_codes.h"

namespace corvel {

int16_t FailAt(TranslationContext& ctx, int line, int column, const Message& message) {
  ReportErrorAt(ctx, line, column, message);
  ErrorDone(ctx);
  return 1;
}

std::string ChainLabel(int h) { return fmt::format("Chain{}", h); }

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

}  // namespace corvel
