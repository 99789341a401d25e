#include "emit/java_writer.h"

#include <fmt/format.h>

#include <algorithm>

#include "emit/machine_loops.h"
#include "emit/plain_locals.h"
#include "source/source_reader.h"
#include "source/token_codes.h"
#include "stmt/jumps.h"
#include "stmt/statement_helpers.h"
#include "symbols/program_name.h"
#include "symbols/symbol_tables.h"

namespace corvel {
namespace {

// Lines of Java, each ending in CR LF, indented by spaces, and for each
// the Corvel line it is the code of (0 for none).
struct JavaText {
  std::string text;
  std::vector<int> corvelLines;
  int corvelLine = 0;  // the line the next lines come from
  int shift = 0;       // added to every indentation: the text of a nested class
  void Line(int indent, std::string_view line) {
    text.append(static_cast<size_t>(indent + shift), ' ');
    text += line;
    text += kCrLf;
    corvelLines.push_back(corvelLine);
  }
  // Every line of a translator's text, all at one indentation; with
  // `origins` (one per line), each line's own Corvel line.
  void Lines(int indent, std::string_view lines, const std::vector<int16_t>& origins = {}) {
    const bool own = !origins.empty() && origins.size() == CodeLineCount(lines);
    const int line_of_text = corvelLine;
    size_t start = 0;
    for (size_t k = 0; start <= lines.size(); ++k) {
      if (own) corvelLine = origins[k];
      const size_t end = lines.find(kCrLf, start);
      Line(indent, lines.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
      if (end == std::string_view::npos) break;
      start = end + kCrLf.size();
    }
    corvelLine = line_of_text;
  }
};

std::string ClassOfVariable(const TranslationContext& ctx, const VariableRecord& v) {
  if (v.type == kTypeArray) {
    const ArrayRecord& array = ctx.arrays[static_cast<size_t>(v.extra)];
    return JavaArrayClassOf(ctx, array.elementType, array.elementExtra);
  }
  return JavaClassOf(ctx, v.type, v.extra);
}

// n.setDimension(..); n.setRange(k, lower, upper); ...; n.setElement(0);
void ArraySetUp(const TranslationContext& ctx, JavaText& out, int indent, const VariableRecord& v) {
  const ArrayRecord& array = ctx.arrays[static_cast<size_t>(v.extra)];
  if (array.dimensions == 0) return;
  out.Line(indent, fmt::format("{}.setDimension({});", v.javaName, array.dimensions));
  for (int k = 0; k < array.dimensions; ++k) {
    out.Line(indent, fmt::format("{}.setRange({},{},{});", v.javaName, k + 1, array.bounds[static_cast<size_t>(2 * k)],
                                 array.bounds[static_cast<size_t>(2 * k + 1)]));
  }
  out.Line(indent, fmt::format("{}.setElement(0);", v.javaName));
}

// The creation of a variable, as a field (`field`) or a local or element.
void Declaration(const TranslationContext& ctx, JavaText& out, int indent, const VariableRecord& v, bool field,
                 bool with_class = true) {
  const std::string k = ClassOfVariable(ctx, v);
  const std::string head = with_class ? k + " " : std::string();
  if (v.type == kTypeFixedString) {
    out.Line(indent, fmt::format("{}{}=new KWV_String({});", head, v.javaName, v.extra));
    return;
  }
  // An array of fixed-length strings makes its elements with their length.
  const bool fixed_strings =
      v.type == kTypeArray && ctx.arrays[static_cast<size_t>(v.extra)].elementType == kTypeFixedString;
  const std::string length =
      fixed_strings ? std::to_string(ctx.arrays[static_cast<size_t>(v.extra)].elementExtra) : std::string();
  out.Line(indent, fmt::format("{}{}=new {}({});", head, v.javaName, k, length));
  if (v.type != kTypeArray || ctx.arrays[static_cast<size_t>(v.extra)].dimensions == 0) return;
  if (!field) {
    ArraySetUp(ctx, out, indent + 4, v);
    return;
  }
  // Statements cannot stand at class level: a field's set-up runs in an
  // instance initializer, in declaration order.
  out.Line(indent, "{");
  ArraySetUp(ctx, out, indent + 4, v);
  out.Line(indent, "}");
}

// The creation of this many variables stays well inside a Java method's
// 64 KB, arrays with their ranges included, and their names inside a class
// file's constants: more are created in set-up methods of this many each,
// or spread over the classes of a frame.
constexpr size_t kSetUpPerMethod = 400;

// Fields at `indent`: created in their declarations, or, when there are
// many, declared and then created by set-up methods (named after `prefix`)
// that an instance initializer calls in declaration order.
void Fields(const TranslationContext& ctx, JavaText& out, int indent, const std::vector<const VariableRecord*>& all,
            std::string_view prefix = "SetUp") {
  if (all.size() <= kSetUpPerMethod) {
    for (const VariableRecord* v : all) {
      out.Line(indent, "// " + v->name);
      Declaration(ctx, out, indent, *v, true);
    }
    return;
  }
  for (const VariableRecord* v : all) {
    out.Line(indent, "// " + v->name);
    out.Line(indent, ClassOfVariable(ctx, *v) + " " + v->javaName + ";");
  }
  const size_t methods = (all.size() + kSetUpPerMethod - 1) / kSetUpPerMethod;
  out.Line(indent, "{");
  for (size_t k = 0; k < methods; ++k) out.Line(indent + 4, fmt::format("{}{}();", prefix, k));
  out.Line(indent, "}");
  for (size_t k = 0; k < methods; ++k) {
    out.Line(indent, fmt::format("private void {}{}(){{", prefix, k));
    const size_t end = std::min(all.size(), (k + 1) * kSetUpPerMethod);
    for (size_t i = k * kSetUpPerMethod; i < end; ++i) Declaration(ctx, out, indent + 4, *all[i], false, false);
    out.Line(indent, "}");
  }
}

std::vector<const VariableRecord*> RecordsOf(const std::vector<const IndexedTable<VariableRecord>*>& tables) {
  std::vector<const VariableRecord*> all;
  for (const IndexedTable<VariableRecord>* table : tables) {
    for (const VariableRecord& v : table->records) all.push_back(&v);
  }
  return all;
}

// The texts of records first..last, with their comments and, under the
// program-counter machine, their case labels.
void Records(const TranslationContext& ctx, JavaText& out, int first, int last, bool program_counter) {
  for (int i = first; i <= last; ++i) {
    const Statement& s = ctx.statements[static_cast<size_t>(i)];
    if (program_counter && s.caseLabel == kCaseLabelBefore) out.Line(0, fmt::format("case {}:", i + 1));
    if (s.kind == kKindTranslated) {
      const int indent = 8 + 4 * (s.blockDepth + s.indentShift);
      out.corvelLine = s.lineNumber;
      if (s.span > 0 && !s.commentWritten) out.Line(indent, "// " + SourceCommentText(ctx, s));
      out.Lines(indent, s.codeText, s.codeLines);
      out.corvelLine = 0;
    }
    if (program_counter && s.caseLabel == kCaseLabelAfter) out.Line(0, fmt::format("case {}:", i + 1));
  }
}

// Whether the program-counter machine enters the unit through its own
// "case -1:" (a unit that begins with a jump prints its case behind it).
bool EntersThroughOwnCase(const TranslationContext& ctx, int16_t first) {
  const Statement& head = ctx.statements[static_cast<size_t>(first)];
  return head.caseLabel == kCaseLabelAfter && head.span > 0 && !head.commentWritten;
}

// The case the machine starts at.
int FirstCase(const TranslationContext& ctx, const UnitRecord& unit) {
  return EntersThroughOwnCase(ctx, unit.first) ? -1 : unit.first + 1;
}

// The label of the unit's first case, when no record prints it.
void FirstCaseLine(const TranslationContext& ctx, JavaText& out, const UnitRecord& unit) {
  if (EntersThroughOwnCase(ctx, unit.first)) {
    out.Line(0, "case -1:");
  } else if (ctx.statements[static_cast<size_t>(unit.first)].caseLabel == kCaseLabelNone) {
    out.Line(0, fmt::format("case {}:", unit.first + 1));
  }
}

// The Corvel line of the machine's dispatch "switch(PC[CPC])": the only
// fault there is a RETURN without GOSUB, so it is that RETURN's line when
// the unit has one RETURN, else 0 (the fault cannot tell which).
int SoleReturnLine(const TranslationContext& ctx, const UnitRecord& unit) {
  int line = 0;
  for (int i = unit.first; i <= unit.last && i >= 0; ++i) {
    const Statement& s = ctx.statements[static_cast<size_t>(i)];
    if (s.kind != kKindTranslated || s.codeText != kReturnCode) continue;
    if (line != 0) return 0;
    line = s.lineNumber;
  }
  return line;
}

void DispatchLine(const TranslationContext& ctx, JavaText& out, const UnitRecord& unit) {
  out.corvelLine = SoleReturnLine(ctx, unit);
  out.Line(8, "switch(PC[CPC])");
  out.corvelLine = 0;
}

// The records of a unit in one method, under the program-counter machine
// when the unit jumps.
void Body(const TranslationContext& ctx, JavaText& out, const UnitRecord& unit) {
  const bool program_counter = unit.jumpsUsed != 0;
  if (program_counter) {
    // A jump target's case follows only its comment, so entering there is sound.
    out.Line(8, "int PC[]=new int[255];");
    out.Line(8, "int CPC=0;");
    out.Line(8, fmt::format("PC[CPC]={};", FirstCase(ctx, unit)));
    out.Line(8, "End:while(true){");
    DispatchLine(ctx, out, unit);
    out.Line(8, "{");
    FirstCaseLine(ctx, out, unit);
  }
  Records(ctx, out, unit.first, unit.last, program_counter);
  if (program_counter) {
    out.Line(0, "case 0:");
    out.Line(8, "break End;");
    out.Line(8, "}");
    out.Line(8, "}");
  }
}

// The braces a text opens (positive) or closes, outside string literals and
// comment lines.
int BraceBalance(std::string_view text) {
  int balance = 0;
  bool line_start = true;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (line_start) {
      size_t k = i;
      while (k < text.size() && text[k] == ' ') ++k;
      if (text.compare(k, 2, "//") == 0) {  // a comment line
        i = text.find('\n', k);
        if (i == std::string_view::npos) break;
        continue;
      }
    }
    line_start = c == '\n';
    if (c == '"') {
      for (++i; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] == '\\') ++i;
      }
    } else if (c == '{') {
      ++balance;
    } else if (c == '}') {
      --balance;
    }
  }
  return balance;
}

