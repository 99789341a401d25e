// Writing a translation's output into the output folder.
#pragma once

#include <cstdint>

#include "context/context.h"

namespace corvel {

// Writes <Program>.java and <Program>.html into the output folder and copies
// the runtime classes from <app dir>/SysLib. Every file is written under a
// temporary name and renamed into place only when all are written; a rename
// that still fails puts back what the earlier ones replaced, so the folder
// holds the old set or the new one. Refuses to write when another program's
// Java file in the folder defines a class this one would write. 0 on
// success; 1 with ctx.failureText set.
int16_t WriteJavaProgram(TranslationContext& ctx);

// After javac: <Program>.jar in the output folder, holding the program's
// classes, the runtime classes it uses, the viewer, the page and the line
// map, and starting the viewer on the page. Made by the JDK's jar tool
// beside javac, under a temporary name renamed into place. 0 on success; 1
// with ctx.failureText set.
int16_t WriteJar(TranslationContext& ctx);

}  // namespace corvel
