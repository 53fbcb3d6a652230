#pragma once

#include "players/Demo.h"
#include "world/GameSchedule.h"

#include <cstdint>
#include <string>

class GameWorld;
class Monster;
class SoundPlayer;
struct Scene;

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
    // The game's release schedule (world/GameSchedule.h) on this loop's
    // prepared monsters.
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
    int muteTimer = DEBOUNCE_MS;
    bool muted = false;
    int fullscreenTimer = DEBOUNCE_MS;
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
