#include "source/lexer.h"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "diag/messages.h"
#include "source/text_encoding.h"
#include "source/token_codes.h"
#include "source/token_split.h"

namespace corvel {
namespace {

// The column half of the fault that rejects a line; false, for the caller
// to return.
bool FailAtColumn(Fault& fault, int column, const Message& message, std::optional<Message> second = std::nullopt) {
  fault.column = column;
  fault.message = message;
  fault.second = std::move(second);
  return false;
}

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string AsciiUpper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = Upper(c);
  return out;
}

// ---------------------------------------------------------------------------
// Scanning: characters to tokens. The scan walks the UTF-8 bytes: every
// character of the syntax is ASCII, and the other characters can only stand
// inside string literals. Columns count characters.

class TokenScanner {
 public:
  TokenScanner(std::string_view s, std::vector<Token>& tokens, Fault& fault)
      : s_(s), tokens_(tokens), fault_(fault) {}

  bool Scan() {
    size_t i = 0;
    while (i < s_.size()) {
      const char c = s_[i];
      bool ok = true;
      if (c == ' ') {
        ++i;
        continue;
      } else if (c == '"') {
        ok = ScanString(i);
      } else if (IsLetter(c) || c == '_') {
        ok = ScanWord(i);
      } else if (c == '&') {
        ok = ScanAmpersand(i);
      } else if (IsDigit(c) || (c == '.' && i + 1 < s_.size() && IsDigit(s_[i + 1]))) {
        ok = ScanDecimal(i);
      } else if (int16_t code = SingleCharCode(static_cast<unsigned char>(c)); code != 0) {
        ok = Push(code, i, i + 1, std::string(1, c));
        ++i;
      } else {
        ok = Fail(i, kMsgBadCharacter);
      }
      if (!ok) return false;
    }
    return true;
  }

 private:
  // The 1-based column of the character at byte `pos`. Positions are asked
  // for in increasing order, so the count goes on from the last answer.
  int ColumnAt(size_t pos) {
    for (; counted_bytes_ < pos; ++counted_bytes_) {
      counted_chars_ += (static_cast<unsigned char>(s_[counted_bytes_]) & 0xC0) != 0x80;
    }
    return counted_chars_ + 1;
  }

  bool Fail(size_t pos, const Message& message, std::optional<Message> second = std::nullopt) {
    return FailAtColumn(fault_, ColumnAt(pos), message, std::move(second));
  }

  // A token over the bytes [pos, end).
  bool Push(int16_t code, size_t pos, size_t end, std::string text) {
    if (tokens_.size() >= static_cast<size_t>(kMaxTokensPerLine)) {
      return Fail(pos, Msg(kMsgTooManyTokens, kMaxTokensPerLine));
    }
    const int column = ColumnAt(pos);
    const int length = ColumnAt(end) - column;
    tokens_.push_back(Token{code, static_cast<int16_t>(column), static_cast<int16_t>(length), std::move(text)});
    return true;
  }

  // "..." up to the first quote that no backslash escapes: a backslash
  // escapes the character after it, so "\\" ends in a quote. The text keeps
  // the quotes, the case and every backslash sequence as written.
  bool ScanString(size_t& i) {
    if (i == 0) return Fail(i, kMsgStringMisplaced);
    size_t j = i + 1;
    while (j < s_.size() && s_[j] != '"') j += s_[j] == '\\' ? 2 : 1;
    if (j >= s_.size()) return Fail(i, kMsgStringUnterminated);
    const size_t start = i;
    i = j + 1;
    return Push(kTokString, start, i, std::string(s_.substr(start, i - start)));
  }

  bool ScanWord(size_t& i) {
    size_t j = i + 1;
    while (j < s_.size() && (IsLetter(s_[j]) || IsDigit(s_[j]) || s_[j] == '_')) ++j;
    std::string word = AsciiUpper(s_.substr(i, j - i));
    int16_t code = kTokIdentifier;
    LookupKeyword(word, static_cast<int>(j - i), code);
    const size_t start = i;
    // Everything after REM is the remark, as after an apostrophe.
    i = code == kKwRem ? s_.size() : j;
    return Push(code, start, j, std::move(word));
  }