// Where the parts of a long unit begin: records at which no Java block is
// open, about a part's size apart. Empty when the unit fits one method.
std::vector<int> PartStarts(const TranslationContext& ctx, const UnitRecord& unit) {
  size_t total = 0;
  for (int i = unit.first; i <= unit.last; ++i) total += ctx.statements[static_cast<size_t>(i)].codeText.size();
  if (total <= ctx.methodSize) return {};
  std::vector<int> starts = {unit.first};
  size_t size = 0;
  int balance = 0;
  for (int i = unit.first; i <= unit.last; ++i) {
    const Statement& s = ctx.statements[static_cast<size_t>(i)];
    if (balance == 0 && size >= ctx.partSize) {
      starts.push_back(i);
      size = 0;
    }
    if (s.kind != kKindTranslated) continue;
    size += s.codeText.size();
    balance += BraceBalance(s.codeText);
  }
  return starts;
}

// One part of a long unit: a class inside its frame, with a class file and
// constants of its own. Under the machine it runs cases while the program
// counter names one of its own: it returns false when entered at a case
// not its own, true when a jump left it or it ran to its end and handed on
// to the next part.
void Part(const TranslationContext& ctx, JavaText& out, const UnitRecord& unit, int from, int to, size_t k,
          size_t parts) {
  const bool program_counter = unit.jumpsUsed != 0;
  out.Line(0, "");
  out.Line(4, fmt::format("class KWU_Part{}", k));
  out.Line(4, "{");
  out.Line(4, fmt::format("{} part(){{", program_counter ? "boolean" : "void"));
  if (!program_counter) {
    Records(ctx, out, from, to, false);
  } else {
    out.Line(8, "for(boolean KWU_In=false;;KWU_In=true){");
    DispatchLine(ctx, out, unit);
    out.Line(8, "{");
    out.Line(0, "default:");
    out.Line(8, "return KWU_In;");
    if (k > 0) {
      out.Line(0, fmt::format("case {}:", -static_cast<int>(k) - 1));
    } else {
      FirstCaseLine(ctx, out, unit);
    }
    Records(ctx, out, from, to, true);
    // Cases no jump names keep the hand-over to the next part and the end of
    // the switch reachable for javac, whatever the part's last jump is.
    out.Line(0, fmt::format("case {}:", -1000000 - static_cast<int>(k)));
    out.Line(8, fmt::format("PC[CPC]={};", k + 1 < parts ? -static_cast<int>(k) - 2 : 0));
    out.Line(8, "return true;");
    out.Line(0, fmt::format("case {}:", -1100000 - static_cast<int>(k)));
    out.Line(8, "break;");
    out.Line(8, "}");
    out.Line(8, "}");
  }
  out.Line(4, "}");
  out.Line(4, "}");
}

