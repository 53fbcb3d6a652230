#pragma once

#include "app/Demo.h"

#include <cstdint>
#include <string>

class GameWorld;
class Monster;
class SoundPlayer;
struct Scene;

const int PREPARED_MONSTER_COUNT = 20;
// When the first monster comes in, in ms of the game running.
const int FIRST_RELEASE_MS = 2000;
// The demo starts after this long on the opening screen with no key
// pressed, and a demo game's end picture stays this long.
const int DEMO_IDLE_MS = 30000;
const int DEMO_END_PICTURE_MS = 5000;

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
    // looking away brings, the demo, pause key, difficulty key, mute key,
    // fullscreen keys, monster release, the frame, its events to the sound,
    // and the keys that end the game.
    LoopStep pass();
    // The release schedule: while the game runs, the next prepared monster
    // enters 2000 ms after the start and then every release interval of the
    // world's difficulty (5000 ms at the standard pace).
    void releaseMonsters(int elapsed);
    // Back to the start of a game: paused, nothing released, the schedule
    // and the pause key's first second to come again.
    void restart();

    GameWorld* world;
    Monster** preparedMonsters;
    TickSource ticks;
    uint32_t previousTicks;
    int pauseTimer = 1000;
    bool paused = true;
    bool difficultyKeyHeld = false;
    int muteTimer = 1000;
    bool muted = false;
    int fullscreenTimer = 1000;
    // Enter went down while Alt was held, and has not been released since.
    bool enterWithAlt = false;
    int spawnTimer = FIRST_RELEASE_MS;
    int releasedCount = 0;
    std::string title; // the last title written to the window
    // Hears the game's events after each frame; none while null.
    SoundPlayer* sound = nullptr; // not owned
    // The whole scene, which the demo needs to start a fresh game after it;
    // no demo while null.
    Scene* scene = nullptr; // not owned
    // Time on the opening screen with no key pressed, and the demo.
    int idleMs = 0;
    Demo demo;
    int demoEndShownMs = 0;

  private:
    uint32_t waitForNextTick() const;
    // The demo's start, its end, and what ends it; QUIT for Esc.
    LoopStep watchDemo(int elapsed);
    void startDemo();
    void endDemo();
    void togglePause();
    void followPad();
    void pauseWhenLookedAway();
    void handlePauseKey();
    void handleDifficultyKey();
    void handleMuteKey();
    void handleFullscreenKeys();
    void showFrameRate(float rate);
    void handOnEvents();
    LoopStep readEndKeys();
};
