// The head-up display blends each picture only where it is painted. Every
// frame it draws must be the one the whole-window quads drew, to the pixel:
// each state of the display is drawn both ways over the same scene.
#include "world/GameWorld.h"
#include "world/SceneConstruction.h"
#include "game/Player.h"
#include "game/Rune.h"

#include "GlContext.h"
#include "OutputCapture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

std::vector<uint8_t> windowPixels() {
    std::vector<uint8_t> pixels(PICTURE_WIDTH * PICTURE_HEIGHT * 4);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, PICTURE_WIDTH, PICTURE_HEIGHT, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// The scene's picture through the post-process pass, then the display.
std::vector<uint8_t> displayed(GameWorld& world) {
    world.renderPostProcessPass();
    world.renderInterface(0);
    return windowPixels();
}

struct DisplayState {
    const char* name;
    std::function<void(GameWorld&)> set;
};

TEST(PaintedPictures, EveryStateOfTheDisplayIsTheSameToThePixel) {
    REQUIRE_GL_CONTEXT();
    OutputCapture quiet;
    srand(5);
    Scene scene = buildScene();
    GameWorld& world = *scene.world;
    Player& player = *world.player;
    for (int kind = 0; kind < PREPARED_MONSTER_COUNT; ++kind)
        world.addMonster(scene.preparedMonsters[kind]);
    world.paused = false;
    world.frame(40);

    const DisplayState states[] = {
        {"the tutorial", [](GameWorld& w) { w.paused = true; }},
        {"a running game with every icon ready", [](GameWorld& w) { w.paused = false; }},
        {"a laid rune, a recharging one, a lit one and a refused one",
         [&player](GameWorld& w) {
             player.redPlaced = player.redRune->placed = true;
             player.greenRecharging = true;
             player.bluePlaced = player.blueRune->placed = true;
             w.runeCues.ready[2] = true;
             w.refusals.iconBlinkMs[3] = 300;
         }},
        {"the hit picture", [](GameWorld& w) { w.hitFlash = true; }},
        {"the victory", [](GameWorld& w) { w.victory = true; }},
        {"the defeat over the victory", [](GameWorld& w) { w.defeat = true; }},
        {"the tutorial over the defeat", [](GameWorld& w) { w.paused = true; }},
        {"the pad's buttons over the tutorial", [](GameWorld& w) { w.mode.padConnected = true; }},
    };
    std::unordered_map<GLuint, PaintedArea> painted = world.pictures.paintedAreas;
    ASSERT_GE(painted.size(), 14u);
    for (const DisplayState& state : states) {
        SCOPED_TRACE(state.name);
        state.set(world);
        world.pictures.paintedAreas = painted;
        const std::vector<uint8_t> where = displayed(world);
        world.pictures.paintedAreas.clear(); // every picture over the whole window
        const std::vector<uint8_t> whole = displayed(world);
        size_t differing = 0;
        for (size_t i = 0; i < where.size(); ++i)
            differing += where[i] != whole[i] ? 1 : 0;
        EXPECT_EQ(differing, 0u);
    }
    world.pictures.paintedAreas = painted;
}

} // namespace
