#include "app/NewGame.h"

#include "game/Difficulty.h"

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

// A game's exit code when it ends for a new game, plus the index of its
// difficulty: none of the game's own codes (0, 1 and 2), nor one Windows
// gives a crashed program.
const int NEW_GAME_EXIT_CODE = 0x4E47;

} // namespace

std::vector<std::string> newGameArguments(const Difficulty& difficulty) {
    return {"--difficulty", difficulty.name};
}

int newGameExitCode(const Difficulty& difficulty) {
    return NEW_GAME_EXIT_CODE + static_cast<int>(&difficulty - DIFFICULTIES);
}

const Difficulty* newGameDifficulty(int exitCode) {
    const int index = exitCode - NEW_GAME_EXIT_CODE;
    return index >= 0 && index < DIFFICULTY_COUNT ? &DIFFICULTIES[index] : nullptr;
}

#ifdef _WIN32

namespace {

// The argument with which the starter starts each game.
const char* const STARTED_GAME_ARGUMENT = "--started-game";
bool startedByStarter(char** argv) {
    return argv[0] != nullptr && argv[1] != nullptr && strcmp(argv[1], STARTED_GAME_ARGUMENT) == 0;
}

// Runs one game as a child on this console and returns its exit code, or -1
// when it could not be started. The child's command line is its arguments
// joined by spaces, so the program's own path is quoted.
intptr_t playOneGame(const std::string& program, const Difficulty& difficulty) {
    const std::string quoted = "\"" + program + "\"";
    const std::vector<std::string> chosen = newGameArguments(difficulty);
    std::vector<const char*> arguments = {quoted.c_str(), STARTED_GAME_ARGUMENT};
    for (const std::string& argument : chosen)
        arguments.push_back(argument.c_str());
    arguments.push_back(nullptr);
    fflush(nullptr);
    return _spawnv(_P_WAIT, program.c_str(), arguments.data());
}

} // namespace

bool isRestartArgument(const char* argument) {
    return strcmp(argument, STARTED_GAME_ARGUMENT) == 0;
}

bool runAsGameStarter(char** argv, const Difficulty& difficulty, int& exitCode) {
    if (startedByStarter(argv))
        return false;
    const std::string program = programPath();
    if (program.empty())
        return false;
    intptr_t code = playOneGame(program, difficulty);
    if (code == -1)
        return false;
    for (const Difficulty* next = newGameDifficulty(static_cast<int>(code)); next != nullptr;
         next = newGameDifficulty(static_cast<int>(code))) {
        code = playOneGame(program, *next);
        if (code == -1) {
            reportFailure(strerror(errno));
            code = 1;
        }
    }
    exitCode = static_cast<int>(code);
    return true;
}

void startNewGame(char** argv, const Difficulty& difficulty) {
    if (!startedByStarter(argv)) {
        reportFailure("this game has no starter to start it");
        return;
    }
    fflush(nullptr);
    exit(newGameExitCode(difficulty));
}

#else

bool runAsGameStarter(char**, const Difficulty&, int&) {
    return false;
}

bool isRestartArgument(const char*) {
    return false;
}

// The program replaces itself: the same process, so the same console and
// the same parent waiting for its exit code, with the difficulty chosen.
void startNewGame(char** argv, const Difficulty& difficulty) {
    std::vector<std::string> chosen = newGameArguments(difficulty);
    std::vector<char*> arguments = {argv[0]};
    for (std::string& argument : chosen)
        arguments.push_back(&argument[0]);
    arguments.push_back(nullptr);
    fflush(nullptr);
    execv("/proc/self/exe", arguments.data());
    reportFailure(strerror(errno));
}

#endif
