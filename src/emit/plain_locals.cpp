#include "emit/plain_locals.h"

#include <fmt/format.h>

#include <cctype>
#include <map>
#include <set>
#include <vector>
#include <regex>

namespace corvel {
namespace {

// The wrappers that have a plain form: class, Java type, initial value.
struct PlainType {
  std::string_view wrapper, java, zero;
};
constexpr PlainType kPlainTypes[] = {
    {"KWV_Byte", "byte", "0"},   {"KWV_Integer", "short", "0"}, {"KWV_Long", "int", "0"},
    {"KWV_Longlong", "long", "0"}, {"KWV_Single", "float", "0"}, {"KWV_Double", "double", "0"},
    {"KWV_Boolean", "boolean", "false"},
};

// The uses a plain local can take, and the Java operator of the comparisons.
constexpr std::pair<std::string_view, std::string_view> kUses[] = {
    {"Get", ""},   {"Set", ""},    {"Next", ""},  {"E", "=="},  {"NE", "!="},
    {"L", "<"},    {"LE", "<="},   {"G", ">"},    {"GE", ">="},
};

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '$'; }

// The end of the string or character literal, or of the // comment, that
// starts at `at`; `at` itself when none starts there.
size_t SkipQuoted(std::string_view text, size_t at) {
  if (text.compare(at, 2, "//") == 0) return std::min(text.find('\n', at), text.size());
  const char quote = text[at];
  if (quote != '"' && quote != '\'') return at;
  size_t k = at + 1;
  while (k < text.size() && text[k] != quote) k += text[k] == '\\' ? 2 : 1;
  return std::min(k + 1, text.size());
}

// The ")" that closes the "(" just before `from`.
size_t Close(std::string_view text, size_t from) {
  int depth = 1;
  for (size_t k = from; k < text.size(); ++k) {
    if (const size_t past = SkipQuoted(text, k); past != k) {
      k = past - 1;
      continue;
    }
    if (text[k] == '(') ++depth;
    if (text[k] == ')' && --depth == 0) return k;
  }
  return std::string_view::npos;
}

// The use of the name ending at `after`: the index in kUses, or -1.
int UseAt(std::string_view text, size_t after) {
  for (size_t u = 0; u < std::size(kUses); ++u) {
    const std::string head = "." + std::string(kUses[u].first) + "(";
    if (text.compare(after, head.size(), head) == 0) return static_cast<int>(u);
  }
  return -1;
}

// Whether a Java text calls nothing: Next's arguments are read twice.
bool CallsNothing(std::string_view text) {
  for (size_t k = 1; k < text.size(); ++k) {
    if (text[k] == '(' && IsNameChar(text[k - 1]) && (k < 4 || text.compare(k - 4, 4, ".Get") != 0)) return false;
  }
  return true;
}

struct Rewriter {
  std::map<std::string, std::string, std::less<>> plain;  // name -> Java type

  std::string Rewrite(std::string_view text) const {
    std::string out;
    for (size_t k = 0; k < text.size();) {
      if (const size_t past = SkipQuoted(text, k); past != k) {
        out.append(text.substr(k, past - k));
        k = past;
        continue;
      }
      if (!IsNameChar(text[k]) || (k > 0 && (IsNameChar(text[k - 1]) || text[k - 1] == '.'))) {
        out += text[k++];
        continue;
      }
      size_t end = k;
      while (end < text.size() && IsNameChar(text[end])) ++end;
      const std::string_view name = text.substr(k, end - k);
      const int use = plain.count(name) != 0 ? UseAt(text, end) : -1;
      if (use < 0) {
        out.append(name);
        k = end;
        continue;
      }
      const size_t open = end + kUses[use].first.size() + 2;
      const size_t close = Close(text, open);
      const std::string args = Rewrite(text.substr(open, close - open));
      const std::string n(name);
      const std::string_view method = kUses[use].first;
      const std::string& type = plain.find(name)->second;
      if (method == "Get") {
        out += n;
      } else if (method == "Set") {
        // A SINGLE or DOUBLE store is checked as the wrapper's Set checks it.
        // The cast keeps the overload the wrapper's Set(float) or Set(double) takes.
        out += n + (type == "float" || type == "double" ? "=KWC_Applet.checkReal((" + type + ")(" + args + "))"
                                                        : "=(" + args + ")");
      } else if (method == "Next") {
        // FOR's step: refused, the value kept, where it wrapped against the step's sign.
        const size_t comma = args.rfind(',');
        const std::string to = "(" + args.substr(0, comma) + ")", step = "(" + args.substr(comma + 1) + ")";
        out += "(!(" + step + ">0?" + to + "<" + n + ":" + step + "<0&&" + to + ">" + n + ")&&((" + n + "=" + to +
               ")==" + n + "||true))";
      } else {
        out += "(" + n + std::string(kUses[use].second) + "(" + args + "))";
      }
      k = close + 1;
    }
    return out;
  }
};

}  // namespace

