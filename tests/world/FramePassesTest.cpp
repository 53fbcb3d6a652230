// The frame as a whole and its head-up display: the F1 toggle, the uniforms
// and GL state a frame leaves behind, the runes of the main pass, and which
// picture the interface pass draws last for each state of the game.
#include "world/GameWorld.h"
#include "app/Window.h"
#include "game/ParticleSystem.h"
#include "game/Player.h"
#include "game/Rune.h"
#include "render/PictureSize.h"
#include "render/ShaderProgram.h"

#include "GlContext.h"
#include "LoopWorld.h"
#include "OutputCapture.h"
#include "players/ScriptedKeys.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int uniformInt(const ShaderProgram* shader, const char* name) {
    GLint value = -1;
    glGetUniformiv(shader->program, glGetUniformLocation(shader->program, name), &value);
    return value;
}

float lifeSum(const ParticleSystem* particles) {
    float sum = 0.0f;
    for (const Particle& particle : particles->particles)
        sum += particle.life;
    return sum;
}

class FramePassesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        REQUIRE_GL_CONTEXT();
        world = makeLoopScene().world;
        player = world->player;
    }

    GameWorld* world = nullptr;
    Player* player = nullptr;
    ScriptedKeys keys;
};

TEST_F(FramePassesTest, HeldF1WaitsOutItsFirstSecondThenFlipsTheModeOncePerSecond) {
    keys.press(GLFW_KEY_F1);
    OutputCapture capture;
    for (int frame = 0; frame < 24; ++frame) { // 2400 ms in all
        world->frame(100);
        if (frame == 8) {
            EXPECT_EQ(world->postProcessMode, 0) << "F1 acted within the first second";
        }
    }
    // Accepted at 1000 and 2000 ms; the values follow each other on one line.
    EXPECT_EQ(capture.out(), "10");
    EXPECT_EQ(world->postProcessMode, 0);

    keys.releaseAll();
    world->toggleTimer = 0;
    keys.press(GLFW_KEY_F1);
    OutputCapture again;
    world->frame(16);
    EXPECT_EQ(again.out(), "1");
    EXPECT_EQ(world->postProcessMode, 1);
    EXPECT_EQ(uniformInt(world->postProcessShader, "mode"), 1);
}

TEST_F(FramePassesTest, FrameLeavesItsUniformsAndTheStateTheNextFrameExpects) {
    world->frame(16);
    EXPECT_EQ(uniformInt(world->modelShader, "mode"), 1);
    EXPECT_EQ(uniformInt(world->modelShader, "shadowMap"), 0);
    EXPECT_EQ(uniformInt(world->postProcessShader, "mode"), 0);

    GLint value = -1;
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    glGetIntegerv(GL_CULL_FACE_MODE, &value);
    EXPECT_EQ(value, GL_FRONT);
    glGetIntegerv(GL_CURRENT_PROGRAM, &value);
    EXPECT_EQ(value, 0);
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &value);
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(FramePassesTest, OnlyPlacedRunesAdvanceTheirFountains) {
    player->greenRune->placed = true;
    const float greenBefore = lifeSum(player->greenRune->particles);
    const float redBefore = lifeSum(player->redRune->particles);
    world->frame(50);
    // Forty particles lose 0.001 per ms each, unless one had to be respawned.
    EXPECT_LT(lifeSum(player->greenRune->particles), greenBefore);
    EXPECT_EQ(lifeSum(player->redRune->particles), redBefore);
}

TEST_F(FramePassesTest, HitPictureStaysUntilMoreThanTwentyMillisecondsHaveBeenShown) {
    world->hitTexture = 301;
    world->paused = false;
    world->hitFlash = true;
    world->renderInterface(10);
    world->renderInterface(10);
    EXPECT_TRUE(world->hitFlash);
    EXPECT_EQ(world->hitFlashTime, 20);
    world->renderInterface(1);
    EXPECT_FALSE(world->hitFlash);
    EXPECT_EQ(world->hitFlashTime, 0);

    // A long frame shows it once and clears it in the same pass.
    world->hitFlash = true;
    world->renderInterface(25);
    EXPECT_FALSE(world->hitFlash);
    EXPECT_EQ(world->hitFlashTime, 0);
}

