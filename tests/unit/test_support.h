// Helpers shared by the unit tests: a context whose reports and status texts
// are captured, and a one-call lexing of a whole program text.
#pragma once

#include <fmt/format.h>

#include <string>
#include <vector>

#include "driver/pipeline.h"
#include "expr/library.h"
#include "source/source_reader.h"
#include "context/context.h"
#include "diag/fault.h"
#include "symbols/statement_dump.h"

namespace corvel::testing {

// A fault in one line: "LINE:COLUMN:Name", the values after it in
// parentheses. Tests name the message; its text is pinned by the catalogue.
inline std::string Dump(const Fault& fault) {
  const Message& m = fault.message;
  const std::string values = m.values.empty() ? "" : fmt::format("({})", fmt::join(m.values, ","));
  return fmt::format("{}:{}:{}{}", fault.line, fault.column, kMessages[static_cast<size_t>(m.id)].name, values);
}

struct Captured {
  std::vector<Fault> faults;
  std::vector<std::string> statuses;
  std::string Last() const { return faults.empty() ? "" : Dump(faults.back()); }
};

inline void Capture(TranslationContext& ctx, Captured& out) {
  ctx.reporter = [&out](const Fault& fault) { out.faults.push_back(fault); };
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
  std::string report;  // the last fault as Dump gives it; "" when accepted
  Fault fault;         // that fault
  TranslationContext ctx;
};

// Reads `source` (UTF-8 text, any line ends) and runs the first `passes`
// passes after reading; stops at the first that fails. `result` is 0 or the
// number (1-based) of the failing pass, counting reading as pass 1.
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
  r.report = captured.Last();
  if (!captured.faults.empty()) r.fault = captured.faults.back();
  r.ctx.reporter = nullptr;
  r.ctx.status = nullptr;
  return r;
}

// Reads and lexes a whole program.
inline LexResult LexProgram(const std::string& source) { return RunPasses(source, 0); }

}  // namespace corvel::testing
