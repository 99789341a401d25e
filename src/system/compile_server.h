// The compile server `corvel --run` shares: a JVM of the user's
// (runtime/KWC_Service.java --serve) that outlives one command, keeps the
// compiler loaded and compiled to machine code, and does javac's work in a
// fraction of javac's time. A command finds it by its socket, in a folder
// only the user may enter, and starts one in the background when there is
// none; it ends by itself once unused for a while.
#pragma once

#include <string>
#include <string_view>

namespace corvel {

// Where the server of this `java` and these runtime classes (`syslib`)
// listens; empty when no private folder can be had for it, or when
// CORVEL_NO_COMPILE_SERVER is set.
std::string CompileServerSocket(const std::string& java, const std::string& syslib);

// Compiles `dir`/`name`.java as javac started in `dir` does, in the server
// at `socket`; `output` gets what javac would print. javac's exit status;
// -1 when no server answers there (or an interrupt came): nothing was
// compiled, and javac is the way.
int CompileInServer(const std::string& socket, const std::string& dir, const std::string& name,
                    std::string_view release, std::string& output);

// Starts a server at `socket` in the background, on its own and at the
// lowest priority, to warm up on `dir`/`name`.java. Nothing is waited for;
// a server already there keeps the socket.
void StartCompileServer(const std::string& java, const std::string& syslib, const std::string& socket,
                        const std::string& dir, const std::string& name, std::string_view release);

}  // namespace corvel
