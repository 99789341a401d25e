// Other forms of the translator's reports: one line per fault in the form
// editors and build tools parse, and javac's errors traced back to the
// Corvel lines they came from.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvel {

// How faults are printed: the report as the user reads it, or one line
// "SOURCE:LINE:COLUMN: error: MESSAGE".
enum class DiagnosticsForm { kReport, kGnu };

// A report (its lines joined by CR LF or LF) as one line: the line and
// column from its headings (the column left out when it has none), its
// message lines joined by a space.
std::string GnuReport(std::string_view source, std::string_view report_text);

// One line per error of javac's output on `java_file` naming the Corvel
// line it came from: `corvel_lines[n - 1]` is the Corvel line of Java line
// n, `source_lines[k - 1]` the text of Corvel line k.
std::string JavacErrorLines(std::string_view java_file, std::string_view source, std::string_view javac_output,
                            const std::vector<int>& corvel_lines, const std::vector<std::string>& source_lines,
                            DiagnosticsForm form);

}  // namespace corvel