  bool ScanAmpersand(size_t& i) {
    const char next = i + 1 < s_.size() ? Upper(s_[i + 1]) : '\0';
    // Directly behind a name, "&" is the name's type suffix.
    const bool suffix = !tokens_.empty() && tokens_.back().code == kTokIdentifier &&
                        tokens_.back().column + tokens_.back().length == ColumnAt(i);
    if (!suffix && next == 'H') return ScanRadix(i, 16);
    if (!suffix && (next == 'O' || IsOctalDigit(next))) return ScanRadix(i, 8);
    ++i;
    return Push(kTokAmpersand, i - 1, i, "&");
  }

  // &H... and &O... / &<octal digit>..., with up to two "&" type suffixes.
  bool ScanRadix(size_t& i, int radix) {
    const size_t start = i;
    size_t j = i + 1;
    if (Upper(s_[j]) == 'H' || Upper(s_[j]) == 'O') ++j;
    const size_t digits_start = j;
    while (j < s_.size() && (radix == 16 ? IsHexDigit(s_[j]) : IsOctalDigit(s_[j]))) ++j;
    const std::string digits = AsciiUpper(s_.substr(digits_start, j - digits_start));
    if (digits.empty()) return Fail(start, kMsgNumberIncomplete);
    int suffixes = 0;
    while (suffixes < 2 && j < s_.size() && s_[j] == '&') {
      ++suffixes;
      ++j;
    }
    i = j;
    const size_t n = digits.size();
    const char first = digits[0];
    std::string text;
    std::optional<MessageText> range;
    if (radix == 16) {
      switch (suffixes) {
        case 0:
          if (n > 4) range = kMsgHexIntegerRange;
          else text = (n == 4 && first >= '8' ? "(short)0x" : "0x") + digits;
          break;
        case 1:
          if (n > 8) range = kMsgHexLongRange;
          else text = "0x" + digits;
          break;
        default:
          if (n > 16) range = kMsgHexLonglongRange;
          else text = "0x" + digits + "L";
          break;
      }
    } else {
      switch (suffixes) {
        case 0:
          if (n <= 5) text = "0" + digits;
          else if (n == 6 && first <= '1') text = "(short)0" + digits;
          else range = kMsgOctalIntegerRange;
          break;
        case 1:
          if (n <= 10 || (n == 11 && first <= '3')) text = "0" + digits;
          else range = kMsgOctalLongRange;
          break;
        default:
          if (n <= 21 || (n == 22 && first <= '1')) text = "0" + digits + "L";
          else range = kMsgOctalLonglongRange;
          break;
      }
    }
    if (range) return Fail(start, kMsgNumberOverflow, *range);
    return Push(suffixes == 2 ? kTokHexOctalLonglong : kTokHexOctal, start, j, std::move(text));
  }

  // Decimal and real literals: 12, 1.5, .5, 1E3, 1.5D-3; the text as written,
  // upper-cased.
  bool ScanDecimal(size_t& i) {
    enum State { kInteger, kFraction, kExponent, kExponentSign, kExponentDigits };
    const size_t start = i;
    if (s_[i] == '0' && i + 1 < s_.size() && s_[i + 1] == '0') {
      return Fail(start, kMsgNumberIncomplete, kMsgLeadingZeros);
    }
    State state = kInteger;
    size_t j = i;
    for (; j < s_.size(); ++j) {
      const char c = Upper(s_[j]);
      if (IsDigit(c)) {
        if (state == kExponent || state == kExponentSign) state = kExponentDigits;
      } else if (c == '.') {
        if (state != kInteger) return Fail(start, kMsgRealIncomplete);
        state = kFraction;
      } else if (c == 'E' || c == 'D') {
        if (state != kInteger && state != kFraction) return Fail(start, kMsgRealIncomplete);
        state = kExponent;
      } else if ((c == '+' || c == '-') && state == kExponent) {
        state = kExponentSign;
      } else {
        break;
      }
    }
    if (state == kExponent || state == kExponentSign) return Fail(start, kMsgRealIncomplete);
    i = j;
    return Push(kTokNumber, start, j, AsciiUpper(s_.substr(start, j - start)));
  }

