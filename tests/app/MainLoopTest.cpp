#include "app/GameWorld.h"
#include "app/MainLoop.h"
#include "app/Window.h"

#include "GlContext.h"
#include "LoopWorld.h"
#include "OutputCapture.h"
#include "ScriptedKeys.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int countOf(const std::string& text, const std::string& word) {
    int count = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
        ++count;
    return count;
}

// Runs passes of `step` ms until the clock reaches `until`.
void runUntil(MainLoop& loop, uint32_t& now, uint32_t until, uint32_t step) {
    while (now < until) {
        now += step;
        loop.pass(now);
    }
}

class MainLoopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        REQUIRE_GL_CONTEXT();
        world = makeLoopWorld(prepared);
    }

    LoopWorld world;
    Monster* prepared[PREPARED_MONSTER_COUNT] = {};
    ScriptedKeys keys;
};

TEST_F(MainLoopTest, PauseKeyWaitsOutItsFirstSecondThenTogglesOncePerSecond) {
    uint32_t now = 5000;
    MainLoop loop(world.world, prepared, now);
    keys.press('P');

    OutputCapture capture;
    runUntil(loop, now, 5000 + 990, 30);
    std::string firstSecond = capture.out();
    EXPECT_EQ(countOf(firstSecond, "check"), 0);
    EXPECT_TRUE(loop.paused);

    OutputCapture held;
    runUntil(loop, now, 5000 + 3500, 50);
    // Accepted at 1000, 2000 and 3000 ms: three toggles while held.
    EXPECT_EQ(countOf(held.out(), "check\n"), 3);
    EXPECT_FALSE(loop.paused);
    EXPECT_FALSE(world.world->paused);
}

TEST_F(MainLoopTest, PauseKeyRestartsTheToggleDebounce) {
    uint32_t now = 0;
    MainLoop loop(world.world, prepared, now);
    runUntil(loop, now, 1500, 100);
    world.world->toggleTimer = 0;
    keys.press('P');
    OutputCapture capture;
    now += 10;
    loop.pass(now);
    EXPECT_EQ(capture.out(), "check\n");
    // The frame of the same pass already counted 10 ms of the new debounce.
    EXPECT_GT(world.world->toggleTimer, 900);
    EXPECT_LE(world.world->toggleTimer, 1000);
}

TEST_F(MainLoopTest, MonstersAreReleasedTwoSecondsInThenEveryFiveWhileRunning) {
    uint32_t now = 0;
    MainLoop loop(world.world, prepared, now);
    // Unpause at once after the first second.
    keys.press('P');
    runUntil(loop, now, 1000, 100);
    keys.releaseAll();
    ASSERT_FALSE(loop.paused);

    runUntil(loop, now, 1900, 100);
    runUntil(loop, now, 1990, 10);
    EXPECT_EQ(loop.releasedCount, 0);
    runUntil(loop, now, 2010, 10);
    EXPECT_EQ(loop.releasedCount, 1);
    ASSERT_EQ(world.world->monsters.size(), 1u);
    EXPECT_EQ(world.world->monsters[0], prepared[0]);

    runUntil(loop, now, 6900, 100);
    runUntil(loop, now, 6990, 10);
    EXPECT_EQ(loop.releasedCount, 1);
    runUntil(loop, now, 7010, 10);
    EXPECT_EQ(loop.releasedCount, 2);
}

TEST_F(MainLoopTest, PausedTimeCountsAndTheFirstRunningPassReleasesAtOnce) {
    uint32_t now = 0;
    MainLoop loop(world.world, prepared, now);
    runUntil(loop, now, 30000, 1000);
    EXPECT_EQ(loop.releasedCount, 0);
    EXPECT_LT(loop.spawnTimer, -20000);

    keys.press('P');
    OutputCapture capture;
    now += 40;
    loop.pass(now);
    EXPECT_EQ(capture.out(), "check\n");
    EXPECT_EQ(loop.releasedCount, 1);
    EXPECT_EQ(loop.spawnTimer, 5000 - 40);
}

TEST_F(MainLoopTest, AllTwentyAreReleasedAndNoMore) {
    uint32_t now = 0;
    MainLoop loop(world.world, prepared, now);
    keys.press('P');
    runUntil(loop, now, 1000, 250);
    keys.releaseAll();
    runUntil(loop, now, 2000 + 5000 * 21, 1000);
    EXPECT_EQ(loop.releasedCount, PREPARED_MONSTER_COUNT);
    EXPECT_EQ(world.world->monsters.size(), static_cast<size_t>(PREPARED_MONSTER_COUNT));
}

TEST_F(MainLoopTest, ZeroMillisecondPassShowsTheInfiniteRate) {
    uint32_t now = 100;
    MainLoop loop(world.world, prepared, now);
    EXPECT_TRUE(loop.pass(now));
    EXPECT_EQ(loop.title, "Talmorak Arena fpsinf");
    now += 20;
    loop.pass(now);
    EXPECT_EQ(loop.title, "Talmorak Arena fps50.00");
}

TEST_F(MainLoopTest, EscapeEndsTheLoopAfterTheFrame) {
    uint32_t now = 0;
    MainLoop loop(world.world, prepared, now);
    now += 10;
    EXPECT_TRUE(loop.pass(now));
    keys.press(GLFW_KEY_ESC);
    now += 10;
    EXPECT_FALSE(loop.pass(now));
}

} // namespace
