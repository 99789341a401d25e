// Helpers shared by the unit tests: a context whose reports and status texts
// are captured, and a one-call lexing of a whole program text.
#pragma once

#include <string>
#include <vector>

#include "driver/pipeline.h"
#include "expr/library.h"
#include "source/source_reader.h"
#include "context/context.h"
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

// Reads `source` and runs the first `passes` passes after reading; stops at
// the first that fails. `result` is 0 or the number (1-based) of the failing
// pass, counting reading as pass 1.
inline LexResult RunPasses(const std::string& source, int passes) {
  LexResult r;
  Captured captured;
  Capture(r.ctx, captured);
  InitLibrary(r.ctx);
  int16_t failed = ReadSourceBytes(r.ctx, source, "test.txt") != 0 ? 1 : 0;
  for (int k = 0; failed == 0 && k < passes; ++k) {
    // The pipeline's own order, reading (pass 1) done above.
    if (TranslationPasses()[static_cast<size_t>(k) + 1].run(r.ctx) != 0) failed = static_cast<int16_t>(k + 2);
  }
  r.result = failed;
  r.records = Records(r.ctx);
  if (!captured.reports.empty()) r.report = captured.reports.back();
  r.ctx.reporter = nullptr;
  r.ctx.status = nullptr;
  return r;
}

// The report of a fault without a column.
inline std::string LineReport(int line, const std::string& source_line, const std::string& message) {
  return "第" + std::to_string(line) + "行目\r\n    <" + source_line + ">\r\n    " + message;
}

// The report of a fault with a column, as the user reads it.
inline std::string ColumnReport(int line, const std::string& source_line, int column, const std::string& message) {
  return "第" + std::to_string(line) + "行目\r\n    <" + source_line + ">\r\n第" + std::to_string(column) +
         "文字目\r\n    " + message;
}

}  // namespace corvel::testing