std::string PlainLocals(std::string_view method) {
  static const std::regex kDeclaration(R"((KWV_[A-Za-z]+) ([A-Za-z_][A-Za-z0-9_]*)=new \1\(\);)");
  Rewriter r;
  std::map<std::string, std::string> declared;  // the declaration's text -> its plain form
  const std::string text(method);
  for (auto m = std::sregex_iterator(text.begin(), text.end(), kDeclaration); m != std::sregex_iterator(); ++m) {
    for (const PlainType& t : kPlainTypes) {
      if ((*m)[1].str() != t.wrapper) continue;
      r.plain[(*m)[2].str()] = std::string(t.java);
      declared[m->str()] = fmt::format("{} {}={};", t.java, (*m)[2].str(), t.zero);
    }
  }
  // A name stays a wrapper where any use of it is not one the plain form has.
  for (size_t k = 0; k < text.size(); ++k) {
    if (const size_t past = SkipQuoted(text, k); past != k) {
      k = past - 1;
      continue;
    }
    if (!IsNameChar(text[k]) || (k > 0 && (IsNameChar(text[k - 1]) || text[k - 1] == '.'))) continue;
    size_t end = k;
    while (end < text.size() && IsNameChar(text[end])) ++end;
    const std::string name = text.substr(k, end - k);
    if (r.plain.count(name) != 0) {
      const bool declaration = text.compare(end, 5, "=new ") == 0;
      const int use = UseAt(text, end);
      bool fits = declaration || use >= 0;
      if (use >= 0 && kUses[use].first == "Next") {
        const size_t open = end + 6;
        fits = CallsNothing(std::string_view(text).substr(open, Close(text, open) - open));
      }
      if (!fits) r.plain.erase(name);
    }
    k = end - 1;
  }
  std::string out;
  size_t from = 0;
  for (auto m = std::sregex_iterator(text.begin(), text.end(), kDeclaration); m != std::sregex_iterator(); ++m) {
    const size_t at = static_cast<size_t>(m->position());
    out += r.Rewrite(std::string_view(text).substr(from, at - from));
    out += r.plain.count((*m)[2].str()) != 0 ? declared[m->str()] : m->str();
    from = at + static_cast<size_t>(m->length());
  }
  out += r.Rewrite(std::string_view(text).substr(from));
  return out;
}