  std::string_view s_;
  std::vector<Token>& tokens_;
  Fault& fault_;
  size_t counted_bytes_ = 0;
  int counted_chars_ = 0;
};

// ---------------------------------------------------------------------------
// Cutting: tokens to statement records.

// Keywords that may only open a statement (or, for the declaration family,
// only a line): anywhere else they reject the line.
bool IsStatementKeyword(int16_t code) {
  switch (code) {
    case kKwIf: case kKwElse: case kKwElseIf: case kKwEndIf: case kKwSelect: case kKwCase:
    case kKwCaseElse: case kKwEndSelect: case kKwEnd: case kKwDo: case kKwWhile: case kKwLoop:
    case kKwWend: case kKwExit: case kKwFor: case kKwNext: case kKwOption: case kKwType:
    case kKwStatic: case kKwPublic: case kKwPrivate: case kKwFunction: case kKwSub:
      return true;
    default:
      return false;
  }
}

class StatementCutter {
 public:
  StatementCutter(TranslationContext& ctx, std::vector<Token>& tokens, int16_t line_number,
                  Fault& fault)
      : ctx_(ctx), t_(tokens), line_(line_number), fault_(fault) {}

  bool Cut() {
    int i = 0;
    while (i < Count()) {
      if (t_[i].code == kTokColon) {
        ++i;
        continue;
      }
      if (!CutStatement(i)) return false;
    }
    return true;
  }

 private:
  int Count() const { return static_cast<int>(t_.size()); }
  int16_t Code(int j) const { return j < Count() ? t_[j].code : int16_t{0}; }
  // The code of the token after j as the second word of a keyword pair
  // (END IF, CASE ELSE, ...): the token appended behind a one-line IF and
  // that IF's ELSE belong to the IF, so they pair with nothing.
  int16_t PairCode(int j) const {
    const int k = j + 1;
    if (k == appended_ || (InOneLineIf(k) && Code(k) == kKwElse)) return 0;
    return Code(k);
  }
  bool InOneLineIf(int j) const { return one_line_then_ >= 0 && j > one_line_then_; }

  // Whether token j ends the statement in front of it: the end of the line,
  // ":", the token appended behind a one-line IF, or that IF's ELSE.
  bool IsEnd(int j) const {
    return j >= Count() || t_[j].code == kTokColon || j == appended_ ||
           (t_[j].code == kKwElse && InOneLineIf(j));
  }
  int FindEnd(int j) const {
    while (!IsEnd(j)) ++j;
    return j;
  }
  // The column where a missing part was expected: the token standing there,
  // or the keyword that asks for it when the line ends first.
  int MissingColumn(int j, int keyword) const {
    return (j < Count() && j != appended_) ? t_[j].column : t_[keyword].column;
  }

  bool Fail(int column, const Message& message, std::optional<Message> second = std::nullopt) {
    return FailAtColumn(fault_, column, message, std::move(second));
  }

  bool Append(int first, int last, int16_t kind) {
    return AppendFrom(std::span<const Token>(t_), first, last, kind);
  }
  // Statement indexes are 16-bit: the table cannot grow past kMaxStatements.
  bool RoomForRecord(int column) {
    if (ctx_.statements.size() < static_cast<size_t>(kMaxStatements)) return true;
    return Fail(column, Msg(kMsgTooManyStatements, kMaxStatements));
  }
  bool AppendFrom(std::span<const Token> tokens, int first, int last, int16_t kind) {
    if (!RoomForRecord(tokens[static_cast<size_t>(first)].column)) return false;
    AddStatement(ctx_, tokens, first, last, line_, kind);
    after_label_ = kind == kKindStarLabel || kind == kKindLineNumberLabel;
    return true;
  }

