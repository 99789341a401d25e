#include "source/line_styles.h"

#include <algorithm>

#include "context/context.h"
#include "diag/fault.h"
#include "expr/library.h"
#include "source/lexer.h"
#include "source/source_reader.h"
#include "source/text_encoding.h"
#include "source/token_codes.h"

namespace corvel {
namespace {

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

// Lexer columns count the line with its tabs expanded to the next multiple
// of four; the editor counts a tab as one character.
std::vector<int> WrittenColumnOf(std::u32string_view written) {
  std::vector<int> at;  // at[expanded 0-based column] = written 0-based column
  for (size_t k = 0; k < written.size(); ++k) {
    const size_t width = written[k] == U'\t' ? 4 - at.size() % 4 : 1;
    at.insert(at.end(), width, static_cast<int>(k));
  }
  at.push_back(static_cast<int>(written.size()));
  return at;
}

TokenStyle StyleOf(const Token& token, int16_t kind, const std::set<std::string, std::less<>>& library) {
  if (kind == kKindStarLabel || kind == kKindLineNumberLabel) return TokenStyle::kLabel;
  switch (token.code) {
    case kTokIdentifier:
      return library.count(token.text) != 0 ? TokenStyle::kLibrary : TokenStyle::kName;
    case kTokNumber:
    case kTokHexOctal:
    case kTokHexOctalLonglong:
      return TokenStyle::kNumber;
    case kTokString:
      return TokenStyle::kString;
    default:
      return KeywordText(token.code).empty() ? TokenStyle::kOperator : TokenStyle::kKeyword;
  }
}

}  // namespace

LineStyler::LineStyler() : ctx_(std::make_unique<TranslationContext>()) {
  for (const std::string& form : LibraryForms()) {
    libraryNames_.insert(Upper(form.substr(0, form.find_first_of("( "))));
  }
}

LineStyler::~LineStyler() = default;

LineStyles LineStyler::Style(std::string_view written_line) {
  LineStyles out;
  const std::u32string written = DecodeUtf8(written_line);
  const std::vector<int> column_of = WrittenColumnOf(written);
  auto written_at = [&](int expanded) {  // 0-based
    return column_of[static_cast<size_t>(std::clamp(expanded, 0, static_cast<int>(column_of.size()) - 1))];
  };
  std::string line(written_line);
  ExpandTabs(line);
  const size_t expanded_chars = CountChars(line);
  StripComment(line);
  const int code_chars = static_cast<int>(CountChars(line));
  ctx_->statements.clear();
  ctx_->labels.clear();
  ctx_->labelIndex.clear();
  Fault fault;
  int16_t line_number = 1;
  if (LexLine(*ctx_, line, line_number, fault) != 0) {
    out.refused = true;
    out.refusedColumn = fault.column > 0 ? written_at(fault.column - 1) + 1 : 0;
  }
  // A refused line keeps the colours of what was read before its fault.
  std::vector<Statement> read_so_far;
  if (out.refused && ctx_->statements.empty()) read_so_far.emplace_back().tokens = ctx_->lineTokens;
  for (const Statement& statement : out.refused && ctx_->statements.empty() ? read_so_far : ctx_->statements) {
    for (const Token& token : statement.tokens) {
      if (token.length == 0) continue;  // appended by the lexer, not written
      const int start = written_at(token.column - 1);
      const int end = written_at(token.column - 1 + token.length);
      out.spans.push_back({start, end - start, StyleOf(token, statement.kind, libraryNames_)});
      if (token.code == kKwRem && end < static_cast<int>(written.size())) {
        out.spans.push_back({end, written_at(code_chars) - end, TokenStyle::kRemark});
      }
    }
  }
  if (static_cast<size_t>(code_chars) < expanded_chars) {
    const int start = written_at(code_chars);
    out.spans.push_back({start, static_cast<int>(written.size()) - start, TokenStyle::kComment});
  }
  std::sort(out.spans.begin(), out.spans.end(), [](const StyledSpan& a, const StyledSpan& b) { return a.start < b.start; });
  return out;
}

}  // namespace corvel
