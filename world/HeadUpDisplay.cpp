// The head-up display: pictures as large as the whole picture, laid over the
// finished scene, each blended only where it is painted; the laid runes' marks.
#include "world/HeadUpDisplay.h"

#include "world/FightMarks.h"
#include "world/GameWorld.h"

#include "game/Difficulty.h"
#include "game/Monster.h"
#include "game/Player.h"
#include "game/Rune.h"
#include "render/Camera.h"
#include "render/HudCounters.h"
#include "render/HudLayout.h"
#include "render/InterfaceDraw.h"
#include "render/PictureFilter.h"
#include "render/RuneMarks.h"
#include "render/ShaderProgram.h"

namespace {

const int HIT_FLASH_MS = 20;
const int READY_PULSE_MS = 125;                  // each half of a ready rune's pulse
const int BLINK_PHASE_MS = REFUSED_BLINK_MS / 4; // a refused rune's icon: off, on, off, on

// The icon of a refused rune goes off and on twice, starting off.
bool blinkedOff(int blinkTimeLeft) {
    return blinkTimeLeft > 0 && (blinkTimeLeft - 1) / BLINK_PHASE_MS % 2 == 1;
}

hud::AtlasCell difficultyLabel(const GameWorld& world) {
    return hud::difficultyLabelCell(static_cast<int>(world.difficulty - DIFFICULTIES));
}

// Over the tutorial on the opening screen, beside "Press P to play": the
// difficulty, and that L changes it.
void drawOpeningDifficulty(GameWorld& world) {
    if (world.pictures.counterGlyphs == 0)
        return;
    drawCounterLabel(*world.interfaceShader, world.pictures.counterGlyphs,
                     hud::DIFFICULTY_HINT_CELL, hud::OPENING_HINT_PLACE);
    drawCounterLabel(*world.interfaceShader, world.pictures.counterGlyphs, difficultyLabel(world),
                     hud::OPENING_LABEL_PLACE);
}

} // namespace

// A picture that failed to load is skipped: drawn untextured it would cover
// the whole window in opaque black. One whose size is not known (none was
// found painted) is filtered as uploaded.
void drawPicture(GameWorld& world, GLuint texture) {
    if (texture == 0 || world.screenQuad.shader == nullptr)
        return;
    world.screenQuad.texture = texture;
    const auto painted = world.pictures.paintedAreas.find(texture);
    if (painted == world.pictures.paintedAreas.end()) {
        choosePictureFilter(texture, false);
        drawScreenQuad(world.screenQuad);
        return;
    }
    const PaintedArea& area = painted->second;
    choosePictureFilter(texture, area.width == PICTURE_WIDTH && area.height == PICTURE_HEIGHT &&
                                     viewportIsPictureSize());
    drawPaintedPicture(world.screenQuad, texture, area);
}

// Over the scene, so that the mage standing on a rune never hides it.
void drawRuneMarks(GameWorld& world) {
    if (world.pictures.runeMarkCells == 0 || world.camera == nullptr)
        return;
    const glm::mat4 viewProjection = world.camera->viewProjection();
    const bool brightPhase = (world.runeCues.pulseClock / READY_PULSE_MS) % 2 == 0;
    for (int colour = 0; colour < 3; ++colour) {
        const Player::TrapState trap = world.player->trapState(colour);
        // A rune stays on the ground while its blast runs.
        if (!trap.rune->placed)
            continue;
        const glm::vec3 face(trap.laidAt.x, RUNE_FACE_HEIGHT, trap.laidAt.z);
        drawRuneMark(*world.interfaceShader, world.pictures.runeMarkCells, viewProjection,
                     {colour, face, BLAST_REACH, world.runeCues.headed[colour],
                      world.runeCues.ready[colour]},
                     brightPhase);
    }
}

// A recharging rune shows no icon; a laid one shows its active icon, lit
// up once more while a blast would kill. A refused one blinks: off and on
// twice, or, while it recharges, on and off twice.
void drawRuneIcons(GameWorld& world) {
    for (int colour = 0; colour < RUNE_COLOURS; ++colour) {
        const Player::RuneFlags rune = world.player->runeFlags(colour);
        const int blink = world.refusals.iconBlinkMs[colour];
        const bool shown = rune.recharging ? blink > 0 && !blinkedOff(blink) : !blinkedOff(blink);
        if (!shown)
            continue;
        drawPicture(world, rune.placed ? world.activeIcons[colour] : world.runeIcons[colour]);
        if (colour < TRAP_COLOURS && world.runeCues.ready[colour]) {
            glBlendFunc(GL_SRC_ALPHA, GL_ONE);
            drawPicture(world, world.activeIcons[colour]);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        }
    }
}

void GameWorld::renderInterface(int elapsed) {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_DEPTH_TEST);
    glUseProgram(interfaceShader->program);

    drawRuneMarks(*this);
    drawFightMarks(*this);
    if (hitFlash) {
        drawPicture(*this, hitTexture);
        hitFlashTime += elapsed;
        if (hitFlashTime > HIT_FLASH_MS) {
            hitFlash = false;
            hitFlashTime = 0;
        }
    }
    drawPicture(*this, backgroundTexture);

    drawRuneIcons(*this);
    drawCounters(*this);

    if (defeat) {
        drawPicture(*this, defeatTexture);
        gameOverShown = true;
    } else if (victory) {
        drawPicture(*this, victoryTexture);
        gameOverShown = true;
    }
    if (paused)
        drawPicture(*this, tutorialTexture);
    if (paused && mode.padConnected)
        drawPicture(*this, pictures.tutorialPadTexture);
    if (paused && mode.openingScreen)
        drawOpeningDifficulty(*this);
    if (mode.demo && pictures.counterGlyphs != 0)
        drawDemoBanner(*interfaceShader, pictures.counterGlyphs);

    glUseProgram(0);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
}

// Drawn from the game's state as this frame left it, so a strike, a release
// or a death shows in the frame it happens in.
void drawCounters(GameWorld& world) {
    if (world.pictures.counterGlyphs == 0)
        return;
    const int slain = countSlain(world.monsters);
    const int toCome = world.monsterTotal - static_cast<int>(world.monsters.size());
    const int life = world.player->lifePoints;
    drawLifeMeter(*world.interfaceShader, world.pictures.counterGlyphs, life,
                  world.difficulty->lifePoints);
    drawCounterNumber(*world.interfaceShader, world.pictures.counterGlyphs, life,
                      hud::LIFE_NUMBER.right, hud::LIFE_NUMBER.top);
    drawCounterNumber(*world.interfaceShader, world.pictures.counterGlyphs, slain,
                      hud::SLAIN_NUMBER.right, hud::SLAIN_NUMBER.top);
    drawCounterNumber(*world.interfaceShader, world.pictures.counterGlyphs, toCome,
                      hud::TO_COME_NUMBER.right, hud::TO_COME_NUMBER.top);
    // Under the life meter, so that a result is always read with its
    // world.difficulty.
    drawCounterLabel(*world.interfaceShader, world.pictures.counterGlyphs, difficultyLabel(world),
                     hud::BAR_LABEL_PLACE);
}