  // The name of the keyword construct that starts at token j, as the
  // messages spell it: "ELSE IF", "END SELECT", "PUBLIC SUB", "DO WHILE", ...
  std::string ConstructName(int j) const {
    const int16_t code = t_[j].code;
    const int16_t next = PairCode(j);
    auto two = [&](std::initializer_list<int16_t> followers) {
      for (int16_t f : followers) {
        if (next == f) return fmt::format("{} {}", KeywordText(code), KeywordText(f));
      }
      return std::string(KeywordText(code));
    };
    switch (code) {
      case kKwElse: return two({kKwIf});
      case kKwSelect: return two({kKwCase});
      case kKwCase: return two({kKwElse});
      case kKwEnd: return two({kKwIf, kKwSelect, kKwFunction, kKwSub, kKwType});
      case kKwDo: case kKwLoop: return two({kKwWhile, kKwUntil});
      case kKwExit: return two({kKwFor, kKwDo, kKwFunction, kKwSub});
      case kKwPublic: case kKwPrivate: return two({kKwFunction, kKwSub});
      default: return std::string(KeywordText(code));
    }
  }

  // The construct at j stands where it may not; `label_in_front` when only a
  // label before it is wrong.
  bool Misplaced(int j, bool label_in_front = false) {
    const std::string name = ConstructName(j);
    return Fail(t_[j].column, label_in_front ? Msg(kMsgLabelBeforeKeyword, name) : Msg(kMsgKeywordMisuse, name));
  }

  // Every token of [from, to) must be allowed inside a statement.
  bool CheckInside(int from, int to) {
    for (int j = from; j < to; ++j) {
      if (IsStatementKeyword(t_[j].code)) return Misplaced(j);
    }
    return true;
  }

  // A keyword that must stand alone: ":" or the end of the line follows.
  // Only END and the EXIT forms may also end a one-line IF's THEN or ELSE
  // part, where the IF's ELSE or the token appended behind it follows.
  bool Alone(int keyword, int next, bool may_end_one_line_part = false) {
    const bool alone = may_end_one_line_part ? IsEnd(next)
                                             : next != appended_ && (next >= Count() || t_[next].code == kTokColon);
    return alone ? true : Misplaced(keyword);
  }

  // A kind-3 record for the non-empty range [from, to).
  bool ExpressionPart(int from, int to) {
    return CheckInside(from, to) && Append(from, to - 1, kKindExpression);
  }

  // head tokens [i, i + head_length), then a condition up to the end of the statement.
  bool HeadWithCondition(int& i, int head_length, int16_t kind, const Message& empty_message) {
    const int from = i + head_length;
    const int to = FindEnd(from);
    if (from >= to) return Fail(MissingColumn(from, from - 1), empty_message);
    if (!Append(i, from - 1, kind) || !ExpressionPart(from, to)) return false;
    i = to;
    return true;
  }

