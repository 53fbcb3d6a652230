// The passes of one frame. The game's update runs inside them: monsters are
// updated, drawn and judged in both the shadow pass and the main pass, and the
// player in the main pass.
#include "world/FramePasses.h"

#include "world/GameRules.h"
#include "world/GameWorld.h"
#include "world/HeadUpDisplay.h"

#include "game/Keys.h"
#include "game/GameMessages.h"
#include "game/ParticleSystem.h"
#include "game/Player.h"
#include "game/Rune.h"
#include "model/Model.h"
#include "game/Monster.h"
#include "render/Camera.h"
#include "model/FloorBasin.h"
#include "render/Letterbox.h"
#include "render/PictureFilter.h"
#include "model/SeeThrough.h"
#include "render/ShaderProgram.h"
#include "world/FrameSurface.h"

namespace {

void setProgramInt(const ShaderProgram* shader, const char* name, int value) {
    glUniform1i(glGetUniformLocation(shader->program, name), value);
}

void drawRune(Rune* rune, int elapsed) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (rune->placed) {
        rune->model->draw();
        rune->particles->drawAndUpdate(static_cast<float>(elapsed));
    }
    glDisable(GL_BLEND);
}

// The window's framebuffer to black, the scene's clear colour kept for the
// main pass.
void clearWindowToBlack(int width, int height) {
    glViewport(0, 0, width, height);
    GLfloat sceneClearColour[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, sceneClearColour);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(sceneClearColour[0], sceneClearColour[1], sceneClearColour[2],
                 sceneClearColour[3]);
}

} // namespace

void GameWorld::frame(int elapsed) {
    // A minimised window has nothing to draw into, and the game is paused
    // meanwhile: no pass runs until the window is back.
    const FrameSurface& window = frameSurface();
    if (window.isMinimised()) {
        window.awaitEvents();
        return;
    }
    if (toggleTimer > 0)
        toggleTimer -= elapsed;
    if (isKeyDown(GLFW_KEY_F1) && toggleTimer <= 0) {
        postProcessMode = (postProcessMode + 1) % 2;
        printGameText(postProcessMode == 0 ? "0" : "1");
        toggleTimer = DEBOUNCE_MS;
    }
    playRules(*this, elapsed);
    drawRunes(*this, elapsed);
    renderPostProcessPass();
    renderInterface(elapsed);
    window.swapBuffers();
}

// The monsters are updated, drawn and judged inside the shadow pass: they
// and the mage are all that casts a shadow.
void beginShadowPass(GameWorld& world) {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, world.shadowTarget.framebuffer);
    glViewport(0, 0, SHADOW_MAP_SIZE, SHADOW_MAP_SIZE);
    glClear(GL_DEPTH_BUFFER_BIT);
    // Models wind their visible faces clockwise, so front faces are culled
    // from here on, in every pass.
    glCullFace(GL_FRONT);

    glUseProgram(world.modelShader->program);
    world.setLightViewUniforms();
    world.setLightUniforms();
}

void beginMainPass(GameWorld& world) {
    world.player->model->draw();
    glUseProgram(0);

    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, world.postTarget.framebuffer);
    glViewport(0, 0, PICTURE_WIDTH, PICTURE_HEIGHT);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    glUseProgram(world.modelShader->program);
    setProgramInt(world.modelShader, "mode", 1);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, world.shadowTarget.depthTexture);
    setProgramInt(world.modelShader, "shadowMap", 0);
    world.setCameraUniforms();
    world.setLightUniforms();
    const FloorBasinLeftOut basinLeftOut(world.sceneModels,
                                         !nearPlaneReachesFloor(world.camera->viewProjection()));
    world.drawSceneModels();
}

bool mageHidesAMonster(const GameWorld& world) {
    const glm::mat4 viewProjection = world.camera->viewProjection();
    const Model& mage = *world.player->model;
    const ScreenBox front = screenBoxOf(mage, mage.modelMatrix, viewProjection, world.camera->eye);
    for (const Monster* monster : world.monsters) {
        if (monster->alive && hidesMostOf(front, screenBoxOf(*monster->model, monster->worldMatrix,
                                                             viewProjection, world.camera->eye)))
            return true;
    }
    return false;
}

// The monsters are drawn before the mage. While it hides one, the mage's
// nearest surface goes into the depth buffer first, then its colour is
// blended over what it hides, once per pixel.
void drawMage(GameWorld& world) {
    Model& mage = *world.player->model;
    if (world.camera == nullptr || !mageHidesAMonster(world)) {
        mage.draw();
        return;
    }
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    mage.draw();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_BLEND);
    glBlendColor(0.0f, 0.0f, 0.0f, SEE_THROUGH_OPACITY);
    glBlendFunc(GL_CONSTANT_ALPHA, GL_ONE_MINUS_CONSTANT_ALPHA);
    mage.draw();
    glDisable(GL_BLEND);
    glDepthFunc(GL_LESS);
}

// Last in the main pass, with the rules' work done: the laid runes and
// their fountains.
void drawRunes(GameWorld& world, int elapsed) {
    for (int colour : RUNE_DRAW_ORDER)
        drawRune(world.player->rune(colour), elapsed);
    glUseProgram(0);
}

// The picture fills the largest rectangle of its shape in the window, with
// black bars beside it; the head-up display keeps the same viewport. The
// picture's opaque quad is drawn without the depth test, so it covers its
// rectangle whatever the window's depth buffer holds (nothing in the frame
// tests against it). So only the bars are cleared, when there are any, and
// the whole window when no quad is drawn (its program failed to build).
void GameWorld::renderPostProcessPass() {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    const int width = frameSurface().framebufferWidth();
    const int height = frameSurface().framebufferHeight();
    const Viewport picture = letterbox(width, height);
    const bool covered =
        picture.width == width && picture.height == height && postProcessShader->program != 0;
    if (!covered)
        clearWindowToBlack(width, height);
    glViewport(picture.x, picture.y, picture.width, picture.height);

    glUseProgram(postProcessShader->program);
    setProgramInt(postProcessShader, "mode", postProcessMode);
    screenQuad.texture = postTarget.colorTexture;
    choosePictureFilter(postTarget.colorTexture,
                        picture.width == PICTURE_WIDTH && picture.height == PICTURE_HEIGHT);
    glDisable(GL_DEPTH_TEST);
    drawScreenQuad(screenQuad);
    glEnable(GL_DEPTH_TEST);
    glUseProgram(0);
}
