#include "symbols/statement_dump.h"

#include <fmt/format.h>

#include "source/token_codes.h"

namespace corvel {
namespace {

std::string KindText(int16_t kind) {
  const std::string_view name = StatementKindName(kind);
  return name.empty() ? fmt::format("kind={}", kind) : std::string(name);
}

}  // namespace

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
    out += fmt::format("{} {} line={} col={} span={} area={}/{} block={},{},{},{} case={} [{}]", i,
                       KindText(s.kind), s.lineNumber, s.firstColumn, s.span, s.area, s.areaDetail,
                       s.blockRegion, s.blockDepth, s.blockHead, s.blockEnd, s.caseLabel,
                       DumpTokens(s));
    if (!s.codeText.empty()) out += fmt::format(" {{{}}}", s.codeText);
    out += '\n';
  }
  return out;
}

std::string DumpBlockLinks(const TranslationContext& ctx) {
  std::string out;
  for (size_t i = 0; i < ctx.statements.size(); ++i) {
    const Statement& s = ctx.statements[i];
    out += fmt::format("{} {} r{} d{} h{} e{} s{}\n", i, KindText(s.kind), s.blockRegion, s.blockDepth, s.blockHead,
                       s.blockEnd, s.span);
  }
  return out;
}

std::string DumpCodeTexts(const TranslationContext& ctx) {
  std::string out;
  for (size_t i = 0; i < ctx.statements.size(); ++i) {
    const Statement& s = ctx.statements[i];
    if (s.kind != kKindTranslated) continue;
    std::string text = s.codeText;
    for (size_t p = text.find(kCrLf); p != std::string::npos; p = text.find(kCrLf, p)) text.replace(p, 2, "|");
    out += fmt::format("{}{}: {}\n", i, s.caseLabel != kCaseLabelNone ? fmt::format("@{}", s.caseLabel) : "", text);
  }
  return out;
}

}  // namespace corvel