// Fields per class: their names and references stay well inside the 65,535
// constants of a class file. More are declared in classes the class extends.
constexpr size_t kFieldsPerClass = 8000;

// A unit written as a frame: an object made for each call of the unit,
// holding its locals and its program counter, so that they belong to that
// call. Its class holds the unit's parts as inner classes, which see the
// locals as their own; locals too many for one class file live in classes
// it extends. Its run() runs the parts in turn, or, under the machine, the
// part that holds the current case.
void Frame(const TranslationContext& ctx, JavaText& out, const UnitRecord& unit,
           const std::vector<VariableRecord>& parameters, const std::vector<const VariableRecord*>& locals,
           const std::string& frame, std::vector<int> starts) {
  const bool program_counter = unit.jumpsUsed != 0;
  const bool has_body = unit.first >= 0 && unit.first <= unit.last;
  if (starts.empty() && has_body) starts.push_back(unit.first);
  const size_t parts = starts.size();
  // Every class but the last holds kFieldsPerClass locals.
  const size_t classes = std::max<size_t>((locals.size() + kFieldsPerClass - 1) / kFieldsPerClass, 1);
  for (size_t c = 0; c < classes; ++c) {
    const bool last = c + 1 == classes;
    const std::string name = last ? frame : fmt::format("{}_{}", frame, c);
    out.Line(0, "");
    out.Line(4, "class " + name + (c > 0 ? fmt::format(" extends {}_{}", frame, c - 1) : ""));
    out.Line(4, "{");
    if (c == 0) {
      if (program_counter) {
        out.Line(8, "int PC[]=new int[255];");
        out.Line(8, "int CPC=0;");
      }
      for (const std::string& t : unit.temporaries) out.Line(8, t);
      // The parameters: the caller's objects, handed over by the method.
      for (const VariableRecord& v : parameters) out.Line(8, ClassOfVariable(ctx, v) + " " + v.javaName + ";");
    }
    const auto from = locals.begin() + static_cast<ptrdiff_t>(c * kFieldsPerClass);
    const auto to = last ? locals.end() : from + static_cast<ptrdiff_t>(kFieldsPerClass);
    Fields(ctx, out, 8, std::vector<const VariableRecord*>(from, to), fmt::format("SetUp{}_", c));
    if (!last) {
      out.Line(4, "}");
      continue;
    }
    for (size_t k = 0; k < parts; ++k) {
      const int end = k + 1 < parts ? starts[k + 1] - 1 : unit.last;
      Part(ctx, out, unit, starts[k], end, k, parts);
    }
    for (size_t k = 0; k < parts; ++k) out.Line(8, fmt::format("final KWU_Part{} KWU_P{}=new KWU_Part{}();", k, k, k));
    if (program_counter) {
      // The first record of each part: a case n > 0 belongs to the part that
      // holds record n - 1, a case -k - 1 (the entry, a hand-over) to part k.
      std::string list;
      for (size_t k = 0; k < parts; ++k) list += (k > 0 ? "," : "") + std::to_string(starts[k]);
      out.Line(8, "final int KWU_Starts[]={" + list + "};");
      out.Line(4, "int KWU_PartOf(int r){");
      out.Line(8, "int low=0,high=KWU_Starts.length-1;");
      out.Line(8, "while(low<high){");
      out.Line(8, "    int middle=(low+high+1)>>>1;");
      out.Line(8, "    if(KWU_Starts[middle]<=r) low=middle; else high=middle-1;");
      out.Line(8, "}");
      out.Line(8, "return low;");
      out.Line(4, "}");
    }
    out.Line(0, "");
    out.Line(4, "void run(){");
    if (program_counter) {
      out.Line(8, fmt::format("PC[CPC]={};", FirstCase(ctx, unit)));
      out.Line(8, "End:while(true){");
      out.corvelLine = SoleReturnLine(ctx, unit);
      out.Line(8, "int KWU_C=PC[CPC];");
      out.corvelLine = 0;
      out.Line(8, "if(KWU_C==0) break End;");
      out.Line(8, "int KWU_K=KWU_C<0?-KWU_C-1:KWU_PartOf(KWU_C-1);");
      out.Line(8, "boolean KWU_Ran=false;");
      out.Line(8, "switch(KWU_K){");
      for (size_t k = 0; k < parts; ++k) out.Line(8, fmt::format("case {}: KWU_Ran=KWU_P{}.part(); break;", k, k));
      out.Line(8, "}");
      // A case that no part holds ends the program, as it would in one method.
      out.Line(8, "if(!KWU_Ran) break End;");
      out.Line(8, "}");
    } else {
      for (size_t k = 0; k < parts; ++k) out.Line(8, fmt::format("KWU_P{}.part();", k));
    }
    out.Line(4, "}");
    out.Line(4, "}");
  }
}

