#include "stmt/print_input.h"

#include <fmt/format.h>

#include "diag/error_report.h"
#include "diag/messages.h"
#include "expr/expression.h"
#include "expr/value_conversion.h"
#include "source/token_codes.h"
#include "stmt/statement_helpers.h"
#include "symbols/symbol_tables.h"

namespace corvel {
namespace {

// One PRINT item: its value as the Java type KW_print takes.
int16_t PrintItem(TranslationContext& ctx, int16_t i, int first, int last, int mode, std::string& text) {
  std::string java;
  int16_t type = 0;
  int16_t extra = 0;
  if (TranslateExpression(ctx, i, static_cast<int16_t>(first), static_cast<int16_t>(last), java, type, extra) != 0) {
    return 1;
  }
  int16_t target = 0;
  if (IsNumeric(type)) target = ValueOf(PlaceOf(type));
  else if (type == kTypeString || type == kTypeFixedString || type == kValueString || type == kLiteralString) {
    target = kValueString;
  }
  const Statement& s = ctx.statements[static_cast<size_t>(i)];
  if (target == 0 || ConvertValue(java, type, extra, target, -1) != 0) {
    return FailAt(ctx, s.lineNumber, s.tokens[static_cast<size_t>(first)].column, kMsgPrintArgumentType);
  }
  text += fmt::format("KWC_TextScreen.KW_print({},{});", java, mode);
  return 0;
}

}  // namespace

// PRINT [item {, | ; item} [, | ;]]
int16_t TranslatePrint(TranslationContext& ctx, int16_t& i) {
  Statement& s = ctx.statements[static_cast<size_t>(i)];
  const auto count = static_cast<int>(s.tokens.size());
  std::string text;
  if (count == 1) {
    text = "KWC_TextScreen.KW_print(\"\",0);";
  } else {
    int start = 1;
    int depth = 0;
    for (int k = 1; k < count; ++k) {
      const int16_t code = s.tokens[static_cast<size_t>(k)].code;
      if (code == kTokLParen) ++depth;
      if (code == kTokRParen) --depth;
      const bool comma = code == kTokComma && depth == 0;
      if (!comma && code != kTokSemicolon) continue;
      if (k == start) return FailAt(ctx, s.lineNumber, s.tokens[static_cast<size_t>(k)].column, kMsgBadPrint);
      if (PrintItem(ctx, i, start, k - 1, comma ? 1 : 2, text) != 0) return 1;
      start = k + 1;
    }
    if (start < count && PrintItem(ctx, i, start, count - 1, 0, text) != 0) return 1;
  }
  Statement& done = ctx.statements[static_cast<size_t>(i)];
  done.codeText = std::move(text);
  done.kind = kKindTranslated;
  return 0;
}

// INPUT [;] ["prompt" , | ;] variable {, variable}
int16_t TranslateInput(TranslationContext& ctx, int16_t& i) {
  const Statement& s = ctx.statements[static_cast<size_t>(i)];
  const auto count = static_cast<int>(s.tokens.size());
  std::string text = fmt::format("do{{{}", kCrLf);
  int k = 1;
  const bool keep_line = count > 1 && s.tokens[1].code == kTokSemicolon;
  text += keep_line ? "    initInput(1," : "    initInput(0,";
  if (keep_line) k = 2;
  if (k < count && s.tokens[static_cast<size_t>(k)].code == kTokString) {
    const int16_t separator = k + 1 < count ? s.tokens[static_cast<size_t>(k + 1)].code : int16_t{0};
    if (separator != kTokComma && separator != kTokSemicolon) {
      return FailAt(ctx, s.lineNumber, s.firstColumn, kMsgInputPromptSeparator);
    }
    std::string prompt;
    if (!JavaStringLiteral(s.tokens[static_cast<size_t>(k)].text, prompt)) {
      return FailAt(ctx, s.lineNumber, s.tokens[static_cast<size_t>(k)].column, kMsgBadEscape);
    }
    text += fmt::format("{},{});{}", prompt, separator == kTokSemicolon ? 0 : 1, kCrLf);
    k += 2;
  } else {
    text += fmt::format("\"\",0);{}", kCrLf);
  }
  if (k >= count) return FailAt(ctx, s.lineNumber, s.firstColumn, kMsgBadInput);
  int start = k;
  int depth = 0;
  for (int j = k; j <= count; ++j) {
    const int16_t code = j < count ? s.tokens[static_cast<size_t>(j)].code : int16_t{0};
    if (code == kTokLParen) ++depth;
    if (code == kTokRParen) --depth;
    if (j < count && !(code == kTokComma && depth == 0)) continue;
    if (j == start) {
      return FailAt(ctx, s.lineNumber, j < count ? s.tokens[static_cast<size_t>(j)].column : s.firstColumn, kMsgBadInput);
    }
    std::string java;
    int16_t type = 0;
    int16_t extra = 0;
    if (TranslateExpression(ctx, i, static_cast<int16_t>(start), static_cast<int16_t>(j - 1), java, type, extra) != 0) {
      return 1;
    }
    // A variable, an array element or a record element: a place to read into.
    if (!IsNumericPlace(type) && type != kTypeString) {
      return FailAt(ctx, s.lineNumber, s.tokens[static_cast<size_t>(start)].column, kMsgInputArgumentType);
    }
    text += fmt::format("    {}.getInput();{}", java, kCrLf);
    start = j + 1;
  }
  text += "}while(InputError);";
  Statement& done = ctx.statements[static_cast<size_t>(i)];
  done.codeText = std::move(text);
  done.kind = kKindTranslated;
  return 0;
}

}  // namespace corvel
