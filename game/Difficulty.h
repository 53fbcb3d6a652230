#pragma once

#include <string>

// How fast danger comes. A difficulty changes only the pace of danger: how
// fast monsters walk, how often and how hard they strike, the mage's life
// points and the time between two monsters coming in. How monsters die, the
// runes, their cooldowns and every message are the same in all of them.
struct Difficulty {
    const char* name;       // as given after --difficulty, and as shown on the screen
    float monsterSpeeds[3]; // model units per ms: red, green, plain
    float strikeInterval;   // ms a monster waits after a strike before the next
    int strikeDamage[3];    // life points one strike takes: red, green, plain
    int lifePoints;         // the mage's life when a game starts
    int releaseInterval;    // ms between two monsters coming in
};

const int DIFFICULTY_COUNT = 4;
const int STANDARD_DIFFICULTY = DIFFICULTY_COUNT - 1;

// Every difficulty's values, gentlest first. The last is the standard, the
// game's own pace, which a game has when nothing else is chosen. Monster
// timers run at twice the frame time (monsters are updated twice per
// frame), so a strike interval of 2000 ms lets a monster strike once a
// second. The gentler values were calibrated by the scripted players'
// headless games, and calm's strikes by a player reading only the screen
// (docs/difficulty.md).
inline constexpr Difficulty DIFFICULTIES[DIFFICULTY_COUNT] = {
    {"calm", {0.001f, 0.0015f, 0.002f}, 12000.0f, {1, 1, 1}, 40, 9000},
    {"gentle", {0.0014f, 0.0021f, 0.0028f}, 4000.0f, {1, 1, 1}, 35, 7000},
    {"brisk", {0.0016f, 0.0024f, 0.0032f}, 3000.0f, {1, 1, 1}, 30, 6000},
    {"standard", {0.002f, 0.003f, 0.004f}, 2000.0f, {3, 2, 1}, 20, 5000},
};

inline constexpr const Difficulty& STANDARD = DIFFICULTIES[STANDARD_DIFFICULTY];

// The difficulty of that name, or nullptr when there is none.
const Difficulty* findDifficulty(const std::string& name);

// The names joined by `separator`, gentlest first: "calm|gentle|...".
std::string difficultyNames(const char* separator);

// The next difficulty in the table, back to the gentlest after the standard.
const Difficulty& nextDifficulty(const Difficulty& difficulty);
