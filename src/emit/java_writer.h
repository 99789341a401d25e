// The output of a translation: the Java file, the page that embeds the
// program, and the runtime classes it needs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "symbols/context.h"

namespace corvel {

// The Java file: the program class, then the classes of its user types.
std::string BuildJavaProgram(const TranslationContext& ctx);

// The classes of the Java file besides the program class: one per user type,
// and the array class of each user type used in an array.
std::vector<std::string> UserTypeClassNames(const TranslationContext& ctx);

// The page: the applet line with the program's size and its PARAM lines.
std::string BuildHtmlPage(const TranslationContext& ctx);

// The runtime classes the output folder needs (class names; their nested
// Name$*.class files go with them).
std::vector<std::string> RuntimeClassesNeeded(const TranslationContext& ctx);

// Writes <Program>.java and <Program>.html into the output folder and copies
// the runtime classes from <app dir>/SysLib. Every file is written under a
// temporary name and renamed into place only when all are written; a rename
// that still fails puts back what the earlier ones replaced, so the folder
// holds the old set or the new one. Refuses to write when another program's
// Java file in the folder defines a class this one would write. 0 on
// success; 1 with ctx.failureText set.
int16_t WriteJavaProgram(TranslationContext& ctx);

}  // namespace corvel
