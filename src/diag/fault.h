// A fault in the user's program as a record: what every form of its report
// (the report the user reads, the one-line form, an editor's problem list)
// is made from. Plain data; the renderers are in report_forms.h.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "diag/messages.h"

namespace corvel {

struct Fault {
  std::string_view title = kMsgSyntaxErrorTitle;  // or kMsgErrorTitle
  Message message;
  std::optional<Message> second;  // a second message line, shown under the first
  int line = 0;                   // 1-based source line
  int column = 0;                 // 1-based, in characters; 0 when the report names none
  // The column in characters of the line as written, a tab being one (the
  // store expands tabs, and `column` counts the expanded line); 0 with none.
  int writtenColumn = 0;
  std::string lineText;           // the line as the report shows it, a very long one cut and marked
};

}  // namespace corvel