// What a unit's method holds around its body.
struct UnitText {
  int headerLine = 0;  // the Corvel lines of the header with its copy-in, and of the end
  int endLine = 0;
  std::string header;  // "public void run(){", "public short M92(short tLOC0){"
  std::string copyIn;  // by-value arguments copied into wrappers
  const std::vector<VariableRecord>* parameters = nullptr;
  std::vector<const VariableRecord*> locals;
  std::string end;    // the end statement's return, "" for the main program
  std::string frame;  // the frame's class, "KWU_Main", "KWU_M92"
  bool inFrame = false;  // written as a frame whatever its size
};

// A unit: its locals and its body in one method, or, when the body is too
// long for one or the locals too many, a frame that the method makes, hands
// the parameters and runs.
void Unit(const TranslationContext& ctx, JavaText& out, const UnitRecord& unit, const UnitText& text) {
  const bool has_body = unit.first >= 0 && unit.first <= unit.last;
  const std::vector<int> parts = has_body ? PartStarts(ctx, unit) : std::vector<int>();
  const size_t method_start = out.text.size();
  out.corvelLine = text.headerLine;
  out.Line(4, text.header);
  if (!text.copyIn.empty()) out.Lines(8, std::string_view(text.copyIn).substr(0, text.copyIn.size() - kCrLf.size()));
  out.corvelLine = 0;
  if (!text.inFrame && parts.empty() && text.locals.size() <= kSetUpPerMethod) {
    for (const VariableRecord* v : text.locals) {
      out.Line(8, "// " + v->name);
      Declaration(ctx, out, 8, *v, false);
    }
    for (const std::string& t : unit.temporaries) out.Line(8, t);
    if (has_body || text.end.empty()) out.Line(0, "");
    if (has_body) Body(ctx, out, unit);
    out.corvelLine = text.endLine;
    if (!text.end.empty()) out.Line(8, text.end);
    out.corvelLine = 0;
    out.Line(4, "}");
    if (ctx.optimize) out.text.replace(method_start, std::string::npos, MachineLoops(PlainLocals(out.text.substr(method_start))));
    return;
  }
  static const std::vector<VariableRecord> kNone;
  const std::vector<VariableRecord>& parameters = text.parameters != nullptr ? *text.parameters : kNone;
  out.Line(8, fmt::format("{} KWU_F=new {}();", text.frame, text.frame));
  for (const VariableRecord& v : parameters) out.Line(8, fmt::format("KWU_F.{}={};", v.javaName, v.javaName));
  out.Line(8, "KWU_F.run();");
  // The result is the frame's: "return MV.Get();" becomes "return KWU_F.MV.Get();".
  out.corvelLine = text.endLine;
  if (const size_t mv = text.end.find("MV"); mv != std::string::npos) {
    out.Line(8, text.end.substr(0, mv) + "KWU_F." + text.end.substr(mv));
  } else if (!text.end.empty()) {
    out.Line(8, text.end);
  }
  out.corvelLine = 0;
  out.Line(4, "}");
  Frame(ctx, out, unit, parameters, text.locals, text.frame, parts);
}

