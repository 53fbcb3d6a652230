#pragma once

#include <cstdint>
#include <string>

class GameWorld;
class Monster;

const int PREPARED_MONSTER_COUNT = 20;

// The game's main loop, one pass at a time. Each pass is handed the current
// tick count, so the same code runs on SDL's clock in the game and on a
// synthetic clock in tests.
class MainLoop {
  public:
    MainLoop(GameWorld* world, Monster** preparedMonsters, uint32_t startTicks);

    // Runs one pass: timing, title, pause key, monster release, the frame.
    // Returns false when the game should end (escape, or the window closed).
    bool pass(uint32_t nowTicks);

    GameWorld* world;
    Monster** preparedMonsters;
    uint32_t previousTicks;
    int pauseTimer = 1000;
    bool paused = true;
    int spawnTimer = 2000;
    int releasedCount = 0;
    std::string title; // the last title written to the window

  private:
    void handlePauseKey();
    void showFrameRate(float rate);
    void releaseMonsters(int elapsed);
};
