// What an editor colours: one source line cut as the lexer cuts it, each
// piece with its kind, so the colours never disagree with the translator.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace corvel {

struct TranslationContext;

enum class TokenStyle { kKeyword, kLibrary, kName, kNumber, kString, kLabel, kComment, kRemark, kOperator };

struct StyledSpan {
  int start = 0;   // 0-based, in characters of the line as written (a tab is one)
  int length = 0;  // in characters
  TokenStyle style = TokenStyle::kName;
};

struct LineStyles {
  std::vector<StyledSpan> spans;  // in order, not overlapping
  bool refused = false;           // the lexer refuses the line
  int refusedColumn = 0;          // 1-based, in characters as written; 0 for the whole line
};

// Keeps one scratch context and the library's names between lines: a
// highlighter styles every line it is handed, often.
class LineStyler {
 public:
  LineStyler();
  ~LineStyler();
  LineStyles Style(std::string_view line);

 private:
  std::unique_ptr<TranslationContext> ctx_;
  std::set<std::string, std::less<>> libraryNames_;  // upper-cased
};

}  // namespace corvel
