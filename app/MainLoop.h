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

// Where each new game's seed comes from: the clock by default, a test's
// own choice in tests.
using SeedSource = unsigned (*)();
unsigned seedFromClock();

// What the loop does after a pass.
enum class LoopStep {
    KEEP_RUNNING,
    QUIT, // escape, or the window closed
};

// The loop's share of one game: its pause, the pause key's debounce, the
// monsters' release schedule, and the clocks of the demo. Each new game
// starts from a new one.
struct GameSchedule {
    int pauseTimer = 1000;
    bool paused = true;
    int spawnTimer = FIRST_RELEASE_MS;
    int releasedCount = 0;
    // Time on the opening screen with no key pressed, and time a demo
    // game's end picture has shown.
    int idleMs = 0;
    int demoEndShownMs = 0;
};

// The game's main loop, one pass at a time, for as many games as are
// played in the session.
class MainLoop {
  public:
    MainLoop(Scene& scene, TickSource ticks);

    // Waits until the clock has moved on from the previous pass, then runs
    // one pass: timing, title, what the pad shows and means, the pause that
    // looking away brings, the demo, pause key, difficulty key, mute key,
    // fullscreen keys, monster release, the frame, its events to the sound,
    // and the keys that end the game or play again.
    LoopStep pass();
    // The release schedule: while the game runs, the next prepared monster
    // enters 2000 ms after the start and then every release interval of the
    // world's difficulty (5000 ms at the standard pace).
    void releaseMonsters(int elapsed);

    // The whole scene, from which every new game is made.
    Scene* scene; // not owned
    GameWorld* world;
    Monster** preparedMonsters;
    TickSource ticks;
    SeedSource seeds = seedFromClock;
    uint32_t previousTicks;
    GameSchedule game;
    bool difficultyKeyHeld = false;
    int muteTimer = 1000;
    bool muted = false;
    int fullscreenTimer = 1000;
    // Under the end picture Enter has been up since the picture came, and
    // has not gone down with Alt since: it may play again.
    bool enterArmed = false;
    std::string title; // the last title written to the window
    // Hears the game's events after each frame; none while null.
    SoundPlayer* sound = nullptr; // not owned
    Demo demo;                    // the game playing itself while nobody plays

  private:
    uint32_t waitForNextTick() const;
    // The demo's start, its end, and what ends it; QUIT for Esc.
    LoopStep watchDemo(int elapsed);
    void startDemo();
    void endDemo();
    // Every new game is made here: Enter's, the demo's and the one after
    // the demo.
    void startFreshGame();
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
    bool enterPlaysAgain();
};
