#include "symbols/statement_dump.h"

#include <fmt/format.h>

namespace corvel {

std::string DumpTokens(const Statement& s) {
  std::string out;
  for (const Token& t : s.tokens) {
    if (!out.empty()) out += ' ';
    out += t.text.empty() ? fmt::format("<{}>", t.code) : t.text;
  }
  return out;
}

std::string DumpStatements(const TranslationContext& ctx) {
  std::string out;
  for (size_t i = 0; i < ctx.statements.size(); ++i) {
    const Statement& s = ctx.statements[i];
    out += fmt::format("{} kind={} line={} col={} span={} area={}/{} block={},{},{},{} case={} [{}]", i,
                       s.kind, s.lineNumber, s.firstColumn, s.span, s.area, s.areaDetail,
                       s.blockRegion, s.blockDepth, s.blockHead, s.blockEnd, s.caseLabel,
                       DumpTokens(s));
    if (!s.codeText.empty()) out += fmt::format(" {{{}}}", s.codeText);
    out += '\n';
  }
  return out;
}

}  // namespace corvel
