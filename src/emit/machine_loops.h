#pragma once

#include <string>
#include <string_view>

namespace corvel {

/// The Java text of one method (`corvel -O`) whose program-counter machine
/// takes fewer trips through its dispatch:
/// - a one-line `IF c THEN GOTO L` jumps to L's case at once, and goes on
///   with the next line by falling through, instead of dispatching twice;
/// - a case that no jump names loses its label;
/// - a case whose code jumps back to itself, with no case inside it, runs as
///   a Java loop: `case 24:for(;;){ ... continue; ... }`; its other jumps
///   leave through the dispatch (`continue End;`).
/// Lines are neither added nor removed: the line map holds as it is. A
/// method in any other shape comes back unchanged.
std::string MachineLoops(std::string_view method);

}  // namespace corvel