  bool CutStatement(int& i) {
    if (i == appended_) {
      if (!Append(i, i, kKindEndIf)) return false;
      i = Count();
      return true;
    }
    switch (t_[i].code) {
      case kTokStar: return CutStarLabel(i);
      case kTokNumber:
        if (i == 0) return CutLineNumber(i);
        break;
      case kKwOption: case kKwType: case kKwStatic: case kKwPublic: case kKwPrivate:
      case kKwFunction: case kKwSub:
        return CutWholeLine(i);
      case kKwIf: return CutIf(i);
      case kKwElseIf: return CutElseIf(i, 1, "ELSEIF");
      case kKwElse:
        if (InOneLineIf(i)) return Single(i, 1, kKindElse);
        if (PairCode(i) == kKwIf) return CutElseIf(i, 2, "ELSE IF");
        if (i + 1 < Count()) {
          return Fail(t_[i + 1].column, kMsgCodeAfterElse);
        }
        return Single(i, 1, kKindElse);
      case kKwEndIf: return Alone(i, i + 1) && Single(i, 1, kKindEndIf);
      case kKwSelect:
        if (PairCode(i) != kKwCase) return Misplaced(i);
        return HeadWithCondition(i, 2, kKindSelectCase, kMsgNoSelector);
      case kKwCase:
        if (PairCode(i) == kKwElse) return Alone(i, i + 2) && Single(i, 2, kKindCaseElse);
        return HeadWithCondition(i, 1, kKindCase, kMsgNoCaseList);
      case kKwCaseElse: return Alone(i, i + 1) && Single(i, 1, kKindCaseElse);
      case kKwEndSelect: return Alone(i, i + 1) && Single(i, 1, kKindEndSelect);
      case kKwEnd: return CutEnd(i);
      case kKwDo:
      case kKwLoop: return CutDoLoop(i);
      case kKwWhile: return HeadWithCondition(i, 1, kKindWhile, Msg(kMsgNoBlockCondition, "WHILE"));
      case kKwWend: return Alone(i, i + 1) && Single(i, 1, kKindWend);
      case kKwExit: return CutExit(i);
      case kKwFor: return CutFor(i);
      case kKwNext: return CutNext(i);
      default: break;
    }
    // An ordinary statement, up to ":" or the end of the line.
    const int end = FindEnd(i);
    if (!CheckInside(i, end) || !Append(i, end - 1, kKindOrdinary)) return false;
    i = end;
    return true;
  }

  // A record of `length` tokens from i.
  bool Single(int& i, int length, int16_t kind) {
    if (!Append(i, i + length - 1, kind)) return false;
    i += length;
    return true;
  }

  bool AddLabel(const std::string& text, int column, const Message& duplicate_message) {
    const auto label_index = static_cast<int16_t>(ctx_.labels.size());
    if (!ctx_.labelIndex.try_emplace(text, label_index).second) return Fail(column, duplicate_message);
    ctx_.labels.push_back(Label{text, static_cast<int16_t>(ctx_.statements.size())});
    return true;
  }

  // *NAME, then ":" or the end of the line.
  bool CutStarLabel(int& i) {
    if (i + 1 >= Count() || i + 1 == appended_ || t_[i + 1].code != kTokIdentifier) {
      return Fail(MissingColumn(i + 1, i), kMsgBadLabelName);
    }
    if (!RoomForRecord(t_[i].column) || !AddLabel(t_[i + 1].text, t_[i + 1].column, kMsgDuplicateLabel)) {
      return false;
    }
    if (!IsEnd(i + 2)) return Fail(t_[i + 2].column, kMsgBadLabel);
    return Single(i, 2, kKindStarLabel);
  }

  bool CutLineNumber(int& i) {
    if (!RoomForRecord(t_[i].column) || !AddLabel(t_[i].text, t_[i].column, kMsgDuplicateLineNumber)) return false;
    return Single(i, 1, kKindLineNumberLabel);
  }

  // OPTION, TYPE, STATIC, PUBLIC, PRIVATE, FUNCTION and SUB own their line.
  bool CutWholeLine(int& i) {
    if (i != 0) return Misplaced(i, after_label_);
    const int16_t next = Code(1);
    int16_t kind = 0;
    switch (t_[0].code) {
      case kKwOption: kind = kKindOption; break;
      case kKwType: kind = kKindType; break;
      case kKwStatic: kind = kKindStatic; break;
      case kKwFunction: kind = kKindFunction; break;
      case kKwSub: kind = kKindSub; break;
      case kKwPublic:
        kind = next == kKwFunction ? kKindFunction : next == kKwSub ? kKindSub : kKindPublic;
        break;
      default:  // PRIVATE
        kind = next == kKwFunction ? kKindPrivateFunction
               : next == kKwSub    ? kKindPrivateSub
                                   : kKindPrivate;
        break;
    }
    return Single(i, Count(), kind);
  }

