#include "game/Difficulty.h"

const Difficulty* findDifficulty(const std::string& name) {
    for (const Difficulty& difficulty : DIFFICULTIES) {
        if (name == difficulty.name)
            return &difficulty;
    }
    return nullptr;
}

std::string difficultyNames(const char* separator) {
    std::string names;
    for (const Difficulty& difficulty : DIFFICULTIES)
        names += (names.empty() ? "" : separator) + std::string(difficulty.name);
    return names;
}

const Difficulty& nextDifficulty(const Difficulty& difficulty) {
    const int index = static_cast<int>(&difficulty - DIFFICULTIES);
    return DIFFICULTIES[(index + 1) % DIFFICULTY_COUNT];
}
