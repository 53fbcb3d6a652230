#include "app/NewGame.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#ifdef _WIN32
#include "app/ProgramFolder.h"

#include <process.h>
#else
#include <unistd.h>
#endif

namespace {

void reportFailure(const char* why) {
    fprintf(stderr, "A new game could not be started: %s.\n", why);
}

} // namespace

#ifdef _WIN32

// Windows cannot replace a running program with another, so the new game
// runs as a child on the same console, and this process hands on its exit
// code when it ends. The game takes no arguments; its own path is quoted,
// since the child's command line is the arguments joined by spaces.
void startNewGame(char**) {
    const std::string program = programPath();
    if (program.empty()) {
        reportFailure("the program's own path is unknown");
        return;
    }
    const std::string quoted = "\"" + program + "\"";
    const char* const arguments[] = {quoted.c_str(), nullptr};
    fflush(nullptr);
    const intptr_t code = _spawnv(_P_WAIT, program.c_str(), arguments);
    if (code == -1) {
        reportFailure(strerror(errno));
        return;
    }
    exit(static_cast<int>(code));
}

#else

// The program replaces itself: the same process, so the same console and
// the same parent waiting for its exit code.
void startNewGame(char** argv) {
    fflush(nullptr);
    execv("/proc/self/exe", argv);
    reportFailure(strerror(errno));
}

#endif