// The element lines of a user type's constructor, Set and Get, written
// inside the method itself, or, for a type of many elements, by methods of
// kSetUpPerMethod elements each that the method calls (`call`, with {} for
// the method's number), so that no method passes Java's 64 KB.
template <typename Lines>
void ElementLines(JavaText& out, const UserTypeRecord& type, std::string_view call, Lines lines) {
  const size_t count = type.elements.size();
  if (count <= kSetUpPerMethod) {
    lines(0, count);
    return;
  }
  for (size_t k = 0; k * kSetUpPerMethod < count; ++k) out.Line(8, fmt::format(fmt::runtime(call), k) + ";");
}

template <typename Lines>
void ElementMethods(JavaText& out, const UserTypeRecord& type, std::string_view header, Lines lines) {
  const size_t count = type.elements.size();
  if (count <= kSetUpPerMethod) return;
  for (size_t k = 0; k * kSetUpPerMethod < count; ++k) {
    out.Line(4, fmt::format(fmt::runtime(header), k));
    out.Line(4, "{");
    lines(k * kSetUpPerMethod, std::min(count, (k + 1) * kSetUpPerMethod));
    out.Line(4, "}");
  }
}

void UserTypeClass(const TranslationContext& ctx, JavaText& out, const UserTypeRecord& type) {
  const std::string& t = type.javaName;
  const std::vector<VariableRecord>& elements = type.elements;
  out.Line(0, "// Type - " + type.name);
  out.Line(0, "static class " + t);
  out.Line(0, "{");
  for (const VariableRecord& e : elements) {
    out.Line(4, "// " + e.name);
    out.Line(4, ClassOfVariable(ctx, e) + " " + e.javaName + ";");
  }
  const auto create = [&](size_t from, size_t to) {
    for (size_t i = from; i < to; ++i) Declaration(ctx, out, 8, elements[i], false, false);
  };
  // Set copies values into the elements' own objects, so that an element
  // passed by reference stays the record's element; an array element takes
  // the other array, as an array assignment does.
  const auto set = [&](size_t from, size_t to) {
    for (size_t i = from; i < to; ++i) {
      const VariableRecord& e = elements[i];
      if (e.type <= kTypeBoolean) {
        out.Line(8, e.javaName + ".Set(temp." + e.javaName + ".Get());");
      } else if (e.type == kTypeArray) {
        out.Line(8, e.javaName + "=temp." + e.javaName + ";");
      } else {
        out.Line(8, e.javaName + ".Set(temp." + e.javaName + ");");
      }
    }
  };
  const auto get = [&](size_t from, size_t to) {
    for (size_t i = from; i < to; ++i) {
      const VariableRecord& e = elements[i];
      if (e.type <= kTypeBoolean) {
        out.Line(8, "temp." + e.javaName + ".Set(" + e.javaName + ".Get());");
      } else {
        out.Line(8, "temp." + e.javaName + "=" + e.javaName + ".Get();");
      }
    }
  };
  out.Line(0, "");
  out.Line(4, t + "()");
  out.Line(4, "{");
  ElementLines(out, type, "Create{}()", create);
  out.Line(4, "}");
  ElementMethods(out, type, "private void Create{}()", create);
  out.Line(0, "");
  out.Line(4, "public void Set(" + t + " temp)");
  out.Line(4, "{");
  ElementLines(out, type, "Set{}(temp)", set);
  out.Line(4, "}");
  ElementMethods(out, type, "private void Set{}(" + t + " temp)", set);
  out.Line(4, "public " + t + " Get()");
  out.Line(4, "{");
  out.Line(8, t + " temp=new " + t + "();");
  ElementLines(out, type, "Get{}(temp)", get);
  out.Line(8, "return temp;");
  out.Line(4, "}");
  ElementMethods(out, type, "private void Get{}(" + t + " temp)", get);
  out.Line(0, "}");
}

