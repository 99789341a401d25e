// The texts of a translation's output: the Java file, the page that embeds
// the program, and the list of runtime classes it needs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "context/context.h"

namespace corvel {

// The Java file (the program class, then the classes of its user types)
// with, for each of its lines, the Corvel line whose code it is (0 for a
// line of no statement).
struct JavaFile {
  std::string text;
  std::vector<int> corvelLines;
};
JavaFile BuildJavaFile(const TranslationContext& ctx);

// The line map written beside the Java file, for the viewer's runtime
// errors and for javac's:
//   corvel-lines 1
//   source NAME.txt
//   java N        then N lines: the Corvel line of each Java line, 0 for none
//   text K        then K lines: a Corvel line used above or an OPTION line,
//                 a tab, its text
std::string BuildLineMap(const TranslationContext& ctx, const std::vector<int>& corvel_lines);


// The page: the applet line with the program's size and its PARAM lines.
std::string BuildHtmlPage(const TranslationContext& ctx);

// The runtime classes the output folder needs (class names; their nested
// Name$*.class files go with them).
std::vector<std::string> RuntimeClassesNeeded(const TranslationContext& ctx);

}  // namespace corvel
