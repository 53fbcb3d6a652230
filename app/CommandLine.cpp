#include "app/CommandLine.h"

#include "game/Difficulty.h"

#include <cstring>

namespace {

const char* const DIFFICULTY_OPTION = "--difficulty";

CommandLine refused(const std::string& complaint) {
    return {CommandLineAction::REFUSE, &STANDARD, complaint};
}

std::string choices() {
    return difficultyNames("|");
}

// The name after --difficulty, given as the next argument or after "=".
const char* difficultyName(int argc, char** argv, int& i) {
    const char* argument = argv[i];
    const size_t length = std::strlen(DIFFICULTY_OPTION);
    if (argument[length] == '=')
        return argument + length + 1;
    return i + 1 < argc ? argv[++i] : nullptr;
}

bool isDifficultyOption(const char* argument) {
    const size_t length = std::strlen(DIFFICULTY_OPTION);
    return std::strncmp(argument, DIFFICULTY_OPTION, length) == 0 &&
           (argument[length] == '\0' || argument[length] == '=');
}

} // namespace

CommandLine readCommandLine(int argc, char** argv) {
    CommandLine line = {CommandLineAction::PLAY, &STANDARD, ""};
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
            line.action = CommandLineAction::HELP;
        } else if (isDifficultyOption(argument)) {
            const char* name = difficultyName(argc, argv, i);
            if (name == nullptr)
                return refused("--difficulty needs a name: " + choices());
            line.difficulty = findDifficulty(name);
            if (line.difficulty == nullptr)
                return refused("unknown difficulty '" + std::string(name) + "'; choose one of " +
                               choices());
        } else {
            return refused("unknown option '" + std::string(argument) +
                           "'; the options are --difficulty " + choices() + " and --help");
        }
    }
    return line;
}

std::string usage(const char* programName) {
    return std::string("Usage: ") + programName + " [--difficulty " + choices() + "]\n" +
           "       " + programName +
           " --help\n\n"
           "Talmorak Arena: a mage against twenty monsters, with four runes.\n\n"
           "  --difficulty NAME  how fast danger comes, gentlest first; standard, the\n"
           "                     game's own pace, when none is chosen. L chooses it too,\n"
           "                     on the opening screen.\n"
           "  --help             print this and exit\n";
}