  // IF cond THEN, and the one-line IF: IF cond THEN stmt [: stmt] [ELSE stmt].
  bool CutIf(int& i) {
    const int end = FindEnd(i + 1);
    int then = i + 1;
    while (then < end && t_[then].code != kKwThen) ++then;
    if (then >= end) {
      return Fail(t_[i].column, Msg(kMsgNoThenOnLine, "IF"));
    }
    if (then == i + 1) return Fail(t_[then].column, Msg(kMsgNoBlockCondition, "IF"));
    if (!CheckInside(i + 1, then)) return false;
    if (then + 1 < Count()) {
      for (int j = then + 1; j < Count(); ++j) {
        switch (t_[j].code) {
          case kKwIf:
          case kKwElseIf:
          case kKwEndIf: return Fail(t_[j].column, Msg(kMsgKeywordInOneLineIf, KeywordText(t_[j].code)));
          default: break;
        }
      }
      // The appended token closes the one-line IF as an END IF record would.
      const Token& last = t_.back();
      t_.push_back(Token{kKwEndIf, static_cast<int16_t>(last.column + last.length), 0, ""});
      appended_ = Count() - 1;
      one_line_then_ = then;
    }
    if (!Append(i, i, kKindIf) || !Append(i + 1, then - 1, kKindExpression) ||
        !Append(then, then, kKindThen)) {
      return false;
    }
    i = then + 1;
    return true;
  }

  // ELSEIF cond THEN / ELSE IF cond THEN, nothing after THEN.
  bool CutElseIf(int& i, int head_length, std::string_view name) {
    const int from = i + head_length;
    const int end = FindEnd(from);
    int then = from;
    while (then < end && t_[then].code != kKwThen) ++then;
    if (then >= end) {
      return Fail(t_[i].column, Msg(kMsgNoThenOnLine, name));
    }
    if (then == from) return Fail(t_[then].column, Msg(kMsgNoBlockCondition, name));
    if (then + 1 < Count()) {
      return Fail(t_[then + 1].column, Msg(kMsgCodeAfterThen, name));
    }
    if (!CheckInside(from, then) || !Append(i, from - 1, kKindElseIf) ||
        !Append(from, then - 1, kKindExpression) || !Append(then, then, kKindThen)) {
      return false;
    }
    i = then + 1;
    return true;
  }

  bool CutEnd(int& i) {
    switch (PairCode(i)) {
      case kKwIf: return Alone(i, i + 2) && Single(i, 2, kKindEndIf);
      case kKwSelect: return Alone(i, i + 2) && Single(i, 2, kKindEndSelect);
      case kKwFunction:
      case kKwSub:
      case kKwType: {
        // END FUNCTION, END SUB and END TYPE own their line like their heads.
        if (i != 0) return Misplaced(i, after_label_);
        const int16_t kind = Code(i + 1) == kKwFunction ? kKindEndFunction
                             : Code(i + 1) == kKwSub    ? kKindEndSub
                                                        : kKindEndType;
        return Alone(i, i + 2) && Single(i, 2, kind);
      }
      default:
        return Alone(i, i + 1, true) && Single(i, 1, kKindEnd);
    }
  }

  // DO, DO WHILE c, DO UNTIL c; LOOP, LOOP WHILE c, LOOP UNTIL c.
  bool CutDoLoop(int& i) {
    const bool is_do = t_[i].code == kKwDo;
    const int16_t next = PairCode(i);
    if (next == kKwWhile) {
      return HeadWithCondition(i, 2, is_do ? kKindDoWhile : kKindLoopWhile,
                               is_do ? Msg(kMsgNoBlockCondition, "DO WHILE")
                                     : Msg(kMsgNoStatementCondition, "LOOP WHILE"));
    }
    if (next == kKwUntil) {
      return HeadWithCondition(i, 2, is_do ? kKindDoUntil : kKindLoopUntil,
                               is_do ? Msg(kMsgNoBlockCondition, "DO UNTIL")
                                     : Msg(kMsgNoStatementCondition, "LOOP UNTIL"));
    }
    return Alone(i, i + 1) && Single(i, 1, is_do ? kKindDo : kKindLoop);
  }

