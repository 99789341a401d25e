#include "diag/report_forms.h"

#include <fmt/format.h>

#include <charconv>

#include "context/records.h"
#include "diag/hints.h"
#include "diag/messages.h"

namespace corvel {
namespace {

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// The Corvel line of Java line `n`, 0 when it has none.
int CorvelLineOf(const std::vector<int>& corvel_lines, long n) {
  return n >= 1 && static_cast<size_t>(n) <= corvel_lines.size() ? corvel_lines[static_cast<size_t>(n - 1)] : 0;
}

// "SOURCE:LINE[:COLUMN]", the column counted in the line as written.
std::string GnuWhere(std::string_view source, const Fault& fault) {
  std::string where = fmt::format("{}:{}", source, fault.line);
  if (fault.writtenColumn != 0) where += fmt::format(":{}", fault.writtenColumn);
  return where;
}

}  // namespace

std::string ReportText(const Fault& fault) {
  std::string text = fmt::format("{}{}    <{}>", fmt::format(kMsgLineHeading, fault.line), kCrLf, fault.lineText);
  if (fault.column != 0) text += fmt::format("{}{}", kCrLf, fmt::format(kMsgColumnHeading, fault.column));
  text += fmt::format("{}    {}", kCrLf, fault.message.text);
  if (fault.second) text += fmt::format("{}    {}", kCrLf, fault.second->text);
  return text;
}

std::string GnuReport(std::string_view source, const Fault& fault) {
  std::string message = fault.message.text;
  if (fault.second) message += " " + fault.second->text;
  return fmt::format("{}: error: {}", GnuWhere(source, fault), message);
}

std::string HintLine(const Fault& fault) {
  const std::optional<std::string> hint = HintFor(fault);
  return hint ? fmt::format(kHintPrefix, *hint) : std::string();
}

std::string GnuNote(std::string_view source, const Fault& fault) {
  const std::optional<std::string> hint = HintFor(fault);
  return hint ? fmt::format("{}: note: {}", GnuWhere(source, fault), *hint) : std::string();
}

std::string JavacErrorLines(std::string_view java_file, std::string_view source, std::string_view javac_output,
                            const std::vector<int>& corvel_lines, const std::vector<std::string>& source_lines,
                            DiagnosticsForm form) {
  std::string out;
  for (const std::string_view text : SplitLines(javac_output)) {
    // "Hello.java:57: error: cannot find symbol", the file as javac was given it
    const size_t at = text.find(java_file);
    if (at == std::string_view::npos || text.compare(at + java_file.size(), 1, ":") != 0) continue;
    if (at > 0 && text[at - 1] != '/') continue;
    const std::string_view rest = text.substr(at + java_file.size() + 1);
    long java_line = 0;
    const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), java_line);
    const std::string_view kind = std::string_view(end, static_cast<size_t>(rest.data() + rest.size() - end));
    if (ec != std::errc()) continue;
    // javac names an error in the user's language: error, エラー, 错误, Fehler
    // (javac's words, not report texts: written as escapes)
    bool is_error = false;
    std::string_view what;
    for (const std::string_view label : {": error: ", ": \u30A8\u30E9\u30FC: ", ": \u9519\u8BEF: ", ": Fehler: "}) {
      if (kind.substr(0, label.size()) == label) is_error = true, what = kind.substr(label.size());
    }
    if (!is_error) continue;
    const int line = CorvelLineOf(corvel_lines, java_line);
    std::string_view line_text;
    if (line >= 1 && static_cast<size_t>(line) <= source_lines.size()) line_text = source_lines[static_cast<size_t>(line - 1)];
    if (form == DiagnosticsForm::kGnu) {
      out += line != 0 ? fmt::format("{}:{}: error: javac: {} ({}:{})\n", source, line, what, java_file, java_line)
                       : fmt::format("{}: error: javac: {} ({}:{})\n", source, what, java_file, java_line);
    } else {
      out += line != 0 ? fmt::format(kMsgJavacErrorFrom, java_file, java_line, line, line_text)
                       : fmt::format(kMsgJavacErrorFromNoLine, java_file, java_line);
      out += '\n';
    }
  }
  return out;
}

}  // namespace corvel
