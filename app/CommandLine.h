#pragma once

#include <string>

struct Difficulty;

// What the command line asks of the program.
enum class CommandLineAction {
    PLAY,   // play a game at `difficulty`
    HELP,   // print the usage on standard output and exit 0
    REFUSE, // print `complaint` on standard error and exit 2
};

struct CommandLine {
    CommandLineAction action;
    const Difficulty* difficulty; // the standard unless one is chosen
    std::string complaint;        // one line, naming the choices
};

// Reads `talmorak [--difficulty NAME] [--help]`. The program's own name is
// argv[0].
CommandLine readCommandLine(int argc, char** argv);

// The usage, for --help.
std::string usage(const char* programName);

// The exit codes of --help and of a command line the program refuses.
const int HELP_EXIT_CODE = 0;
const int REFUSED_EXIT_CODE = 2;