// The array class of a user type: element storage over the runtime's
// KWC_Array, which keeps the shape and checks every subscript. Like the
// runtime's own array classes, REDIM PRESERVE keeps each element whose
// subscripts lie in both the old and the new ranges, at those subscripts.
void UserTypeArrayClass(JavaText& out, const std::string& t, bool optimize) {
  out.Line(0, "static class KWA_" + t);
  out.Line(0, "    extends KWC_Array");
  out.Line(0, "{");
  out.Line(4, "private " + t + " Element[] = new " + t + "[ 0 ];");
  const std::string lines[] = {
      "public void setElementData( int ElementCount, int Option )",
      "{",
      "    " + t + " TempElement[] = new " + t + "[ ElementCount ];",
      "    for( int Loop = 0; Loop < ElementCount; Loop++ )",
      "    {",
      "        int Old = Option != 0 ? previousIndex( Loop ): -1;",
      "        TempElement[ Loop ] = Old >= 0 && Old < Element.length ? Element[ Old ]: new " + t + "();",
      "    }",
      "    Element = TempElement;",
      "}",
      "public " + t + " getValue( int Number )",
      "{",
      "    return Element[ Number ];",
      "}",
      "public KWA_" + t + " Get()",
      "{",
      "    KWA_" + t + " ttV = new KWA_" + t + "();",
      "    ttV.copyShape( this );",
      "    ttV.Element = new " + t + "[ Element.length ];",
      "    for( int itL = 0; itL < Element.length; itL++ )",
      "        ttV.Element[ itL ] = Element[ itL ].Get();",
      "    return ttV;",
      "}",
      // A whole array assigned to a parameter changes the caller's array.
      "public void Set( KWA_" + t + " a )",
      "{",
      "    copyShape( a );",
      "    Element = a.Element;",
      "}",
  };
  for (const std::string& line : lines) out.Line(4, line);
  if (optimize) {
    // The fast form's getValue( index( i ) ) for one subscript, in one body
    // whose subscript test is the only one the JIT keeps.
    const std::string one[] = {
        "public " + t + " getValue1( int i )",
        "{",
        "    " + t + " e[] = Element;",
        "    int k = i - lo1;",
        "    if( only1 != 0 && k >= 0 && k < e.length ) return e[ k ];",
        "    return Element[ index( i ) ];",
        "}",
    };
    for (const std::string& line : one) out.Line(4, line);
  }
  out.Line(0, "}");
}

}  // namespace