  bool CutExit(int& i) {
    if (IsEnd(i + 1)) return Fail(t_[i].column, kMsgExitAlone);
    int16_t kind = 0;
    switch (t_[i + 1].code) {
      case kKwFor: kind = kKindExitFor; break;
      case kKwDo: kind = kKindExitDo; break;
      case kKwFunction: kind = kKindExitFunction; break;
      case kKwSub: kind = kKindExitSub; break;
      default: return Misplaced(i);
    }
    return Alone(i, i + 2, true) && Single(i, 2, kind);
  }

  // FOR var = start TO end [STEP step]
  bool CutFor(int& i) {
    const int end = FindEnd(i + 1);
    auto find = [&](int from, int16_t code) {
      while (from < end && t_[from].code != code) ++from;
      return from;
    };
    const int equal = find(i + 1, kTokEqual);
    if (equal >= end) return Fail(t_[i].column, kMsgBadFor);
    const int to = find(equal + 1, kKwTo);
    if (to >= end) return Fail(t_[i].column, kMsgBadFor);
    const int step = find(to + 1, kKwStep);
    if (equal == i + 1) return Fail(t_[equal].column, kMsgBadFor);
    if (to == equal + 1) return Fail(t_[to].column, kMsgBadFor);
    if (step == to + 1) return Fail(MissingColumn(to + 1, to), kMsgBadFor);
    if (step < end && end == step + 1) return Fail(MissingColumn(step + 1, step), kMsgBadFor);
    if (!Append(i, i, kKindFor) || !ExpressionPart(i + 1, equal) ||
        !ExpressionPart(equal + 1, to) || !Append(to, to, kKindForTo) ||
        !ExpressionPart(to + 1, step)) {
      return false;
    }
    if (step < end && (!Append(step, step, kKindForStep) || !ExpressionPart(step + 1, end))) {
      return false;
    }
    i = end;
    return true;
  }

  // NEXT [var [, var ...]]: NEXT I, J gives the records of NEXT I and NEXT J.
  // Only commas outside parentheses separate variables, so NEXT A(1, 2) names
  // one array element.
  bool CutNext(int& i) {
    const int end = FindEnd(i + 1);
    if (!Append(i, i, kKindNext)) return false;
    const std::vector<TokenPiece> variables =
        i + 1 < end ? SplitTokens(t_, i + 1, end, kTokComma, Parentheses::kNestSkipUnmatched)
                    : std::vector<TokenPiece>{};
    for (const TokenPiece& variable : variables) {
      // An empty name is reported at its comma: the one behind it, or for the last the one before.
      if (variable.Empty()) return Fail(t_[variable.end < end ? variable.end : variable.first - 1].column, kMsgBadNext);
      if (!ExpressionPart(variable.first, variable.end)) return false;
      if (variable.end == end) break;
      const Token next_token{kKwNext, t_[variable.end].column, 0, ""};
      if (!AppendFrom(std::span<const Token>(&next_token, 1), 0, 0, kKindNext)) return false;
    }
    i = end;
    return true;
  }

  TranslationContext& ctx_;
  std::vector<Token>& t_;
  const int16_t line_;
  Fault& fault_;
  int appended_ = -1;       // index of the token appended behind a one-line IF
  int one_line_then_ = -1;  // index of that IF's THEN
  bool after_label_ = false;
};

}  // namespace

