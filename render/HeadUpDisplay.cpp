// The head-up display: full-window pictures laid over the finished scene,
// each showing only its painted parts through its alpha.
#include "app/GameWorld.h"

#include "game/Monster.h"
#include "game/Player.h"
#include "render/HudCounters.h"
#include "render/HudLayout.h"
#include "render/ShaderProgram.h"

namespace {

const int HIT_FLASH_MS = 20;

} // namespace

void GameWorld::renderInterface(int elapsed) {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_DEPTH_TEST);
    glUseProgram(interfaceShader->program);

    // A picture that failed to load is skipped: drawn untextured it would
    // cover the whole window in opaque black.
    auto drawPicture = [this](GLuint texture) {
        if (texture == 0)
            return;
        screenQuad.texture = texture;
        drawScreenQuad(screenQuad);
    };

    if (hitFlash) {
        drawPicture(hitTexture);
        hitFlashTime += elapsed;
        if (hitFlashTime > HIT_FLASH_MS) {
            hitFlash = false;
            hitFlashTime = 0;
        }
    }
    drawPicture(backgroundTexture);

    const bool recharging[4] = {player->redRecharging, player->greenRecharging,
                                player->blueRecharging, player->whiteRecharging};
    const bool placed[4] = {player->redPlaced, player->greenPlaced, player->bluePlaced,
                            player->whitePlaced};
    // A recharging rune shows no icon; a laid one shows its active icon.
    for (int i = 0; i < 4; ++i) {
        if (!recharging[i])
            drawPicture(placed[i] ? activeIcons[i] : runeIcons[i]);
    }
    drawCounters();

    if (defeat) {
        drawPicture(defeatTexture);
        gameOverShown = true;
    } else if (victory) {
        drawPicture(victoryTexture);
        gameOverShown = true;
    }
    if (paused)
        drawPicture(tutorialTexture);

    glUseProgram(0);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
}

// Drawn from the game's state as this frame left it, so a strike, a release
// or a death shows in the frame it happens in.
void GameWorld::drawCounters() {
    if (counterGlyphs == 0)
        return;
    int slain = 0;
    for (const Monster* monster : monsters)
        slain += monster->alive ? 0 : 1;
    const int toCome = monsterTotal - static_cast<int>(monsters.size());
    const int life = player->lifePoints;
    drawLifeMeter(*interfaceShader, counterGlyphs, life);
    drawCounterNumber(*interfaceShader, counterGlyphs, life, hud::LIFE_NUMBER.right,
                      hud::LIFE_NUMBER.top);
    drawCounterNumber(*interfaceShader, counterGlyphs, slain, hud::SLAIN_NUMBER.right,
                      hud::SLAIN_NUMBER.top);
    drawCounterNumber(*interfaceShader, counterGlyphs, toCome, hud::TO_COME_NUMBER.right,
                      hud::TO_COME_NUMBER.top);
}
