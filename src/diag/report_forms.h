// The forms of the translator's reports: a fault as the user reads it, as
// one line in the form editors and build tools parse, and javac's errors
// traced back to the Corvel lines they came from.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "diag/fault.h"

namespace corvel {

// How faults are printed: the report as the user reads it, or one line
// "SOURCE:LINE:COLUMN: error: MESSAGE".
enum class DiagnosticsForm { kReport, kGnu };

// The report's text, lines joined by CR LF: 第<line>行目 / "    <" line ">"
// [/ 第<column>文字目] / "    " message [/ "    " second]. Its title is
// apart (the CLI prints it above, the wizard puts it on the box).
std::string ReportText(const Fault& fault);

// The fault as one line "SOURCE:LINE[:COLUMN]: error: MESSAGE", the message
// lines joined by a space.
std::string GnuReport(std::string_view source, const Fault& fault);

// The hint under the report as the user reads it, "ヒント: …"; empty when
// the hint catalogue has none for the fault. The wizard shows it under the
// report in its box; the CLI prints it under the report.
std::string HintLine(const Fault& fault);

// The hint as the line after GnuReport's, "SOURCE:LINE[:COLUMN]: note: …";
// empty when there is none.
std::string GnuNote(std::string_view source, const Fault& fault);

// One line per error of javac's output on `java_file` naming the Corvel
// line it came from: `corvel_lines[n - 1]` is the Corvel line of Java line
// n, `source_lines[k - 1]` the text of Corvel line k.
std::string JavacErrorLines(std::string_view java_file, std::string_view source, std::string_view javac_output,
                            const std::vector<int>& corvel_lines, const std::vector<std::string>& source_lines,
                            DiagnosticsForm form);

}  // namespace corvel