// A minimised window on Windows has a framebuffer of 0 x 0 pixels.
TEST_F(FramePassesTest, AnEmptyFramebufferRunsNoPassUntilTheWindowIsBack) {
    while (glGetError() != GL_NO_ERROR) {
    }
    world->hitFlash = true;
    world->hitFlashTime = 100;
    windowFramebufferSizeEvent(0, 0);
    world->frame(16);
    windowFramebufferSizeEvent(PICTURE_WIDTH, PICTURE_HEIGHT);
    EXPECT_TRUE(world->hitFlash) << "the head-up display was drawn";
    EXPECT_EQ(world->toggleTimer, 1000);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    world->frame(16);
    EXPECT_FALSE(world->hitFlash);
    EXPECT_EQ(world->toggleTimer, 1000 - 16);
}

// The quad keeps the texture of the last picture drawn. With every later
// colour recharging, the last picture is the icon chosen for one colour.
TEST_F(FramePassesTest, EachRuneIconFollowsItsOwnColoursFlags) {
    world->paused = false;
    world->backgroundTexture = 200;
    bool* recharging[4] = {&player->redRecharging, &player->greenRecharging,
                           &player->blueRecharging, &player->whiteRecharging};
    bool* placed[4] = {&player->redPlaced, &player->greenPlaced, &player->bluePlaced,
                       &player->whitePlaced};
    for (int colour = 0; colour < 4; ++colour) {
        SCOPED_TRACE(colour);
        world->runeIcons[colour] = 210 + colour;
        world->activeIcons[colour] = 220 + colour;
        for (int later = colour + 1; later < 4; ++later)
            *recharging[later] = true;

        *recharging[colour] = false;
        *placed[colour] = false;
        world->renderInterface(16);
        EXPECT_EQ(world->screenQuad.texture, GLuint(210 + colour));

        *placed[colour] = true;
        world->renderInterface(16);
        EXPECT_EQ(world->screenQuad.texture, GLuint(220 + colour));

        // Recharging hides the icon even while the rune lies on the ground.
        *recharging[colour] = true;
        world->renderInterface(16);
        EXPECT_EQ(world->screenQuad.texture, colour == 0 ? 200u : GLuint(220 + colour - 1));
        *recharging[colour] = false;
    }
}

TEST_F(FramePassesTest, DefeatOutranksVictoryAndTheTutorialLiesOverBoth) {
    world->victoryTexture = 401;
    world->defeatTexture = 402;
    world->tutorialTexture = 403;
    world->victory = true;
    world->paused = false;
    world->renderInterface(16);
    EXPECT_EQ(world->screenQuad.texture, 401u);
    EXPECT_TRUE(world->gameOverShown);

    world->defeat = true;
    world->renderInterface(16);
    EXPECT_EQ(world->screenQuad.texture, 402u);

    world->paused = true;
    world->renderInterface(16);
    EXPECT_EQ(world->screenQuad.texture, 403u);
    EXPECT_TRUE(world->gameOverShown);
}

TEST_F(FramePassesTest, ThePadsButtonsLieOverTheTutorialOnlyWhileAPadPlays) {
    world->tutorialTexture = 403;
    world->pictures.tutorialPadTexture = 404;
    world->renderInterface(16);
    EXPECT_EQ(world->screenQuad.texture, 403u);
    world->mode.padConnected = true;
    world->renderInterface(16);
    EXPECT_EQ(world->screenQuad.texture, 404u);
    world->paused = false;
    world->renderInterface(16);
    EXPECT_NE(world->screenQuad.texture, 404u);
}

} // namespace
