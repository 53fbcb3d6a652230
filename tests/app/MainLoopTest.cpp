#include "world/GameWorld.h"
#include "app/MainLoop.h"
#include "app/Window.h"

#include "GlContext.h"
#include "LoopWorld.h"
#include "OutputCapture.h"
#include "players/ScriptedKeys.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int countOf(const std::string& text, const std::string& word) {
    int count = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
        ++count;
    return count;
}

// The loop's clock in these tests: `now`, moved by hand.
uint32_t now = 0;
uint32_t readNow() {
    return now;
}

// Runs passes of `step` ms until the clock reaches `until`.
void runUntil(MainLoop& loop, uint32_t until, uint32_t step) {
    while (now < until) {
        now += step;
        loop.pass();
    }
}

class MainLoopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        REQUIRE_GL_CONTEXT();
        scene = makeLoopScene();
        world = scene.world;
    }

    Scene scene;
    GameWorld* world = nullptr;
    ScriptedKeys keys;
};

TEST_F(MainLoopTest, PauseKeyWaitsOutItsFirstSecondThenTogglesOncePerSecond) {
    now = 5000;
    MainLoop loop(scene, readNow);
    keys.press('P');

    OutputCapture capture;
    runUntil(loop, 5000 + 990, 30);
    std::string firstSecond = capture.out();
    EXPECT_EQ(countOf(firstSecond, "check"), 0);
    EXPECT_TRUE(loop.game.paused);

    OutputCapture held;
    runUntil(loop, 5000 + 3500, 50);
    // Accepted at 1000, 2000 and 3000 ms: three toggles while held.
    EXPECT_EQ(countOf(held.out(), "check\n"), 3);
    EXPECT_FALSE(loop.game.paused);
    EXPECT_FALSE(world->paused);
}

TEST_F(MainLoopTest, PauseKeyRestartsTheToggleDebounce) {
    now = 0;
    MainLoop loop(scene, readNow);
    runUntil(loop, 1500, 100);
    world->toggleTimer = 0;
    keys.press('P');
    OutputCapture capture;
    now += 10;
    loop.pass();
    EXPECT_EQ(capture.out(), "check\n");
    // The frame of the same pass already counted 10 ms of the new debounce.
    EXPECT_GT(world->toggleTimer, 900);
    EXPECT_LE(world->toggleTimer, 1000);
}

TEST_F(MainLoopTest, MuteKeyTogglesOncePerSecondWithoutAWordAndBesidePauseAsBefore) {
    now = 0;
    MainLoop loop(scene, readNow);
    keys.hold({'M', 'P'});
    OutputCapture capture;
    int muteToggles = 0;
    bool wasMuted = loop.muted;
    while (now < 3500) {
        now += 50;
        loop.pass();
        if (loop.muted != wasMuted) {
            ++muteToggles;
            wasMuted = loop.muted;
            EXPECT_GE(now, 1000u) << "M acted in the loop's first second";
        }
    }
    // Both accepted at 1000, 2000 and 3000 ms while held; of the keys only
    // P speaks (the running game's monsters may strike meanwhile).
    EXPECT_EQ(muteToggles, 3);
    EXPECT_TRUE(loop.muted);
    const std::string out = capture.out();
    EXPECT_EQ(countOf(out, "check\n"), 3);
    EXPECT_EQ(countOf(out, "\n"), 3 + countOf(out, "lifePoints - 1\n")) << out;
    EXPECT_FALSE(loop.game.paused);
}

TEST_F(MainLoopTest, MonstersAreReleasedTwoSecondsInThenEveryFiveWhileRunning) {
    now = 0;
    MainLoop loop(scene, readNow);
    // Unpause at once after the first second.
    keys.press('P');
    runUntil(loop, 1000, 100);
    keys.releaseAll();
    ASSERT_FALSE(loop.game.paused);

    runUntil(loop, 1900, 100);
    runUntil(loop, 1990, 10);
    EXPECT_EQ(loop.game.releasedCount, 0);
    runUntil(loop, 2010, 10);
    EXPECT_EQ(loop.game.releasedCount, 1);
    ASSERT_EQ(world->monsters.size(), 1u);
    EXPECT_EQ(world->monsters[0], scene.preparedMonsters[0]);

    runUntil(loop, 6900, 100);
    runUntil(loop, 6990, 10);
    EXPECT_EQ(loop.game.releasedCount, 1);
    runUntil(loop, 7010, 10);
    EXPECT_EQ(loop.game.releasedCount, 2);
}

TEST_F(MainLoopTest, PausedTimeCountsAndTheFirstRunningPassReleasesAtOnce) {
    now = 0;
    MainLoop loop(scene, readNow);
    runUntil(loop, DEMO_IDLE_MS - 5000, 1000); // short of the demo
    EXPECT_EQ(loop.game.releasedCount, 0);
    EXPECT_LT(loop.game.spawnTimer, -20000);

    keys.press('P');
    OutputCapture capture;
    now += 40;
    loop.pass();
    EXPECT_EQ(capture.out(), "check\n");
    EXPECT_EQ(loop.game.releasedCount, 1);
    EXPECT_EQ(loop.game.spawnTimer, 5000 - 40);
}

TEST_F(MainLoopTest, AllTwentyAreReleasedAndNoMore) {
    now = 0;
    MainLoop loop(scene, readNow);
    keys.press('P');
    runUntil(loop, 1000, 250);
    keys.releaseAll();
    runUntil(loop, 2000 + 5000 * 21, 1000);
    EXPECT_EQ(loop.game.releasedCount, PREPARED_MONSTER_COUNT);
    EXPECT_EQ(world->monsters.size(), static_cast<size_t>(PREPARED_MONSTER_COUNT));
}

