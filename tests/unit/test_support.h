// Helpers shared by the unit tests: a context whose reports and status texts
// are captured, and a one-call lexing of a whole program text.
#pragma once

#include <string>
#include <vector>

#include "source/source_reader.h"
#include "symbols/context.h"
#include "symbols/statement_dump.h"

namespace corvel::testing {

struct Captured {
  std::vector<std::string> titles;
  std::vector<std::string> reports;
  std::vector<std::string> statuses;
};

inline void Capture(TranslationContext& ctx, Captured& out) {
  ctx.reporter = [&out](std::string_view title, std::string_view text) {
    out.titles.emplace_back(title);
    out.reports.emplace_back(text);
  };
  ctx.status = [&out](std::string_view text) { out.statuses.emplace_back(text); };
}

// The records as "kind:tokens" joined by " | ".
inline std::string Records(const TranslationContext& ctx) {
  std::string out;
  for (const Statement& s : ctx.statements) {
    if (!out.empty()) out += " | ";
    out += std::to_string(s.kind) + ":" + DumpTokens(s);
  }
  return out;
}

struct LexResult {
  int16_t result = 0;
  std::string records;
  std::string report;  // "" when accepted
  TranslationContext ctx;
};

// Reads and lexes `source` (UTF-8 text, any line ends) as a whole program.
inline LexResult LexProgram(const std::string& source) {
  LexResult r;
  Captured captured;
  Capture(r.ctx, captured);
  r.result = ReadSourceBytes(r.ctx, source, "test.txt");
  r.records = Records(r.ctx);
  if (!captured.reports.empty()) r.report = captured.reports.back();
  r.ctx.reporter = nullptr;
  r.ctx.status = nullptr;
  return r;
}

// The report of a fault with a column, as the user reads it.
inline std::string ColumnReport(int line, const std::string& source_line, int column,
                                const std::string& message, const std::string& second = "") {
  std::string text = "第" + std::to_string(line) + "行目\r\n    <" + source_line + ">\r\n第" +
                     std::to_string(column) + "文字目\r\n    " + message;
  if (!second.empty()) text += "\r\n    " + second;
  return text;
}

}  // namespace corvel::testing
