#include "checks/options.h"

#include <fmt/format.h>

#include "diag/error_report.h"
#include "diag/messages.h"
#include "source/lexer.h"
#include "source/token_codes.h"
#include "symbols/numbers.h"

namespace corvel {
namespace {

// The options of the form OPTION name = n, with their names as the messages
// spell them.
struct SizeOption {
  int16_t keyword;
  int16_t OptionValues::*value;
  std::string_view name;
};

constexpr SizeOption kSizeOptions[] = {
    {kKwAppletWidth, &OptionValues::appletWidth, "AppletWidth"},
    {kKwAppletHeight, &OptionValues::appletHeight, "AppletHeight"},
    {kKwAppletSprite, &OptionValues::appletSprite, "AppletSprite"},
    {kKwAppletPage, &OptionValues::appletPage, "AppletPage"},
    {kKwReservedWidth, &OptionValues::reservedWidth, "ReservedWidth"},
    {kKwReservedHeight, &OptionValues::reservedHeight, "ReservedHeight"},
};

int16_t Reject(TranslationContext& ctx, const Statement& s, const Message& message) {
  ReportErrorInLine(ctx, s.lineNumber, message);
  return 1;
}

int16_t RejectAt(TranslationContext& ctx, const Statement& s, const Token& token, const Message& message) {
  ReportErrorAt(ctx, s.lineNumber, token.column, message);
  return 1;
}

int16_t ProcessOptionLine(TranslationContext& ctx, const Statement& s) {
  OptionValues& options = ctx.options;
  const std::vector<Token>& t = s.tokens;
  const int16_t option = t.size() > 1 ? t[1].code : int16_t{0};
  switch (option) {
    case kKwBase:
      if (options.arrayBase != kOptionNotGiven) return Reject(ctx, s, Msg(kMsgOptionTwice, "Base"));
      if (t.size() != 3) return Reject(ctx, s, kMsgOptionBaseForm);
      if (t[2].text != "0" && t[2].text != "1") {
        return Reject(ctx, s, kMsgOptionBaseValue);
      }
      options.arrayBase = t[2].text == "1" ? 1 : 0;
      return 0;
    case kKwExplicit:
      if (options.explicitFlag != kOptionNotGiven) return Reject(ctx, s, Msg(kMsgOptionTwice, "Explicit"));
      if (t.size() != 2) return Reject(ctx, s, kMsgOptionExplicitForm);
      options.explicitFlag = 1;
      return 0;
    case kKwParameter: {
      if (t.size() != 5 || t[2].code != kTokString || t[3].code != kTokMinus || t[4].code != kTokString) {
        return Reject(ctx, s, kMsgOptionParameterForm);
      }
      // The page holds what the literals stand for, not how they are written.
      std::string name;
      std::string value;
      if (!StringLiteralValue(t[2].text, name)) return RejectAt(ctx, s, t[2], kMsgBadEscape);
      if (!StringLiteralValue(t[4].text, value)) return RejectAt(ctx, s, t[4], kMsgBadEscape);
      ctx.parameterNames.push_back(std::move(name));
      ctx.parameterValues.push_back(std::move(value));
      return 0;
    }
    default:
      break;
  }
  for (const SizeOption& size : kSizeOptions) {
    if (option != size.keyword) continue;
    int16_t& value = options.*size.value;
    if (value != kOptionNotGiven) return Reject(ctx, s, Msg(kMsgOptionTwice, size.name));
    const NumberClass number = t.size() == 4 && t[2].code == kTokEqual && t[3].code == kTokNumber
                                   ? ClassifyNumber(t[3].text)
                                   : NumberClass{{}, 0, true};
    if (!IsInt32Literal(number)) {
      return Reject(ctx, s, Msg(kMsgOptionSizeForm, size.name));
    }
    // The value is kept in 16 bits, where all bits set means "not given".
    const long long n = ParseWholeNumber(number.javaText).value_or(32768);
    if (n < 0 || n > 32767) return Reject(ctx, s, Msg(kMsgOptionSizeRange, size.name));
    value = static_cast<int16_t>(n);
    return 0;
  }
  return Reject(ctx, s, kMsgBadOption);
}

}  // namespace

int16_t ProcessOptions(TranslationContext& ctx) {
  ctx.options = OptionValues{};
  ctx.parameterNames.clear();
  ctx.parameterValues.clear();
  for (const Statement& s : ctx.statements) {
    if (s.area != kAreaOptions) break;
    if (ProcessOptionLine(ctx, s) != 0) return 1;
  }
  OptionValues& options = ctx.options;
  if (options.arrayBase == kOptionNotGiven) options.arrayBase = 0;
  if (options.explicitFlag == kOptionNotGiven) options.explicitFlag = 0;
  if (options.appletWidth == kOptionNotGiven) options.appletWidth = 640;
  if (options.appletHeight == kOptionNotGiven) options.appletHeight = 400;
  return 0;
}

}  // namespace corvel