// A driver that ignores the swap interval finishes most passes within the
// millisecond they began: here the clock moves 1 ms on every second reading.
uint32_t readFastClock() {
    static bool stall = false;
    stall = !stall;
    if (!stall)
        ++now;
    return now;
}

TEST_F(MainLoopTest, PassesThatWouldSeeNoTimeWaitForTheClockAndTheGameKeepsRealTime) {
    now = 0;
    MainLoop loop(scene, readFastClock);
    loop.game.pauseTimer = 0; // P acts in the first pass
    loop.game.spawnTimer = 40;
    keys.press('P');
    int passes = 0;
    bool finiteTitles = true;
    while (now < 40) {
        loop.pass();
        keys.releaseAll();
        ++passes;
        finiteTitles = finiteTitles && loop.title == "Talmorak Arena fps1000.00";
    }
    EXPECT_TRUE(finiteTitles) << loop.title;
    EXPECT_EQ(passes, 40);
    EXPECT_FALSE(loop.game.paused);
    EXPECT_EQ(loop.game.releasedCount, 0);
    loop.pass();
    EXPECT_EQ(loop.game.releasedCount, 1) << "the release came late by the clock";
}

TEST_F(MainLoopTest, EscapeEndsTheLoopAfterTheFrame) {
    now = 0;
    MainLoop loop(scene, readNow);
    now += 10;
    EXPECT_EQ(loop.pass(), LoopStep::KEEP_RUNNING);
    keys.press(GLFW_KEY_ESC);
    now += 10;
    EXPECT_EQ(loop.pass(), LoopStep::QUIT);
}

// Enter under the end picture plays again in place only when pressed
// there: not held from before the end, nor with Alt for fullscreen (even
// with Alt let go first). Escape still quits.
TEST_F(MainLoopTest, EnterPlaysAgainOnlyWhenPressedUnderTheEndPicture) {
    now = 0;
    MainLoop loop(scene, readNow);
    loop.fullscreenTimer = 1000000; // the hidden test window stays as it is
    OutputCapture quiet;            // a new game's monster models do not load here
    auto passWith = [&](std::initializer_list<int> held) {
        keys.hold(held);
        now += 10;
        return loop.pass();
    };

    // Held as the end comes, Enter does nothing until let go.
    passWith({GLFW_KEY_ENTER});
    world->defeat = true;
    for (int i = 0; i < 4; ++i)
        passWith({GLFW_KEY_ENTER});
    ASSERT_TRUE(world->gameOverShown) << "Enter held since before the end played again";
    // Nor does Enter pressed with Alt, even with Alt let go first.
    passWith({});
    for (std::initializer_list<int> held :
         {std::initializer_list<int>{GLFW_KEY_LALT, GLFW_KEY_ENTER},
          {GLFW_KEY_ENTER},
          {},
          {GLFW_KEY_RALT, GLFW_KEY_KP_ENTER},
          {GLFW_KEY_KP_ENTER}})
        passWith(held);
    ASSERT_TRUE(world->gameOverShown) << "Alt+Enter played again";
    passWith({});
    passWith({GLFW_KEY_KP_ENTER});
    EXPECT_FALSE(world->gameOverShown) << "a fresh Enter did not play again";
    EXPECT_TRUE(world->mode.openingScreen && world->paused && loop.game.paused);

    world->defeat = true;
    passWith({});
    ASSERT_TRUE(world->gameOverShown);
    EXPECT_EQ(passWith({GLFW_KEY_ENTER, GLFW_KEY_ESC}), LoopStep::QUIT);
}

// The window's focus and minimise events, as GLFW reports them.
TEST_F(MainLoopTest, LookingAwayPausesARunningGameAsPDoesAndOnlyPResumesIt) {
    now = 0;
    MainLoop loop(scene, readNow);
    windowTakeLookedAway(); // whatever the test window went through before
    windowFocusEvent(false);
    OutputCapture whilePaused;
    runUntil(loop, 500, 100);
    EXPECT_EQ(whilePaused.out(), "") << "a paused game paused again";

    keys.press('P');
    runUntil(loop, 1100, 100);
    keys.releaseAll();
    ASSERT_FALSE(loop.game.paused);
    world->toggleTimer = 0;
    OutputCapture lookingAway;
    windowFocusEvent(false);
    now += 10;
    loop.pass();
    EXPECT_TRUE(loop.game.paused);
    EXPECT_TRUE(world->paused);
    EXPECT_EQ(world->toggleTimer, 1000 - 10) << "the frame counted 10 ms of it";
    EXPECT_EQ(loop.game.pauseTimer, 1000);
    windowFocusEvent(true);
    runUntil(loop, 4000, 500);
    EXPECT_TRUE(loop.game.paused) << "the game resumed by itself";
    EXPECT_EQ(lookingAway.out(), "check\n");

    keys.press('P');
    now += 10;
    loop.pass();
    keys.releaseAll();
    ASSERT_FALSE(loop.game.paused);
    OutputCapture minimising;
    windowMinimiseEvent(true);
    now += 10;
    loop.pass();
    windowMinimiseEvent(false);
    EXPECT_TRUE(loop.game.paused);
    EXPECT_EQ(minimising.out(), "check\n");

    // Under the end picture the game is over, not running: it stays as it is.
    keys.press('P');
    runUntil(loop, 5100, 100);
    keys.releaseAll();
    ASSERT_FALSE(loop.game.paused);
    world->gameOverShown = true;
    windowFocusEvent(false);
    runUntil(loop, 5500, 100);
    EXPECT_FALSE(loop.game.paused);
}

} // namespace
