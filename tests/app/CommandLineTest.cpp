// The command line: the difficulty chosen, --help and the one-line refusal
// of anything else.
#include "app/CommandLine.h"
#include "game/Difficulty.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CommandLine read(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "talmorak");
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(&argument[0]);
    argv.push_back(nullptr);
    return readCommandLine(static_cast<int>(arguments.size()), argv.data());
}

void expectNamesEveryDifficulty(const CommandLine& line) {
    EXPECT_EQ(line.action, CommandLineAction::REFUSE);
    EXPECT_EQ(line.complaint.find('\n'), std::string::npos) << line.complaint;
    for (const Difficulty& difficulty : DIFFICULTIES)
        EXPECT_NE(line.complaint.find(difficulty.name), std::string::npos) << line.complaint;
}

TEST(CommandLine, ChoosesADifficultyByNameAndRefusesAnythingElseInOneLine) {
    const CommandLine none = read({});
    EXPECT_EQ(none.action, CommandLineAction::PLAY);
    EXPECT_EQ(none.difficulty, &STANDARD);
    EXPECT_EQ(read({"--difficulty", "calm"}).difficulty, &DIFFICULTIES[0]);
    EXPECT_EQ(read({"--difficulty=brisk"}).difficulty, &DIFFICULTIES[2]);
    EXPECT_EQ(read({"--difficulty", "gentle", "--help"}).action, CommandLineAction::HELP);

    expectNamesEveryDifficulty(read({"--difficulty", "hard"}));
    expectNamesEveryDifficulty(read({"--difficulty"}));
    expectNamesEveryDifficulty(read({"--fast"}));
    expectNamesEveryDifficulty(read({"calm"}));
    EXPECT_NE(usage("talmorak").find("--difficulty calm|gentle|brisk|standard"), std::string::npos);
}

} // namespace
