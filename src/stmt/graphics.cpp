// The graphics statements: one call each of the runtime's screen classes.
// Optional arguments are passed as "true," value or "false," placeholder;
// a starting point as a mode (0 absolute, 1 STEP, 2 LINE's last point) and
// the point, or as the image drawn into and the point.
#include <fmt/format.h>

#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "diag/error_report.h"
#include "diag/messages.h"
#include "expr/expression.h"
#include "expr/value_conversion.h"
#include "source/token_codes.h"
#include "source/token_split.h"
#include "stmt/statement_helpers.h"
#include "stmt/statement_translators.h"
#include "symbols/type_codes.h"

namespace corvel {
namespace {

// A graphics statement being read: its tokens and the position p, which
// starts after the keyword. Past the last token the statement has ended.
struct Graphic {
  TranslationContext& ctx;
  int16_t i;
  std::string_view name;  // "Line", "Circle", ... for the usage message
  size_t p = 1;

  const Statement& S() const { return At(ctx, i); }
  bool End() const { return p >= S().tokens.size(); }
  int16_t Code() const { return End() ? int16_t{0} : S().tokens[p].code; }
  int Column(size_t k) const {
    const std::vector<Token>& t = S().tokens;
    return k < t.size() ? t[k].column : t.back().column + t.back().length;
  }
  int16_t Fail(size_t k, const Message& message) const { return FailAt(ctx, S().lineNumber, Column(k), message); }
  int16_t Misuse() const { return Fail(p, Msg(kMsgGraphicMisuse, name)); }
};

// Converts an argument's text to `target`: an int (checked at run time when
// a LONGLONG, SINGLE or DOUBLE must fit), a double, a string or an image.
bool Convert(std::string& java, int16_t type, int16_t extra, int16_t target) {
  if (target == kValueLong) return ConvertChecked(java, type, target, kCheckArgument) == 0;
  return ConvertValue(java, type, extra, target, -1) == 0;
}

// One argument from p up to the next "," outside parentheses, a ")" that
// closes none, or the end, converted to `target`; p is left at its last
// token.
int16_t ReadGraphicArgument(Graphic& g, int16_t target, std::string& text) {
  const auto first = static_cast<int>(g.p);
  const std::vector<Token>& t = g.S().tokens;
  const TokenPiece argument =
      SplitTokens(t, first, static_cast<int>(t.size()), kTokComma, Parentheses::kCloseEnds).front();
  if (argument.Empty() || argument.open) return g.Fail(first, kMsgGraphicArgument);
  int16_t type = 0;
  int16_t extra = 0;
  if (TranslateExpression(g.ctx, g.i, static_cast<int16_t>(first), static_cast<int16_t>(argument.end - 1), text, type,
                          extra) != 0) {
    return 1;
  }
  if (!Convert(text, type, extra, target)) return g.Fail(first, kMsgGraphicArgument);
  g.p = argument.end - 1;
  return 0;
}

// ( x , y ) from the "(" at p: "x,y" as ints; p is left at the ")". What
// follows the first "," is y, a second "," too: y's translation reports it.
int16_t ReadGraphicPoint(Graphic& g, std::string& text) {
  const auto open = static_cast<int>(g.p);
  const std::vector<Token>& t = g.S().tokens;
  const auto count = static_cast<int>(t.size());
  const std::vector<TokenPiece> parts = SplitTokens(t, open + 1, count, kTokComma, Parentheses::kCloseEnds);
  const int close = parts.back().end;
  if (parts.size() < 2 || parts[0].Empty() || close == count) return g.Fail(open + 1, kMsgGraphicArgument);
  if (parts[1].first == close) return g.Fail(close, kMsgGraphicArgument);
  std::string x, y;
  for (auto [first, last, out] :
       {std::tuple{open + 1, parts[0].end - 1, &x}, std::tuple{parts[1].first, close - 1, &y}}) {
    int16_t type = 0;
    int16_t extra = 0;
    if (TranslateExpression(g.ctx, g.i, static_cast<int16_t>(first), static_cast<int16_t>(last), *out, type, extra) != 0) {
      return 1;
    }
    if (!Convert(*out, type, extra, kValueLong)) return g.Fail(first, kMsgGraphicArgument);
  }
  text = x + "," + y;
  g.p = close;
  return 0;
}

// The starting point: "0," point, STEP: "1," point, or an image and its
// point. p is left at the point's ")".
int16_t StartPoint(Graphic& g, std::string& text) {
  std::string point;
  if (g.Code() == kTokLParen) {
    if (ReadGraphicPoint(g, point) != 0) return 1;
    text = "0," + point;
    return 0;
  }
  if (g.Code() == kKwStep) {
    ++g.p;
    if (g.Code() != kTokLParen) return g.Misuse();
    if (ReadGraphicPoint(g, point) != 0) return 1;
    text = "1," + point;
    return 0;
  }
  std::string image;
  if (g.End()) return g.Misuse();
  if (ReadGraphicArgument(g, kTypeImage, image) != 0) return 1;
  ++g.p;
  if (g.Code() != kTokComma) return g.Misuse();
  ++g.p;
  if (g.Code() != kTokLParen) return g.Misuse();
  if (ReadGraphicPoint(g, point) != 0) return 1;
  text = image + "," + point;
  return 0;
}

// An optional argument at p: ",true," value (p left after it), or
// ",false,0" when the position is empty.
int16_t Optional(Graphic& g, int16_t target, std::string& text) {
  if (g.End() || g.Code() == kTokComma) {
    text += ",false,0";
    return 0;
  }
  std::string value;
  if (ReadGraphicArgument(g, target, value) != 0) return 1;
  text += ",true," + value;
  ++g.p;
  return 0;
}

int16_t Finish(Graphic& g, std::string text) {
  Finish(At(g.ctx, g.i), std::move(text));
  return 0;
}

// From the token at p past the "," that must follow it.
int16_t AfterComma(Graphic& g) {
  ++g.p;
  if (g.Code() != kTokComma) return g.Misuse();
  ++g.p;
  return 0;
}

// From the token at p: the end of the statement (no colour), or "," and a
// colour that ends it.
int16_t LastColour(Graphic& g, std::string& colour) {
  ++g.p;
  if (g.End()) return 0;
  if (g.Code() != kTokComma) return g.Misuse();
  ++g.p;
  if (ReadGraphicArgument(g, kValueLong, colour) != 0) return 1;
  ++g.p;
  return g.End() ? 0 : g.Misuse();
}

bool IsWord(const Graphic& g, std::string_view word) { return g.Code() == kTokIdentifier && g.S().tokens[g.p].text == word; }

// The argument at p is the last: the statement must end behind it.
int16_t FinishAfterLast(Graphic& g, const std::string& text) {
  ++g.p;
  if (!g.End()) return g.Misuse();
  return Finish(g, text + ");");
}

}  // namespace

// SCREEN [a] [, [b] [, [c] [, [d]]]]
int16_t TranslateScreen(TranslationContext& ctx, int16_t i) {
  Graphic g{ctx, i, "Screen"};
  std::string text = "KWC_Screen.KW_screen(";
  for (int n = 0;; ) {
    std::string argument;
    if (Optional(g, kValueLong, argument) != 0) return 1;
    text += n == 0 ? argument.substr(1) : argument;  // the first without its ","
    ++n;
    if (n == 4) {
      if (!g.End()) return g.Fail(0, Msg(kMsgGraphicMisuse, g.name));
      break;
    }
    if (g.End()) {
      for (; n < 4; ++n) text += ",false,0";
      break;
    }
    if (g.Code() != kTokComma) return g.Fail(g.p, kMsgGraphicArgument);
    ++g.p;
  }
  return Finish(g, text + ");");
}

// LINE [start] - [STEP] (x2, y2) [, [colour] [, B | BF]]
int16_t TranslateLine(TranslationContext& ctx, int16_t i) {
  Graphic g{ctx, i, "Line"};
  std::string text = "KWC_GraphicScreen.KW_line(";
  std::string start;
  if (g.Code() == kTokMinus) {
    start = "2,0,0";
  } else {
    if (StartPoint(g, start) != 0) return 1;
    ++g.p;
    if (g.Code() != kTokMinus) return g.Misuse();
  }
  ++g.p;
  std::string end;
  const bool step = g.Code() == kKwStep;
  if (step) ++g.p;
  if (g.Code() != kTokLParen) return g.Misuse();
  if (ReadGraphicPoint(g, end) != 0) return 1;
  text += start + (step ? ",1," : ",0,") + end;
  ++g.p;
  if (g.End()) return Finish(g, text + ",false,0,0);");
  if (g.Code() != kTokComma) return g.Misuse();
  ++g.p;
  if (Optional(g, kValueLong, text) != 0) return 1;
  if (g.End()) return Finish(g, text + ",0);");
  if (g.Code() != kTokComma) return g.Misuse();
  ++g.p;
  const std::string_view box = IsWord(g, "B") ? ",1" : IsWord(g, "BF") ? ",2" : "";
  if (box.empty()) return g.Fail(g.p, kMsgBoxMode);
  return FinishAfterLast(g, text + std::string(box));
}

// PSET start [, colour]: a line of length 0 from the point
int16_t TranslatePset(TranslationContext& ctx, int16_t i) {
  Graphic g{ctx, i, "Pset"};
  std::string start;
  if (StartPoint(g, start) != 0) return 1;
  std::string colour;
  if (LastColour(g, colour) != 0) return 1;
  const std::string text = "KWC_GraphicScreen.KW_line(" + start + ",1,0,0";
  return Finish(g, text + (colour.empty() ? ",false,0,0);" : ",true," + colour + ",0);"));
}

// CIRCLE centre, radius [, [colour] [, [start] [, [end] [, [aspect] [, F | N]]]]]
int16_t TranslateCircle(TranslationContext& ctx, int16_t i) {
  Graphic g{ctx, i, "Circle"};
  std::string start;
  if (StartPoint(g, start) != 0 || AfterComma(g) != 0) return 1;
  std::string radius;
  if (ReadGraphicArgument(g, kValueLong, radius) != 0) return 1;
  std::string text = "KWC_GraphicScreen.KW_circle(" + start + "," + radius;
  ++g.p;
  constexpr int16_t kTargets[] = {kValueLong, kValueDouble, kValueDouble, kValueDouble};  // colour, angles, aspect
  for (size_t n = 0; n < std::size(kTargets); ++n) {
    if (g.End()) {
      for (; n < std::size(kTargets); ++n) text += ",false,0";
      return Finish(g, text + ",0);");
    }
    if (g.Code() != kTokComma) return g.Misuse();
    ++g.p;
    if (Optional(g, kTargets[n], text) != 0) return 1;
  }
  if (g.End()) return Finish(g, text + ",0);");
  if (g.Code() != kTokComma) {
    ReportSyntaxErrorInLine(ctx, g.S().lineNumber);
    return 1;
  }
  ++g.p;
  const std::string_view fill = IsWord(g, "F") ? ",1" : IsWord(g, "N") ? ",0" : "";
  if (fill.empty()) return g.Misuse();
  return FinishAfterLast(g, text + std::string(fill));
}

// PAINT start [, [paint colour], border colour]
int16_t TranslatePaint(TranslationContext& ctx, int16_t i) {
  Graphic g{ctx, i, "Paint"};
  std::string start;
  if (StartPoint(g, start) != 0) return 1;
  std::string text = "KWC_GraphicScreen.KW_paint(" + start;
  ++g.p;
  if (g.End()) return Finish(g, text + ",false,0,false,0);");
  if (g.Code() != kTokComma) return g.Misuse();
  ++g.p;
  if (Optional(g, kValueLong, text) != 0) return 1;
  if (g.Code() != kTokComma) return g.Misuse();
  ++g.p;
  std::string border;
  if (ReadGraphicArgument(g, kValueLong, border) != 0) return 1;
  return FinishAfterLast(g, text + ",true," + border);
}

namespace {

// "(" or STEP "(": the mode and the point; p left at the ")".
int16_t ModePoint(Graphic& g, std::string& text) {
  const bool step = g.Code() == kKwStep;
  if (step) ++g.p;
  if (g.Code() != kTokLParen) return g.Misuse();
  std::string point;
  if (ReadGraphicPoint(g, point) != 0) return 1;
  text = (step ? "1," : "0,") + point;
  return 0;
}

// The image after the "," at p: an image variable, or for PUT also an
// image value.
int16_t ImageAfterComma(Graphic& g, bool value_too, std::string& text) {
  const size_t comma = g.p;
  const size_t count = g.S().tokens.size();
  int16_t type = 0;
  int16_t extra = 0;
  if (comma + 1 >= count ||
      TranslateExpression(g.ctx, g.i, static_cast<int16_t>(comma + 1), static_cast<int16_t>(count - 1), text, type,
                          extra) != 0) {
    if (comma + 1 < count) return 1;
    return g.Fail(comma, kMsgNeedImageVariable);
  }
  if (type != kTypeImage && !(value_too && type == kValueImage)) return g.Fail(comma, kMsgNeedImageVariable);
  return 0;
}

}  // namespace

// GET [STEP] (x1, y1) - [STEP] (x2, y2), image
int16_t TranslateGet(TranslationContext& ctx, int16_t i) {
  Graphic g{ctx, i, "Get"};
  std::string first, second, image;
  if (ModePoint(g, first) != 0) return 1;
  ++g.p;
  if (g.Code() != kTokMinus) return g.Misuse();
  ++g.p;
  if (ModePoint(g, second) != 0) return 1;
  ++g.p;
  if (g.Code() != kTokComma) return g.Misuse();
  if (ImageAfterComma(g, false, image) != 0) return 1;
  return Finish(g, "KWC_GraphicScreen.KW_get(" + first + "," + second + "," + image + ");");
}

// PUT [STEP] (x, y), image
int16_t TranslatePut(TranslationContext& ctx, int16_t i) {
  Graphic g{ctx, i, "Put"};
  std::string point, image;
  if (ModePoint(g, point) != 0) return 1;
  ++g.p;
  if (g.Code() != kTokComma) return g.Misuse();
  if (ImageAfterComma(g, true, image) != 0) return 1;
  return Finish(g, "KWC_GraphicScreen.KW_put(" + point + "," + image + ");");
}

// DRAWSTR start, text [, colour]
int16_t TranslateDrawStr(TranslationContext& ctx, int16_t i) {
  Graphic g{ctx, i, "DrawStr"};
  std::string start;
  if (StartPoint(g, start) != 0 || AfterComma(g) != 0) return 1;
  std::string text_value, colour;
  if (ReadGraphicArgument(g, kValueString, text_value) != 0 || LastColour(g, colour) != 0) return 1;
  const std::string text = "KWC_GraphicScreen.KW_drawStr(" + start + "," + text_value;
  return Finish(g, text + (colour.empty() ? ",false,-1);" : ",true," + colour + ");"));
}

}  // namespace corvel
