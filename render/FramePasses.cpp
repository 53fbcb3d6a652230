// The passes of one frame. The game's update runs inside them: monsters are
// updated, drawn and judged in both the shadow pass and the main pass, and the
// player in the main pass.
#include "app/GameWorld.h"

#include "app/Keyboard.h"
#include "app/Window.h"
#include "game/ParticleSystem.h"
#include "game/Player.h"
#include "game/Rune.h"
#include "model/Model.h"
#include "render/ShaderProgram.h"

#include <cstdio>

namespace {

const int TOGGLE_DEBOUNCE_MS = 1000;

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

} // namespace

void GameWorld::frame(int elapsed) {
    if (toggleTimer > 0)
        toggleTimer -= elapsed;
    if (isKeyDown(GLFW_KEY_F1) && toggleTimer <= 0) {
        postProcessMode = (postProcessMode + 1) % 2;
        printf("%i", postProcessMode);
        fflush(stdout);
        toggleTimer = TOGGLE_DEBOUNCE_MS;
    }
    renderShadowPass(elapsed);
    renderMainPass(elapsed);
    renderPostProcessPass();
    renderInterface(elapsed);
    windowSwapBuffers();
}

void GameWorld::renderShadowPass(int elapsed) {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, shadowTarget.framebuffer);
    glViewport(0, 0, SHADOW_MAP_SIZE, SHADOW_MAP_SIZE);
    glClear(GL_DEPTH_BUFFER_BIT);
    // Models wind their visible faces clockwise, so front faces are culled
    // from here on, in every pass.
    glCullFace(GL_FRONT);

    glUseProgram(modelShader->program);
    setLightViewUniforms();
    setLightUniforms();
    updateMonsters(elapsed);
    player->model->draw();
    glUseProgram(0);
}

void GameWorld::renderMainPass(int elapsed) {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, postTarget.framebuffer);
    glViewport(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    glUseProgram(modelShader->program);
    setProgramInt(modelShader, "mode", 1);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, shadowTarget.depthTexture);
    setProgramInt(modelShader, "shadowMap", 0);
    setCameraUniforms();
    setLightUniforms();

    drawSceneModels();
    updateMonsters(elapsed);
    updatePlayer(elapsed);
    judgeRuneReadiness();

    Rune* const runesInDrawOrder[4] = {player->blueRune, player->redRune, player->greenRune,
                                       player->whiteRune};
    for (Rune* rune : runesInDrawOrder)
        drawRune(rune, elapsed);
    glUseProgram(0);
}

void GameWorld::renderPostProcessPass() {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    glViewport(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    glUseProgram(postProcessShader->program);
    setProgramInt(postProcessShader, "mode", postProcessMode);
    screenQuad.texture = postTarget.colorTexture;
    drawScreenQuad(screenQuad);
    glUseProgram(0);
}