namespace {

// The text with string and character literals and comments blanked out, of
// the same length: what the checks below look at.
std::string CodeOnly(std::string_view text) {
  std::string out(text);
  for (size_t k = 0; k < text.size(); ++k) {
    const size_t past = SkipQuoted(text, k);
    if (past == k) continue;
    std::fill(out.begin() + static_cast<std::ptrdiff_t>(k), out.begin() + static_cast<std::ptrdiff_t>(past), ' ');
    k = past - 1;
  }
  return out;
}

// Whether a procedure's body, with its own plain locals, can take its one
// by-reference parameter by value without anything showing: it never writes
// the parameter nor any wrapper (so no variable of its caller changes while it
// runs), hands no variable of the program on, and calls no procedure but
// itself. Names of the program's variables carry digits (LOC3, PUB0, M92);
// every such name must be the method's own or read through Get().
bool ReadsOnly(std::string_view body, const std::string& self, const std::string& parameter) {
  const std::string code = CodeOnly(body);
  for (const char* write : {".Set(", ".Next(", ".getInput(", ".set", "KWU_F"}) {
    if (code.find(write) != std::string::npos) return false;
  }
  static const std::regex kLocal(R"(\n +[A-Za-z_]+ ([A-Za-z_][A-Za-z0-9_]*)=)");
  std::set<std::string, std::less<>> own = {self, parameter};
  for (auto m = std::sregex_iterator(code.begin(), code.end(), kLocal); m != std::sregex_iterator(); ++m) {
    own.insert((*m)[1].str());
  }
  for (size_t k = 0; k < code.size(); ++k) {
    if (!IsNameChar(code[k]) || (k > 0 && (IsNameChar(code[k - 1]) || code[k - 1] == '.'))) continue;
    size_t end = k;
    while (end < code.size() && IsNameChar(code[end])) ++end;
    const std::string_view name = std::string_view(code).substr(k, end - k);
    const bool digits = name.find_first_of("0123456789") != std::string_view::npos &&
                        std::isdigit(static_cast<unsigned char>(name[0])) == 0;
    const bool read = name == parameter ? UseAt(code, end) >= 0 : code.compare(end, 6, ".Get()") == 0;
    if (name == parameter ? !read : digits && own.count(name) == 0 && !read) return false;
    k = end - 1;
  }
  return true;
}

// Every call of `method` in text with its argument's value, read where the
// call is made: `M92(new KWV_Long(34))` becomes `M92((new KWV_Long(34)).Get())`.
std::string ValueCalls(const std::string& text, const std::string& method) {
  std::string out;
  const std::string call = method + "(";
  size_t from = 0;
  for (size_t at; (at = text.find(call, from)) != std::string::npos;) {
    const size_t open = at + call.size();
    const bool own = at == 0 || (!IsNameChar(text[at - 1]) && text[at - 1] != '.');
    const size_t close = own ? Close(text, open) : std::string::npos;
    out += text.substr(from, open - from);
    from = open;
    if (close == std::string::npos) continue;
    out += "(" + ValueCalls(text.substr(open, close - open), method) + ").Get()";
    from = close;
  }
  return out + text.substr(from);
}

}  // namespace

std::string ValueParameters(std::string_view program) {
  static const std::regex kHeader(R"(\n    public ([A-Za-z_]+) (M[0-9]+)\((KWV_[A-Za-z]+) (LOC[0-9]+)\)\{\r\n)");
  std::string text(program);
  std::vector<std::pair<std::string, std::string>> changed;  // method, its parameter's wrapper
  for (auto m = std::sregex_iterator(text.begin(), text.end(), kHeader); m != std::sregex_iterator(); ++m) {
    const PlainType* type = nullptr;
    for (const PlainType& t : kPlainTypes) type = t.wrapper == (*m)[3].str() ? &t : type;
    const size_t body = static_cast<size_t>(m->position() + m->length());
    const size_t end = text.find("\n    }\r\n", body);
    if (type == nullptr || end == std::string::npos) continue;
    if (!ReadsOnly(std::string_view(text).substr(body, end - body), (*m)[2].str(), (*m)[4].str())) continue;
    changed.emplace_back((*m)[2].str(), (*m)[3].str());
  }
  for (const auto& [method, wrapper] : changed) {
    const std::regex header("\n    public ([A-Za-z_]+) " + method + "\\(" + wrapper + " (LOC[0-9]+)\\)\\{\r\n");
    std::smatch m;
    std::regex_search(text, m, header);
    const size_t start = static_cast<size_t>(m.position());
    const size_t body = start + static_cast<size_t>(m.length());
    const size_t end = text.find("\n    }\r\n", body);
    Rewriter r;
    for (const PlainType& t : kPlainTypes) {
      if (t.wrapper == wrapper) r.plain[m[2].str()] = std::string(t.java);
    }
    const std::string head =
        "\n    public " + m[1].str() + " " + method + "(" + r.plain.begin()->second + " " + m[2].str() + "){\r\n";
    text = ValueCalls(text.substr(0, start), method) + head + r.Rewrite(ValueCalls(text.substr(body, end - body), method)) +
           ValueCalls(text.substr(end), method);
  }
  return text;
}

