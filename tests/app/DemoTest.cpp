// The demo in process, on a scripted clock: it waits out its idle time on
// the opening screen, plays silently, and leaves nothing of itself when a
// key, a lost focus or its own end stops it.
#include "world/FreshGame.h"
#include "world/GameWorld.h"
#include "game/Keys.h"
#include "app/MainLoop.h"
#include "world/SceneConstruction.h"
#include "app/Window.h"
#include "game/Difficulty.h"
#include "game/Player.h"

#include "GlContext.h"
#include "OutputCapture.h"

#include <gtest/gtest.h>

namespace {

uint32_t now = 0;
uint32_t readNow() {
    return now;
}

const uint32_t PASS_MS = 1000;

void runFor(MainLoop& loop, uint32_t milliseconds) {
    for (uint32_t end = now + milliseconds; now < end;) {
        now += PASS_MS;
        loop.pass();
    }
}

// The opening screen of a game no one has touched, at the difficulty chosen.
void expectFreshOpening(const GameWorld& world, const MainLoop& loop) {
    EXPECT_FALSE(world.mode.demo);
    EXPECT_TRUE(world.mode.openingScreen && world.paused && loop.game.paused);
    EXPECT_TRUE(world.monsters.empty());
    EXPECT_EQ(loop.game.releasedCount, 0);
    EXPECT_EQ(world.player->lifePoints, world.difficulty->lifePoints);
    EXPECT_FALSE(world.victory || world.defeat || world.gameOverShown);
    EXPECT_FALSE(world.player->redPlaced || world.player->greenPlaced || world.player->bluePlaced ||
                 world.player->whitePlaced);
}

TEST(Demo, PlaysAfterItsIdleTimeSilentlyAndLeavesNothingWhenAKeyFocusOrItsEndStopsIt) {
    REQUIRE_GL_CONTEXT();
    // Kept to the end of the process, as the game keeps its scene: the
    // sanitized run's leak check then sees only what the fresh games leak.
    static Scene scene;
    {
        OutputCapture quiet;
        scene = buildScene();
    }
    GameWorld& world = *scene.world;
    setDifficulty(world, scene.preparedMonsters, DIFFICULTIES[1]);
    MainLoop loop(scene, readNow);
    windowTakeKeyPressed();
    windowTakeLookedAway();

    OutputCapture capture;
    // A key pressed on the opening screen starts the wait anew.
    runFor(loop, DEMO_IDLE_MS / 2);
    windowKeyEvent(glfw3KeyFor('Q'), 1 /* press */);
    windowKeyEvent(glfw3KeyFor('Q'), 0 /* release */);
    runFor(loop, DEMO_IDLE_MS - PASS_MS);
    EXPECT_FALSE(world.mode.demo);
    runFor(loop, 2 * PASS_MS);
    ASSERT_TRUE(world.mode.demo);
    runFor(loop, 8000);
    EXPECT_FALSE(world.monsters.empty()) << "the demo game did not run";
    EXPECT_FALSE(isKeyDown('P')) << "the window's keys reached the game";

    // Looking away ends it, as a key does.
    windowFocusEvent(false);
    runFor(loop, PASS_MS);
    expectFreshOpening(world, loop);
    EXPECT_EQ(world.difficulty, &DIFFICULTIES[1]);
    windowFocusEvent(true);
    windowTakeLookedAway();

    // A demo that ends by itself shows its end picture, then the opening;
    // its last strike and its defeat say nothing.
    runFor(loop, DEMO_IDLE_MS + PASS_MS);
    ASSERT_TRUE(world.mode.demo);
    world.player->lifePoints = 1;
    world.player->hit();
    runFor(loop, DEMO_END_PICTURE_MS / 2);
    EXPECT_TRUE(world.mode.demo && world.gameOverShown);
    runFor(loop, DEMO_END_PICTURE_MS / 2 + PASS_MS);
    expectFreshOpening(world, loop);
    EXPECT_EQ(capture.out(), "") << "the demo printed";
}

} // namespace