JavaFile BuildJavaFile(const TranslationContext& ctx) {
  JavaText out;
  const std::string program = GetProgramName(ctx);
  const std::vector<const VariableRecord*> globals =
      RecordsOf({&ctx.publicVariables, &ctx.privateVariables, &ctx.staticVariables});
  // Every class but the program's own holds kFieldsPerClass of them.
  const size_t classes = std::max<size_t>((globals.size() + kFieldsPerClass - 1) / kFieldsPerClass, 1);
  std::string base = "KWC_Applet";
  for (size_t c = 0; c + 1 < classes; ++c) {
    const std::string name = fmt::format("KWU_{}_{}", program, c);
    out.Line(0, "class " + name);
    out.Line(0, "    extends " + base);
    out.Line(0, "{");
    const auto from = globals.begin() + static_cast<ptrdiff_t>(c * kFieldsPerClass);
    Fields(ctx, out, 4, std::vector<const VariableRecord*>(from, from + static_cast<ptrdiff_t>(kFieldsPerClass)),
           fmt::format("SetUp{}_", c));
    out.Line(0, "}");
    out.Line(0, "");
    base = name;
  }
  out.Line(0, "public class " + program);
  out.Line(0, "    extends " + base);
  out.Line(0, "{");
  Fields(ctx, out, 4,
         std::vector<const VariableRecord*>(globals.begin() + static_cast<ptrdiff_t>((classes - 1) * kFieldsPerClass),
                                            globals.end()));
  out.Line(4, "// Main Program");
  // The units written into the program class share its constants: once
  // their text passes this many characters the rest go to frames, each a
  // class of its own.
  constexpr size_t kClassTextBudget = 60000;
  size_t class_text = 0;
  auto in_frame = [&](const UnitRecord& unit) {
    size_t size = 0;
    for (int i = unit.first; i <= unit.last && i >= 0; ++i) size += ctx.statements[static_cast<size_t>(i)].codeText.size();
    if (size > ctx.methodSize) return true;  // a frame anyway
    class_text += size;
    return class_text > kClassTextBudget;
  };
  UnitText main;
  main.header = "public void run(){";
  main.locals = RecordsOf({&ctx.localVariables});
  main.frame = "KWU_Main";
  main.inFrame = in_frame(ctx.mainUnit);
  Unit(ctx, out, ctx.mainUnit, main);
  for (const ProcedureRecord& procedure : ctx.procedures.records) {
    if (procedure.kind < kProcedurePublicFunction || procedure.kind > kProcedurePrivateSub) continue;
    UnitText method;
    method.header = ctx.statements[static_cast<size_t>(procedure.firstStatement)].codeText;
    method.headerLine = ctx.statements[static_cast<size_t>(procedure.firstStatement)].lineNumber;
    method.endLine = ctx.statements[static_cast<size_t>(procedure.endStatement)].lineNumber;
    method.copyIn = procedure.copyInText;
    method.parameters = &procedure.parameters;
    for (const VariableRecord& v : procedure.locals) method.locals.push_back(&v);
    method.end = ctx.statements[static_cast<size_t>(procedure.endStatement)].codeText;
    method.frame = "KWU_" + procedure.javaName;
    method.inFrame = in_frame(procedure.unit);
    out.Line(0, "");
    out.Line(4, "// Method - " + procedure.name);
    Unit(ctx, out, procedure.unit, method);
  }
  // The classes of the user types are the program's own, nested in its
  // class like the frames: programs that declare types of the same names
  // share a folder without taking each other's class files.
  out.shift = 4;
  for (const UserTypeRecord& type : ctx.userTypes.records) {
    out.Line(0, "");
    UserTypeClass(ctx, out, type);
    if (type.arrayUsed != 0) {
      out.Line(0, "");
      UserTypeArrayClass(out, type.javaName, ctx.optimize);
    }
  }
  out.shift = 0;
  out.Line(0, "}");
  if (ctx.optimize) out.text = ElementValues(ValueParameters(out.text));
  return {std::move(out.text), std::move(out.corvelLines)};
}