namespace {

// What a name declared in the program is: an array whose elements are kept
// as Java values (a primitive table, or strings), an array of records, or
// anything else.
enum class ArrayKind { kOther, kString, kPrimitive, kRecord };

// Whether a Java text calls one of the program's procedures (M92(...)).
bool CallsProcedure(std::string_view text) {
  for (size_t k = text.find('M'); k != std::string_view::npos; k = text.find('M', k + 1)) {
    if (k > 0 && IsNameChar(text[k - 1])) continue;
    size_t d = k + 1;
    while (d < text.size() && std::isdigit(static_cast<unsigned char>(text[d])) != 0) ++d;
    if (d > k + 1 && d < text.size() && text[d] == '(') return true;
  }
  return false;
}

// Whether working out a Java value can neither fail nor change anything:
// names, numbers, casts, TRUE and FALSE, and operators other than / and %.
bool Harmless(std::string_view text) {
  for (size_t k = 0; k < text.size(); ++k) {
    const char c = text[k];
    if (c == '"' || c == '\'' || c == '/' || c == '%') return false;
    if (c == '=' && !(k > 0 && std::string_view("=<>!").find(text[k - 1]) != std::string_view::npos) &&
        !(k + 1 < text.size() && text[k + 1] == '='))
      return false;
    if ((c == '+' || c == '-') && k + 1 < text.size() && text[k + 1] == c) return false;
    if (c == '(' && k > 0 && IsNameChar(text[k - 1])) {
      const bool constant = (k >= 7 && text.compare(k - 7, 7, "KW_true") == 0) ||
                            (k >= 8 && text.compare(k - 8, 8, "KW_false") == 0);
      if (!constant || k + 1 >= text.size() || text[k + 1] != ')') return false;
    }
  }
  return true;
}

// The one subscript of `index` when it is `name.index(i)`, else empty.
std::string_view OneSubscript(std::string_view index, std::string_view name) {
  constexpr std::string_view kIndex = ".index(";
  if (index.size() <= name.size() + kIndex.size() || index.substr(0, name.size()) != name ||
      index.compare(name.size(), kIndex.size(), kIndex) != 0)
    return {};
  const size_t args = name.size() + kIndex.size();
  if (Close(index, args) != index.size() - 1) return {};
  const std::string_view subscript = index.substr(args, index.size() - 1 - args);
  int depth = 0;
  for (size_t k = 0; k < subscript.size(); ++k) {
    if (const size_t past = SkipQuoted(subscript, k); past != k) {
      k = past - 1;
      continue;
    }
    if (subscript[k] == '(') ++depth;
    if (subscript[k] == ')') --depth;
    if (subscript[k] == ',' && depth == 0) return {};
  }
  return subscript;
}

// The elements of the arrays `arrays` names in `view`, read and stored in
// their arrays (see ElementValues).
std::string ArrayElementValues(std::string_view view, const std::map<std::string, ArrayKind>& arrays) {
  std::string out;
  out.reserve(view.size());
  constexpr std::string_view kGetValue = ".getValue(";
  size_t from = 0;
  for (size_t k = 0; k < view.size(); ++k) {
    if (const size_t past = SkipQuoted(view, k); past != k) {
      k = past - 1;
      continue;
    }
    if (view.compare(k, kGetValue.size(), kGetValue) != 0) continue;
    size_t start = k;
    while (start > 0 && IsNameChar(view[start - 1])) --start;
    if (start == k || (start > 0 && view[start - 1] == '.')) continue;
    const std::string_view name = view.substr(start, k - start);
    const auto known = arrays.find(std::string(name));
    if (known == arrays.end() || known->second == ArrayKind::kOther) continue;
    const size_t args = k + kGetValue.size();
    const size_t close = Close(view, args);
    if (close == std::string_view::npos) continue;
    const std::string_view index = view.substr(args, close - args);
    if (known->second == ArrayKind::kRecord) {
      // A record is taken, not read or stored: only the subscript's test changes.
      const std::string_view one = OneSubscript(index, name);
      if (one.empty()) continue;
      out.append(view.substr(from, k - from)).append(".getValue1(").append(ArrayElementValues(one, arrays)).append(")");
      from = close + 1;
      k = from - 1;
      continue;
    }
    // A one-dimension subscript of a primitive table is checked once, in get1
    // or set1; a store does so after working out its value, so only a value
    // that cannot fail keeps the error the subscript gives first.
    const std::string_view one = known->second == ArrayKind::kPrimitive ? OneSubscript(index, name) : std::string_view();
    if (view.compare(close + 1, 6, ".Get()") == 0) {
      out.append(view.substr(from, k - from));
      if (!one.empty()) {
        out.append(".get1(").append(ArrayElementValues(one, arrays)).append(")");
      } else {
        out.append(".get(").append(ArrayElementValues(index, arrays)).append(")");
      }
      from = close + 7;
    } else if (view.compare(close + 1, 5, ".Set(") == 0) {
      const size_t end = Close(view, close + 6);
      // A procedure called for the value may REDIM the array: the element is
      // then the one chosen before, as the wrapper has it.
      if (end == std::string_view::npos || CallsProcedure(view.substr(close + 6, end - close - 6))) continue;
      const std::string_view value = view.substr(close + 6, end - close - 6);
      out.append(view.substr(from, k - from));
      if (!one.empty() && Harmless(value)) {
        out.append(".set1(").append(ArrayElementValues(one, arrays)).append(",");
      } else {
        out.append(".set(").append(ArrayElementValues(index, arrays)).append(",");
      }
      out.append(ArrayElementValues(value, arrays)).append(")");
      from = end + 1;
    } else {
      continue;
    }
    k = from - 1;
  }
  out.append(view.substr(from));
  return out;
}

}  // namespace