// The shortest and longest keyword: a word outside these lengths is a name
// without a look in the table (most names of a program are one letter).
constexpr std::pair<int, int> KeywordLengths() {
  int shortest = 1000, longest = 0;
  for (const std::string_view text : {
#define CORVEL_KEYWORD(name, text, code) std::string_view(text),
#include "source/token_codes.def"
       }) {
    shortest = std::min(shortest, static_cast<int>(text.size()));
    longest = std::max(longest, static_cast<int>(text.size()));
  }
  return {shortest, longest};
}

void LookupKeyword(std::string_view word, int length, int16_t& code) {
  static const std::unordered_map<std::string_view, int16_t> kKeywords = {
#define CORVEL_KEYWORD(name, text, code) {text, code},
#include "source/token_codes.def"
  };
  static constexpr std::pair<int, int> kLengths = KeywordLengths();
  if (length < kLengths.first || length > kLengths.second) return;
  if (auto it = kKeywords.find(word); it != kKeywords.end()) code = it->second;
}

void AddStatement(TranslationContext& ctx, std::span<const Token> tokens, int first, int last,
                  int16_t line_number, int16_t kind) {
  Statement& s = ctx.statements.emplace_back();
  s.tokens.assign(tokens.begin() + first, tokens.begin() + last + 1);
  s.kind = kind;
  s.firstColumn = s.tokens.front().column;
  s.lineNumber = line_number;
  const Token& end = s.tokens.back();
  s.span = static_cast<int16_t>(end.column - s.firstColumn + end.length);
}

int16_t LexLine(TranslationContext& ctx, std::string& line, int16_t& line_number, Fault& fault) {
  bool ok;
  std::vector<Token>& tokens = ctx.lineTokens;
  tokens.clear();
  if (line.size() > static_cast<size_t>(kMaxLineLength) && CountChars(line) > static_cast<size_t>(kMaxLineLength)) {
    ok = FailAtColumn(fault, kMaxLineLength + 1, Msg(kMsgLineTooLong, kMaxLineLength));
  } else {
    ok = TokenScanner(line, tokens, fault).Scan() &&
         StatementCutter(ctx, tokens, line_number, fault).Cut();
  }
  return ok ? 0 : 1;
}

bool StringLiteralValue(std::string_view literal, std::string& value) {
  if (literal.size() < 2) return false;
  const std::string_view inner = literal.substr(1, literal.size() - 2);
  value.clear();
  for (size_t i = 0; i < inner.size(); ++i) {
    const char c = inner[i];
    if (c != '\\') {
      value += c;
      continue;
    }
    if (i + 1 >= inner.size()) return false;
    const char next = inner[i + 1];
    if (next == 'u') {
      size_t j = i + 1;
      while (j < inner.size() && inner[j] == 'u') ++j;
      if (j + 4 > inner.size()) return false;
      char32_t cp = 0;
      for (size_t k = j; k < j + 4; ++k) {
        const char h = inner[k];
        if (!std::isxdigit(static_cast<unsigned char>(h))) return false;
        cp = cp * 16 + static_cast<char32_t>(std::isdigit(static_cast<unsigned char>(h)) ? h - '0' : std::tolower(h) - 'a' + 10);
      }
      i = j + 3;
      if (cp >= 0xD800 && cp <= 0xDFFF) return false;
      AppendUtf8(value, cp);
    } else if (const size_t named = std::string_view("btnfrs\"'\\").find(next); named != std::string_view::npos) {
      value += "\b\t\n\f\r \"'\\"[named];
      ++i;
    } else if (next >= '0' && next <= '7') {
      // An octal escape: up to three digits, the first at most 3 for three.
      const size_t most = next <= '3' ? 3 : 2;
      size_t k = i + 1;
      unsigned code = 0;
      while (k < inner.size() && k < i + 1 + most && inner[k] >= '0' && inner[k] <= '7') code = code * 8 + (inner[k++] - '0');
      AppendUtf8(value, code);  // Java reads "\377" as U+00FF
      i = k - 1;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace corvel
