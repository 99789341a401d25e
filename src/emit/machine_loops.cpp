#include "emit/machine_loops.h"

#include <charconv>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <algorithm>
#include <vector>

namespace corvel {
namespace {

// One line of the method: its indentation, its code (trimmed) and its end.
// A case label of the machine ("case N:" alone at the line's start) has no
// code: its number, whether it stays, and what this pass opens or closes
// there.
struct Line {
  std::string indent, code, end;
  std::optional<int> label;
  bool kept = true;
  bool looped = false;  // a loop starts at this case
  bool loopable = true;
  std::string opens;   // before the code: a loop's start, a block's end
  std::string closes;  // after it: a loop's end
  bool closed_ends = false;  // the last loop it ends is only left by jumps
};

// N of a whole line "case N:", or of "PC[CPC]=N;".
std::optional<int> NumberIn(const std::string& code, std::string_view head, std::string_view tail) {
  if (code.size() <= head.size() + tail.size() || code.compare(0, head.size(), head) != 0 ||
      code.compare(code.size() - tail.size(), tail.size(), tail) != 0) {
    return std::nullopt;
  }
  int n = 0;
  const char* first = code.data() + head.size();
  const char* last = code.data() + code.size() - tail.size();
  const auto [at, ec] = std::from_chars(first, last, n);
  if (ec != std::errc() || at != last) return std::nullopt;
  return n;
}
std::optional<int> CaseOf(const Line& line) { return line.kept ? line.label : std::nullopt; }
std::optional<int> JumpOf(const std::string& code) { return NumberIn(code, "PC[CPC]=", ";"); }

bool IsComment(const std::string& code) { return code.empty() || code.compare(0, 2, "//") == 0; }

// How often each case is named by a jump (or a GOSUB's return).
std::map<int, int> Targets(std::string_view text) {
  std::map<int, int> named;
  for (std::string_view head : {std::string_view("PC[CPC]="), std::string_view("PC[++CPC]=")}) {
    for (size_t k = text.find(head); k != std::string_view::npos; k = text.find(head, k + 1)) {
      const char* first = text.data() + k + head.size();
      const char* last = text.data() + text.size();
      int n = 0;
      const auto [at, ec] = std::from_chars(first, last, n);
      if (ec == std::errc() && at < last && *at == ';') ++named[n];
    }
  }
  return named;
}

// Whether every use of the machine's counter is one whose meaning is known:
// a literal jump, a GOSUB's push, RETURN's pop and the dispatch.
bool PlainMachine(std::string_view text) {
  static const std::regex kUse(R"(PC\[(?:CPC|\+\+CPC)\]=-?[0-9]+;|switch\(PC\[CPC\]\)|int PC\[\]=new int\[255\];)");
  const std::string s(text);
  size_t uses = 0, counted = 0;
  for (size_t at = s.find("PC["); at != std::string::npos; at = s.find("PC[", at + 1)) ++uses;
  for (auto m = std::sregex_iterator(s.begin(), s.end(), kUse); m != std::sregex_iterator(); ++m) ++counted;
  return uses == counted;
}

// Whether a line of a case may go inside a Java loop: no loop, switch, label
// or case of its own that a break or continue would then mean otherwise.
bool Loopable(const std::string& code) {
  if (IsComment(code)) return true;
  for (std::string_view word : {"for(", "while(", "do{", "do ", "switch(", "case ", "default:", "continue", ":{"}) {
    if (code.find(word) != std::string::npos) return false;
  }
  return true;
}

std::vector<Line> Split(std::string_view text) {
  std::vector<Line> lines;
  size_t from = 0;
  while (from <= text.size()) {
    size_t to = text.find('\n', from);
    const bool last = to == std::string_view::npos;
    if (last) to = text.size();
    std::string_view body = text.substr(from, to - from);
    Line line;
    line.end = last ? "" : "\n";
    if (!body.empty() && body.back() == '\r') {
      line.end = "\r" + line.end;
      body.remove_suffix(1);
    }
    const size_t code = body.find_first_not_of(' ');
    line.indent = std::string(body.substr(0, code == std::string_view::npos ? body.size() : code));
    line.code = code == std::string_view::npos ? std::string() : std::string(body.substr(code));
    if (line.indent.empty()) line.label = NumberIn(line.code, "case ", ":");
    if (line.label) line.code.clear();
    line.loopable = Loopable(line.code);
    lines.push_back(std::move(line));
    if (last) break;
    from = to + 1;
  }
  return lines;
}

// A line that does nothing: a comment, an empty line or a case label gone.
bool Quiet(const Line& line) {
  return !(line.label && line.kept) && line.opens.empty() && line.closes.empty() && IsComment(line.code);
}

bool Ends(const std::string& code) {
  return code == "break;" || code == "continue;" || code.compare(0, 6, "break ") == 0 ||
         code.compare(0, 9, "continue ") == 0 || code.compare(0, 7, "return ") == 0 || code == "return;" ||
         code.compare(0, 6, "throw ") == 0;
}

// Whether the line's code never goes on to the next: it jumps, or closes a
// loop that is only left by jumps.
bool Ends(const Line& line) { return line.closes.empty() ? Ends(line.code) : line.closed_ends; }

// Whether the case label at `at` may go: what follows it stays reachable
// for javac, coming after code that goes on, or under another label.
bool Unlabelable(const std::vector<Line>& lines, size_t from, size_t at, size_t to, std::map<int, int>& named) {
  size_t before = at;
  while (before > from && Quiet(lines[before - 1])) --before;
  if (before == from || CaseOf(lines[before - 1]) || !Ends(lines[before - 1])) return true;
  size_t after = at + 1;
  while (after < to && Quiet(lines[after])) ++after;
  const auto next = after < to ? CaseOf(lines[after]) : std::optional<int>(0);
  return next && (*next == 0 || named[*next] > 0);
}

// IF c THEN GOTO T: "if(c){ PC=A; }else{ PC=B; } break; case A: PC=T; break;"
// followed by B's case becomes "if(c){PC[CPC]=T;break;}" falling through to B.
void FoldIfGoto(std::vector<Line>& lines, size_t from, size_t to, std::map<int, int>& named) {
  for (size_t i = from; i + 9 < to; ++i) {
    const std::string& head = lines[i].code;
    if (head.compare(0, 3, "if(") != 0 || head.size() < 5 || head.compare(head.size() - 2, 2, "){") != 0) continue;
    const auto a = JumpOf(lines[i + 1].code), b = JumpOf(lines[i + 3].code);
    if (!a || !b || lines[i + 2].code != "}else{" || lines[i + 4].code != "}" || lines[i + 5].code != "break;") continue;
    if (CaseOf(lines[i + 6]) != a || named[*a] != 1) continue;
    size_t k = i + 7;
    while (k < to && Quiet(lines[k])) ++k;
    if (k + 1 >= to || lines[k + 1].code != "break;") continue;
    const auto t = JumpOf(lines[k].code);
    if (!t) continue;
    // B's case must come next, past comments and other cases only.
    bool reaches_b = false;
    for (size_t n = k + 2; n < to && !reaches_b; ++n) {
      const auto c = CaseOf(lines[n]);
      if (!c && !Quiet(lines[n])) break;
      reaches_b = c == b;
    }
    if (!reaches_b) continue;
    lines[i].code = head.substr(0, head.size() - 1) + "{PC[CPC]=" + std::to_string(*t) + ";break;}";
    for (size_t n : {i + 1, i + 2, i + 3, i + 4, i + 5, k, k + 1}) lines[n].code.clear(), lines[n].indent.clear();
    lines[i + 6].kept = false;
    --named[*a];
    --named[*b];
  }
}

// A jump of the machine at a line: "PC[CPC]=N;" over "break;" (or, once a
// loop holds it, "continue End;"), or a line ending "{PC[CPC]=N;break;}".
struct Jump {
  size_t at = 0;
  int target = 0;
  bool one_line = false;
};

constexpr std::string_view kLoopLabel = "KWU_L";

std::optional<Jump> JumpAt(const std::vector<Line>& lines, size_t n, size_t to) {
  const std::string& code = lines[n].code;
  if (const auto t = JumpOf(code); t && n + 1 < to && !lines[n + 1].label &&
                                    (lines[n + 1].code == "break;" || lines[n + 1].code == "continue End;")) {
    return Jump{n, *t, false};
  }
  const size_t open = code.rfind("{PC[CPC]=");
  if (open == std::string::npos) return std::nullopt;
  const std::string tail = code.substr(open + 1);
  for (std::string_view leave : {"break;}", "continue End;}"}) {
    if (tail.size() <= leave.size() || tail.compare(tail.size() - leave.size(), leave.size(), leave) != 0) continue;
    if (const auto t = JumpOf(tail.substr(0, tail.size() - leave.size()))) return Jump{n, *t, true};
  }
  return std::nullopt;
}

// Rewrites the jump to `how` ("continue KWU_L4;", "break KWU_L33;" or, to
// leave through the dispatch, "").
void Rewrite(std::vector<Line>& lines, const Jump& j, const std::string& how) {
  std::string& code = lines[j.at].code;
  if (j.one_line) {
    const size_t open = code.rfind("{PC[CPC]=");
    code.replace(open, std::string::npos,
                 how.empty() ? "{PC[CPC]=" + std::to_string(j.target) + ";continue End;}" : "{" + how + "}");
  } else if (how.empty()) {
    lines[j.at + 1].code = "continue End;";
  } else {
    code.clear();
    lines[j.at + 1].code = how;
  }
}

// How often each case is named: by a jump, a GOSUB or the machine's start.
std::map<int, int> Named(const std::vector<Line>& lines) {
  std::string text;
  for (const Line& line : lines) text += line.code + "\n";
  return Targets(text);
}

// Makes the span from the case at `head` to `end` a Java loop when every
// jump into its cases comes from inside it, forward, and every jump back to
// `head` from inside too: the cases inside become labelled blocks left by
// "break", the jumps back "continue". true when it did.
bool LoopSpan(std::vector<Line>& lines, size_t head, size_t end) {
  const int self = *lines[head].label;
  std::map<int, int> named = Named(lines), inside;
  std::vector<Jump> jumps;
  std::vector<size_t> cases;
  for (size_t n = head + 1; n < end; ++n) {
    const Line& line = lines[n];
    if (line.label) {
      if (line.kept) cases.push_back(n);
      continue;
    }
    if (!line.loopable) return false;
    if (const auto j = JumpAt(lines, n, end)) {
      jumps.push_back(*j);
      ++inside[j->target];
      if (!j->one_line) ++n;
      continue;
    }
    const size_t brk = line.code.find("break;");
    if (brk != std::string::npos && line.code != "break;") return false;
  }
  // A case no jump names is only fallen into: its label goes, and no block.
  std::vector<size_t> fallen;
  for (size_t c : cases) {
    if (named[*lines[c].label] != 0) continue;
    if (!Unlabelable(lines, head + 1, c, end, named)) return false;
    fallen.push_back(c);
  }
  cases.erase(std::remove_if(cases.begin(), cases.end(),
                             [&](size_t c) { return std::find(fallen.begin(), fallen.end(), c) != fallen.end(); }),
              cases.end());
  for (size_t c : cases) {
    const int label = *lines[c].label;
    if (named[label] != inside[label]) return false;
    for (const Jump& j : jumps) {
      if (j.target == label && j.at > c) return false;
    }
  }
  size_t last = end;
  while (last > head + 1 && Quiet(lines[last - 1])) --last;
  if (inside[self] == 0 || last == head + 1) return false;

  const std::string loop = std::string(kLoopLabel) + std::to_string(self);
  for (size_t n = head + 1; n < end; ++n) {
    if (!lines[n].label && lines[n].code == "break;" && (n == 0 || !JumpOf(lines[n - 1].code))) {
      lines[n].code = "continue End;";
    }
  }
  for (const Jump& j : jumps) {
    const bool to_case = std::any_of(cases.begin(), cases.end(), [&](size_t c) { return *lines[c].label == j.target; });
    if (j.target == self) {
      Rewrite(lines, j, "continue " + loop + ";");
    } else if (to_case) {
      Rewrite(lines, j, "break " + std::string(kLoopLabel) + std::to_string(j.target) + ";");
    } else {
      Rewrite(lines, j, "");
    }
  }
  std::string opens = loop + ":for(;;){";
  for (auto c = cases.rbegin(); c != cases.rend(); ++c) opens += std::string(kLoopLabel) + std::to_string(*lines[*c].label) + ":{";
  lines[head].opens += opens;
  lines[head].looped = true;
  for (size_t c : cases) {
    lines[c].kept = false;
    lines[c].opens = "}" + lines[c].opens;
  }
  for (size_t c : fallen) lines[c].kept = false;
  Line& closing = lines[last - 1];
  const bool ends = Ends(closing);
  closing.closes += ends ? "}" : "break;}";
  closing.closed_ends = ends;
  return true;
}

// The loops of the machine, the innermost first: each time the case whose
// jumps back to it span the fewest lines.
void Loops(std::vector<Line>& lines, size_t from, size_t to) {
  std::set<size_t> tried;
  for (;;) {
    std::optional<std::pair<size_t, size_t>> best;
    for (size_t h = from; h < to; ++h) {
      if (!lines[h].label || !lines[h].kept || lines[h].looped || tried.count(h) != 0) continue;
      size_t last = 0;
      for (size_t n = h + 1; n < to; ++n) {
        if (lines[n].label) continue;
        if (const auto j = JumpAt(lines, n, to); j && j->target == *lines[h].label) last = n + (j->one_line ? 0 : 1);
      }
      if (last == 0) continue;
      size_t end = last + 1;
      while (end < to && !(lines[end].label && lines[end].kept)) ++end;
      if (!best || end - h < best->second - best->first) best = std::make_pair(h, end);
    }
    if (!best) return;
    tried.insert(best->first);
    LoopSpan(lines, best->first, best->second);
  }
}

}  // namespace

std::string MachineLoops(std::string_view method) {
  if (!PlainMachine(method)) return std::string(method);
  std::vector<Line> lines = Split(method);
  size_t from = 0, to = 0;
  for (size_t i = 0; i + 2 < lines.size(); ++i) {
    if (lines[i].code == "End:while(true){" && lines[i + 1].code == "switch(PC[CPC])" && lines[i + 2].code == "{") {
      from = i + 3;
    }
  }
  for (size_t i = from; from != 0 && i < lines.size(); ++i) {
    if (lines[i].label == 0) to = i;
  }
  if (from == 0 || to == 0) return std::string(method);

  std::map<int, int> named = Targets(method);
  FoldIfGoto(lines, from, to, named);
  for (size_t i = from; i < to; ++i) {
    const auto c = CaseOf(lines[i]);
    if (c && named[*c] == 0 && Unlabelable(lines, from, i, to, named)) lines[i].kept = false;
  }
  Loops(lines, from, to);
  std::string out;
  out.reserve(method.size() + 64);
  for (const Line& line : lines) {
    out.append(line.indent);
    if (line.label && line.kept) out.append("case " + std::to_string(*line.label) + ":");
    out.append(line.opens).append(line.code).append(line.closes).append(line.end);
  }
  return out;
}

}  // namespace corvel