std::string BuildLineMap(const TranslationContext& ctx, const std::vector<int>& corvel_lines) {
  std::string map = "corvel-lines 1\nsource " + ctx.sourceFileName + "\n";
  map += fmt::format("java {}\n", corvel_lines.size());
  std::vector<int> used;
  for (const int line : corvel_lines) {
    map += fmt::format("{}\n", line);
    if (line > 0) used.push_back(line);
  }
  // The OPTION lines make no Java, but the viewer names one when the page they
  // ask for does not fit in memory.
  for (const Statement& s : ctx.statements) {
    if (s.area != kAreaOptions) break;
    used.push_back(s.lineNumber);
  }
  std::sort(used.begin(), used.end());
  used.erase(std::unique(used.begin(), used.end()), used.end());
  map += fmt::format("text {}\n", used.size());
  for (const int line : used) {
    const size_t index = static_cast<size_t>(line - 1);
    map += fmt::format("{}\t{}\n", line, index < ctx.sourceLines.size() ? ctx.sourceLines[index] : "");
  }
  return map;
}

namespace {

// A value between the double quotes of an attribute, read back by the
// viewer as it was.
std::string HtmlAttribute(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (const char c : value) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '"': out += "&quot;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

std::string BuildHtmlPage(const TranslationContext& ctx) {
  const OptionValues& o = ctx.options;
  JavaText out;
  out.Line(0, fmt::format("<applet code=\"{}.class\" width={} height={}>", GetProgramName(ctx), o.appletWidth,
                          o.appletHeight));
  out.Line(4, fmt::format("<PARAM name=\"AppletWidth\" value=\"{}\">", o.appletWidth));
  out.Line(4, fmt::format("<PARAM name=\"AppletHeight\" value=\"{}\">", o.appletHeight));
  for (size_t i = 0; i < ctx.parameterNames.size(); ++i) {
    out.Line(4, fmt::format("<PARAM name=\"{}\" value=\"{}\">", HtmlAttribute(ctx.parameterNames[i]),
                            HtmlAttribute(ctx.parameterValues[i])));
  }
  const std::pair<const char*, int16_t> optional[] = {{"AppletSprite", o.appletSprite},
                                                       {"AppletPage", o.appletPage},
                                                       {"ReservedWidth", o.reservedWidth},
                                                       {"ReservedHeight", o.reservedHeight}};
  for (const auto& [name, value] : optional) {
    if (value != kOptionNotGiven) out.Line(4, fmt::format("<PARAM name=\"{}\" value=\"{}\">", name, value));
  }
  out.Line(0, "</applet>");
  return out.text;
}

std::vector<std::string> RuntimeClassesNeeded(const TranslationContext& ctx) {
  std::vector<std::string> classes = {"KWC_Applet",  "KWC_Array",        "KWC_Color",       "KWC_Color_Browser",
                                      "KWC_Color_Natural", "KWC_GraphicScreen", "KWC_Image", "KWC_Screen",
                                      "KWC_SpriteScreen",  "KWC_TextScreen",    "KWC_TransFilter",
                                      // the host that runs the program without a browser
                                      "KWC_Viewer"};
  // Each class once: the image's wrapper is always there, and STRING * n
  // uses STRING's classes.
  const auto add_once = [&](std::string_view name) {
    if (std::find(classes.begin(), classes.end(), name) == classes.end()) classes.emplace_back(name);
  };
  for (const TypeRow& row : kTypeTable) {
    if (!row.wrapper.empty() && ctx.usedTypes[VariableFlag(row.place)] != 0) add_once(row.wrapper);
  }
  for (const TypeRow& row : kTypeTable) {
    if (!row.array.empty() && ctx.usedTypes[ArrayFlag(row.place)] != 0) add_once(row.array);
  }
  for (const LibraryClass& library : ctx.libraryClasses) {
    if (library.used == 0) continue;
    for (const std::string& file : library.files) classes.push_back(file.substr(0, file.size() - 6));  // ".class"
  }
  return classes;
}

}  // namespace corvel
