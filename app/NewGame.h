#pragma once

#include <string>
#include <vector>

struct Difficulty;

// Starts the program anew for a new game at the difficulty of the last one,
// in the same working folder and console, so a new game begins exactly as
// the first one did and whoever started the program still sees every
// message and the exit code of the last game. The window and the media
// library must be closed already. Returns only when the new game could not
// be started, having said why on standard error.
void startNewGame(char** argv, const Difficulty& difficulty);

// Windows cannot replace a running program with another. There the process
// the player starts only starts games: each game runs as its child on the
// same console, a game that ends for a new one is followed by the next, and
// the last game's exit code is the starter's own. The starter loads no game
// data, so however many games are played, two processes are alive.
// Each game is started at the difficulty the game before it ended with,
// the first at `difficulty`.
// Returns true in the starter, once the last game has ended, with the code
// to exit with; false in a game, and on systems where a game replaces
// itself (or when no game could be started, so that this process plays).
bool runAsGameStarter(char** argv, const Difficulty& difficulty, int& exitCode);

// True for the argument the starter gives the games it starts, which the
// command line takes without complaint.
bool isRestartArgument(const char* argument);

// What a new game is started with after the program's own name: its
// difficulty, as the command line reads it.
std::vector<std::string> newGameArguments(const Difficulty& difficulty);

// On Windows a game that ends for a new one tells its starter so by its exit
// code, which carries the difficulty; nullptr for a code that asks for no
// new game.
int newGameExitCode(const Difficulty& difficulty);
const Difficulty* newGameDifficulty(int exitCode);
