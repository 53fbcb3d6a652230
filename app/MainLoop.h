#pragma once

#include <cstdint>
#include <string>

class GameWorld;
class Monster;
class SoundPlayer;

const int PREPARED_MONSTER_COUNT = 20;

// The clock the loop runs on: SDL's millisecond tick count in the game, a
// scripted one in tests.
using TickSource = uint32_t (*)();

// What the loop does after a pass.
enum class LoopStep {
    KEEP_RUNNING,
    QUIT,       // escape, or the window closed
    PLAY_AGAIN, // Enter under the victory or defeat picture
};

// The game's main loop, one pass at a time.
class MainLoop {
  public:
    MainLoop(GameWorld* world, Monster** preparedMonsters, TickSource ticks);

    // Waits until the clock has moved on from the previous pass, then runs
    // one pass: timing, title, what the pad shows and means, the pause that
    // looking away brings, pause key, mute key, fullscreen keys, monster
    // release, the frame, its events to the sound, and the keys that end the
    // game.
    LoopStep pass();
    // The release schedule: while the game runs, the next prepared monster
    // enters 2000 ms after the start and then every 5000 ms.
    void releaseMonsters(int elapsed);

    GameWorld* world;
    Monster** preparedMonsters;
    TickSource ticks;
    uint32_t previousTicks;
    int pauseTimer = 1000;
    bool paused = true;
    int muteTimer = 1000;
    bool muted = false;
    int fullscreenTimer = 1000;
    // Enter went down while Alt was held, and has not been released since.
    bool enterWithAlt = false;
    int spawnTimer = 2000;
    int releasedCount = 0;
    std::string title; // the last title written to the window
    // Hears the game's events after each frame; none while null.
    SoundPlayer* sound = nullptr; // not owned

  private:
    uint32_t waitForNextTick() const;
    void togglePause();
    void followPad();
    void pauseWhenLookedAway();
    void handlePauseKey();
    void handleMuteKey();
    void handleFullscreenKeys();
    void showFrameRate(float rate);
    void handOnEvents();
    LoopStep readEndKeys();
};
