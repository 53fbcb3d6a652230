// A gamepad playing the game through the window's key state, with stand-in
// pads (no machine here has a device): the main loop and the rules read its
// buttons as they read the keys, with the keys' debounces and cooldowns; an
// unplugged pad lets go of everything and pauses the game; of two pads only
// the first plays; under the end picture A and Start play again, in place.
#include "world/GameWorld.h"
#include "game/Keys.h"
#include "app/MainLoop.h"
#include "app/Window.h"
#include "game/Player.h"
#include "model/Model.h"

#include "FakePads.h"
#include "GlContext.h"
#include "LoopWorld.h"
#include "OutputCapture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

uint32_t now = 0;
uint32_t readNow() {
    return now;
}

class GamepadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        REQUIRE_GL_CONTEXT();
        scene = makeLoopScene();
        world = scene.world;
        now = 0;
        windowTakeLookedAway(); // whatever the test window went through before
    }

    // Passes of `step` ms until the clock reaches `until`.
    void runUntil(MainLoop& loop, uint32_t until, uint32_t step = 100) {
        while (now < until) {
            now += step;
            loop.pass();
        }
    }

    Scene scene;
    GameWorld* world = nullptr;
    FakePads pads;
};

glm::vec3 magePosition(const GameWorld& world) {
    return glm::vec3(world.player->model->modelMatrix[3]);
}

TEST_F(GamepadTest, PlaysBesideTheKeyboardWithTheKeysDebouncesAndCooldowns) {
    MainLoop loop(scene, readNow);
    loop.game.spawnTimer = 1000000; // no monster comes in the mage's way
    runUntil(loop, 300);
    EXPECT_FALSE(world->mode.padConnected);

    // Plugged in at the tutorial, whose pad buttons then show: Start held
    // acts as P held, after the first second and then once a second.
    pads.plugIn(0);
    pads[0].buttons[PAD_START] = true;
    OutputCapture firstSecond;
    runUntil(loop, 900);
    EXPECT_TRUE(world->mode.padConnected);
    EXPECT_EQ(firstSecond.out(), "") << "Start acted within the first second";
    OutputCapture held;
    runUntil(loop, 3000);
    pads[0].buttons[PAD_START] = false;
    EXPECT_EQ(held.out(), "check\ncheck\ncheck\n");
    EXPECT_FALSE(loop.game.paused);

    // B lays the red rune at once; Back waits out the debounce that Start
    // restarted, as F1 after P does; the left stick walks the mage.
    const glm::vec3 start = magePosition(*world);
    const int look = world->postProcessMode;
    pads[0].buttons[PAD_B] = true;
    pads[0].buttons[PAD_BACK] = true;
    pads[0].axes[PAD_LEFT_Y] = -0.8f;
    runUntil(loop, 3200);
    EXPECT_TRUE(world->player->redPlaced);
    EXPECT_EQ(world->postProcessMode, look);
    runUntil(loop, 4100);
    EXPECT_EQ(world->postProcessMode, 1 - look);
    EXPECT_GT(glm::length(magePosition(*world) - start), 0.1f);

    // Unplugged with the buttons and the stick held, Y pressed in its last
    // frame: nothing stays down, and the running game pauses as when the
    // window loses the focus.
    pads[0].buttons[PAD_Y] = true;
    runUntil(loop, 4200);
    OutputCapture unplugging;
    pads.unplug(0);
    EXPECT_FALSE(isKeyDown('E'));
    EXPECT_FALSE(isKeyDown('1'));
    EXPECT_FALSE(isKeyDown('W'));
    EXPECT_FALSE(isKeyDown(GLFW_KEY_F1));
    const glm::vec3 unplugged = magePosition(*world);
    runUntil(loop, 4400);
    EXPECT_TRUE(loop.game.paused);
    EXPECT_FALSE(world->mode.padConnected);
    EXPECT_EQ(unplugging.out(), "check\n");
    EXPECT_EQ(magePosition(*world), unplugged);
}

TEST_F(GamepadTest, OfTwoPadsTheFirstPluggedInPlaysUntilItIsUnplugged) {
    pads.plugIn(3);
    pads.plugIn(1);
    pads[1].buttons[PAD_X] = true;
    windowSwapBuffers();
    EXPECT_FALSE(isKeyDown('3')) << "the second pad played";

    pads[3].buttons[PAD_Y] = true;
    windowSwapBuffers();
    EXPECT_TRUE(isKeyDown('E'));
    EXPECT_FALSE(isKeyDown('3'));

    pads.unplug(3);
    EXPECT_FALSE(isKeyDown('E'));
    windowSwapBuffers();
    EXPECT_TRUE(isKeyDown('3')) << "the pad left took over";
    EXPECT_TRUE(windowHasPad());
}

// A's press that sets off the last blast may still be held as the victory
// shows: it must not skip the picture, nor may a pad that begins to play
// there with A held. A fresh A, or Start, plays again in place, and Start
// then neither pauses nor starts the new game.
TEST_F(GamepadTest, UnderTheEndPictureOnlyAFreshAOrStartPlaysAgain) {
    MainLoop loop(scene, readNow);
    OutputCapture quiet; // a new game's monster models do not load here
    pads.plugIn(0);
    pads[0].buttons[PAD_START] = true;
    runUntil(loop, 1100);
    pads[0].buttons[PAD_START] = false;
    runUntil(loop, 1200);
    ASSERT_FALSE(loop.game.paused);

    pads[0].buttons[PAD_A] = true;
    runUntil(loop, 1300);
    world->victory = true;
    runUntil(loop, 1800);
    EXPECT_TRUE(world->gameOverShown) << "the held A played again";
    pads.unplug(0);
    pads.plugIn(0);
    pads[0].buttons[PAD_A] = true;
    runUntil(loop, 2000);
    EXPECT_TRUE(world->gameOverShown) << "a pad plugged in with A held played again";
    pads[0].buttons[PAD_A] = false;
    runUntil(loop, 2100);
    pads[0].buttons[PAD_A] = true;
    runUntil(loop, 2200);
    EXPECT_FALSE(world->gameOverShown) << "a fresh A did not play again";
    EXPECT_TRUE(world->mode.openingScreen);

    pads[0].buttons[PAD_A] = false;
    world->defeat = true;
    runUntil(loop, 2400);
    ASSERT_TRUE(world->gameOverShown);
    OutputCapture starting;
    pads[0].buttons[PAD_START] = true;
    runUntil(loop, 2600);
    EXPECT_FALSE(world->gameOverShown) << "Start did not play again";
    EXPECT_TRUE(world->mode.openingScreen && loop.game.paused);
    EXPECT_EQ(starting.out(), "");
}

} // namespace