std::string ElementValues(std::string_view program) {
  static const std::regex kDeclared(R"(\b(KW[A-Z]_[A-Za-z_0-9]+|[A-Za-z_][A-Za-z_0-9]*)(\[\])? ([A-Za-z_][A-Za-z_0-9]*)\s*[=;,)])");
  static const std::regex kPrimitive("KWA_(Boolean|Byte|Integer|Long|Longlong|Single|Double)");
  static const std::regex kRecordArray("KWA_TYP[0-9]+");
  // A name declared as anything else anywhere is left as it is.
  std::map<std::string, ArrayKind> arrays;
  const std::string text(program);
  for (auto m = std::sregex_iterator(text.begin(), text.end(), kDeclared); m != std::sregex_iterator(); ++m) {
    ArrayKind kind = ArrayKind::kOther;
    if (const std::string type = (*m)[1].str(); !(*m)[2].matched) {
      kind = std::regex_match(type, kPrimitive)     ? ArrayKind::kPrimitive
             : type == "KWA_String"                 ? ArrayKind::kString
             : std::regex_match(type, kRecordArray) ? ArrayKind::kRecord
                                                    : ArrayKind::kOther;
    }
    auto [at, fresh] = arrays.emplace((*m)[3].str(), kind);
    if (!fresh && at->second != kind) at->second = ArrayKind::kOther;
  }
  return ArrayElementValues(text, arrays);
}

}  // namespace corvel
