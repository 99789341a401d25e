#include "diag/hints.h"

#include <fmt/format.h>

#include <vector>

#include "source/text_encoding.h"

namespace corvel {
namespace {

bool IsNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '.'; }
bool IsTypeSuffix(char c) { return c == '$' || c == '%' || c == '&' || c == '!' || c == '#'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// Whether `s` begins with the keyword `word` (upper case) as a whole word.
bool StartsWithWord(std::string_view s, std::string_view word) {
  if (s.size() < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    if ((s[i] & ~0x20) != word[i]) return false;
  }
  return s.size() == word.size() || !IsNameChar(s[word.size()]);
}

// The statements of a line: cut at the ':' outside string literals, up to a
// comment. A string runs to the next '"' that no '\' escapes.
std::vector<std::string_view> Statements(std::string_view line) {
  std::vector<std::string_view> out;
  size_t start = 0;
  bool in_string = false;
  for (size_t i = 0; i <= line.size(); ++i) {
    const char c = i < line.size() ? line[i] : ':';
    if (in_string) {
      if (c == '\\') ++i;
      else if (c == '"') in_string = false;
    } else if (c == '"') {
      in_string = true;
    } else if (c == ':' || c == '\'') {
      out.push_back(Trim(line.substr(start, i - start)));
      if (c == '\'') break;
      start = i + 1;
    }
  }
  return out;
}

// The name with its type suffix at `at`, and then a parenthesised list when
// one follows: what a minus or a CALL stands before.
std::string_view OperandAt(std::string_view s, size_t at) {
  size_t end = at;
  while (end < s.size() && IsNameChar(s[end])) ++end;
  while (end < s.size() && IsTypeSuffix(s[end])) ++end;
  if (end < s.size() && s[end] == '(') {
    for (int depth = 0; end < s.size(); ++end) {
      depth += s[end] == '(' ? 1 : s[end] == ')' ? -1 : 0;
      if (depth == 0) return s.substr(at, end + 1 - at);
    }
  }
  return s.substr(at, end - at);
}

// 不正な文字が含まれています: the lexer names the column of the first character
// it cannot read, which is outside any string literal.
std::optional<std::string> BadCharacterHint(const Fault& fault) {
  const std::u32string line = DecodeUtf8(fault.lineText);
  if (fault.column < 1 || static_cast<size_t>(fault.column) > line.size()) return std::nullopt;
  const char32_t c = line[static_cast<size_t>(fault.column - 1)];
  if (c == U'?') {
    // Where a statement begins: the short PRINT of other dialects.
    size_t before = static_cast<size_t>(fault.column - 1);
    while (before > 0 && line[before - 1] == U' ') --before;
    return before == 0 || line[before - 1] == U':' ? std::optional<std::string>(kHintQuestionForPrint) : std::nullopt;
  }
  if (c < 0x80) return std::nullopt;
  std::string wide;
  AppendUtf8(wide, c);
  if (c == U'\u3000') return std::string(kHintFullWidthSpace);
  char narrow = 0;
  if (c >= U'\uFF01' && c <= U'\uFF5E') narrow = static_cast<char>(c - 0xFEE0);  // the full-width ASCII block
  constexpr std::pair<char32_t, char> kLookAlikes[] = {
      {U'\u201C', '"'}, {U'\u201D', '"'}, {U'\u2018', '\''}, {U'\u2019', '\''}, {U'\u2212', '-'},
      {U'\u30FC', '-'}, {U'\u3001', ','}, {U'\u3002', '.'},  {U'\uFFE5', '\\'},
  };
  for (const auto& [look_alike, ascii] : kLookAlikes) {
    if (c == look_alike) narrow = ascii;
  }
  if (narrow == 0) return fmt::format(kHintOnlyInString, wide);
  return fmt::format(kHintFullWidthCharacter, wide, std::string(1, narrow));
}

// 式が不正です。: the report names no column, so every statement of the line
// is looked at, and the first one that shows a known mistake gives the hint.
std::optional<std::string> BadExpressionHint(const Fault& fault) {
  for (const std::string_view s : Statements(fault.lineText)) {
    // CALL P(3) -> P 3
    if (StartsWithWord(s, "CALL")) {
      const std::string_view call = Trim(s.substr(4));
      const std::string_view callee = OperandAt(call, 0);
      const size_t open = callee.find('(');
      std::string example(open == std::string_view::npos ? callee : callee.substr(0, open));
      if (open != std::string_view::npos) example += " " + std::string(callee.substr(open + 1, callee.size() - open - 2));
      return fmt::format(kHintCallBySubName, Trim(example));
    }
    // A minus where a value begins, before a name that has a type suffix or
    // a list; or a comparison written ==.
    bool in_string = false;
    char before = '=';
    for (size_t i = 0; i < s.size(); ++i) {
      if (s[i] == '"') in_string = !in_string;
      if (in_string || s[i] == ' ') continue;
      if (s.substr(i, 2) == "==") return std::string(kHintDoubleEquals);
      if (s[i] == '-' && std::string_view("=(,+-*/\\^<>;").find(before) != std::string_view::npos) {
        size_t at = i + 1;
        while (at < s.size() && s[at] == ' ') ++at;
        const std::string_view operand = at < s.size() && IsNameStart(s[at]) ? OperandAt(s, at) : "";
        if (!operand.empty() && (IsTypeSuffix(operand.back()) || operand.back() == ')')) {
          return fmt::format(kHintMinusBeforeName, operand);
        }
      }
      before = s[i];
    }
    // NAME$ = 5, I% = "abc": the target's suffix says its type.
    std::string_view rest = StartsWithWord(s, "LET") ? Trim(s.substr(3)) : s;
    size_t end = 0;
    while (end < rest.size() && IsNameChar(rest[end])) ++end;
    const size_t name_end = end;
    while (end < rest.size() && IsTypeSuffix(rest[end])) ++end;
    const std::string_view target = rest.substr(0, end);
    rest = Trim(rest.substr(end));
    if (name_end == 0 || name_end == end || rest.empty() || rest[0] != '=') continue;
    const std::string_view value = Trim(rest.substr(1));
    const bool value_is_string = !value.empty() && (value[0] == '"' || OperandAt(value, 0).ends_with('$'));
    if (target.back() == '$' && value.find_first_of("\"$") == std::string_view::npos) {
      return fmt::format(kHintNumberToString, target);
    }
    if (target.back() != '$' && value_is_string) return fmt::format(kHintStringToNumber, target);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> HintFor(const Fault& fault) {
  switch (fault.message.id) {
    case MessageId::kBadCharacter:
      return BadCharacterHint(fault);
    case MessageId::kBadExpression:
      return BadExpressionHint(fault);
    case MessageId::kCodeMisplaced: {
      // The same report names a closing line without its head and a STATIC
      // outside a procedure: those are not main program.
      const std::string_view s = Trim(fault.lineText);
      if (StartsWithWord(s, "STATIC")) return std::nullopt;
      if (StartsWithWord(s, "END") || StartsWithWord(s, "EXIT")) {
        const std::string_view what = Trim(s.substr(StartsWithWord(s, "END") ? 3 : 4));
        if (StartsWithWord(what, "SUB") || StartsWithWord(what, "FUNCTION") || StartsWithWord(what, "TYPE")) {
          return std::nullopt;
        }
      }
      return std::string(kHintMainProgramFirst);
    }
    default:
      return std::nullopt;
  }
}

}  // namespace corvel
