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

namespace {

// The argument with which the starter starts each game.
const char* const STARTED_GAME_ARGUMENT = "--started-game";
// A game's exit code when it ends for a new game: none of the game's own
// codes (0 and 1), nor one Windows gives a crashed program.
const int NEW_GAME_EXIT_CODE = 0x4E47;

bool startedByStarter(char** argv) {
    return argv[0] != nullptr && argv[1] != nullptr && strcmp(argv[1], STARTED_GAME_ARGUMENT) == 0;
}

// Runs one game as a child on this console and returns its exit code, or -1
// when it could not be started. The child's command line is its arguments
// joined by spaces, so the program's own path is quoted.
intptr_t playOneGame(const std::string& program) {
    const std::string quoted = "\"" + program + "\"";
    const char* const arguments[] = {quoted.c_str(), STARTED_GAME_ARGUMENT, nullptr};
    fflush(nullptr);
    return _spawnv(_P_WAIT, program.c_str(), arguments);
}

} // namespace

bool runAsGameStarter(char** argv, int& exitCode) {
    if (startedByStarter(argv))
        return false;
    const std::string program = programPath();
    if (program.empty())
        return false;
    intptr_t code = playOneGame(program);
    if (code == -1)
        return false;
    while (code == NEW_GAME_EXIT_CODE) {
        code = playOneGame(program);
        if (code == -1) {
            reportFailure(strerror(errno));
            code = 1;
        }
    }
    exitCode = static_cast<int>(code);
    return true;
}

void startNewGame(char** argv) {
    if (!startedByStarter(argv)) {
        reportFailure("this game has no starter to start it");
        return;
    }
    fflush(nullptr);
    exit(NEW_GAME_EXIT_CODE);
}

#else

bool runAsGameStarter(char**, int&) {
    return false;
}

// The program replaces itself: the same process, so the same console and
// the same parent waiting for its exit code.
void startNewGame(char** argv) {
    fflush(nullptr);
    execv("/proc/self/exe", argv);
    reportFailure(strerror(errno));
}

#endif
