// PRINT and INPUT: text output through the text screen, input through the
// applet's prompt and the variables' wrappers.
#include <fmt/format.h>

#include <vector>

#include "diag/error_report.h"
#include "diag/messages.h"
#include "expr/expression.h"
#include "expr/value_conversion.h"
#include "source/token_codes.h"
#include "source/token_split.h"
#include "stmt/statement_helpers.h"
#include "stmt/statement_translators.h"
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
  const Statement& s = At(ctx, i);
  if (target == 0 || ConvertValue(java, type, extra, target, -1) != 0) {
    return FailAt(ctx, s.lineNumber, s.tokens[static_cast<size_t>(first)].column, kMsgPrintArgumentType);
  }
  text += fmt::format("KWC_TextScreen.KW_print({},{});", java, mode);
  return 0;
}

}  // namespace

// PRINT [item {, | ; item} [, | ;]]
int16_t TranslatePrint(TranslationContext& ctx, int16_t i) {
  const Statement& s = At(ctx, i);
  const auto count = static_cast<int>(s.tokens.size());
  std::string text;
  if (count == 1) {
    text = "KWC_TextScreen.KW_print(\"\",0);";
  } else {
    // A ";" cuts even inside parentheses: no expression holds one, and the
    // item before it is reported for the "(" it leaves open.
    for (const TokenPiece& part : SplitTokens(s.tokens, 1, count, kTokSemicolon, Parentheses::kIgnore)) {
      for (const TokenPiece& item : SplitTokens(s.tokens, part.first, part.end, kTokComma, Parentheses::kNest)) {
        if (item.end == count) {  // the last, which may be empty
          if (!item.Empty() && PrintItem(ctx, i, item.first, count - 1, 0, text) != 0) return 1;
          continue;
        }
        const Token& separator = s.tokens[static_cast<size_t>(item.end)];
        if (item.Empty()) return FailAt(ctx, s.lineNumber, separator.column, kMsgBadPrint);
        if (PrintItem(ctx, i, item.first, item.end - 1, separator.code == kTokComma ? 1 : 2, text) != 0) return 1;
      }
    }
  }
  Finish(At(ctx, i), std::move(text));
  return 0;
}

// INPUT [;] ["prompt" , | ;] variable {, variable}
int16_t TranslateInput(TranslationContext& ctx, int16_t i) {
  const Statement& s = At(ctx, i);
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
  for (const TokenPiece& variable : SplitTokens(s.tokens, k, count, kTokComma, Parentheses::kNest)) {
    if (variable.Empty()) {
      const int column = variable.end < count ? s.tokens[static_cast<size_t>(variable.end)].column : s.firstColumn;
      return FailAt(ctx, s.lineNumber, column, kMsgBadInput);
    }
    std::string java;
    int16_t type = 0;
    int16_t extra = 0;
    if (TranslateExpression(ctx, i, static_cast<int16_t>(variable.first), static_cast<int16_t>(variable.end - 1), java,
                            type, extra) != 0) {
      return 1;
    }
    // A variable, an array element or a record element: a place to read into.
    if (!IsNumericPlace(type) && type != kTypeString) {
      return FailAt(ctx, s.lineNumber, s.tokens[static_cast<size_t>(variable.first)].column, kMsgInputArgumentType);
    }
    text += fmt::format("    {}.getInput();{}", java, kCrLf);
  }
  text += "}while(InputError);";
  Finish(At(ctx, i), std::move(text));
  return 0;
}

}  // namespace corvel
