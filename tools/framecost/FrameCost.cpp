// The work of a few game frames, counted rather than timed: run under
// callgrind it counts their instructions, and on its own it prints how many
// fragment-shader invocations a frame makes. It builds the game's own scene
// and shows it either in the opening tutorial or at full load: all twenty
// monsters walked in round the mage and all four runes laid in a row; or,
// with "gates", all twenty still at their gates, out of sight, each marked
// at the picture's edge; in the window as it opens or, with "fullscreen",
// covering the screen. With "passes" the frames are split into their passes
// and pieces (tools/framecost/PassCost.h).
//
// usage, from a folder beside the staged bin/:
//   framecost tutorial|full|gates [frames] [fullscreen] [passes]

#include "world/GameWorld.h"
#include "world/SceneConstruction.h"
#include "app/Startup.h"
#include "app/Window.h"
#include "game/Monster.h"
#include "game/Player.h"
#include "game/Rune.h"
#include "tools/framecost/CountedFrames.h"
#include "tools/framecost/PassCost.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const int FRAME_MS = 16;

// As long as the monsters take to reach the mage from the farthest gate.
void gatherMonsters(GameWorld& world, Monster* const (&prepared)[PREPARED_MONSTER_COUNT]) {
    for (Monster* monster : prepared)
        world.addMonster(monster);
    for (int step = 0; step < 2000; ++step)
        for (Monster* monster : world.monsters)
            monster->update(glm::vec3(0.0f, 0.25f, 0.0f), 50);
}

// A step apart, as a player lays them: no rune may lie within reach of another.
void layRunes(Player& player) {
    const int leftToRight[RUNE_COLOURS] = {RUNE_RED, RUNE_BLUE, RUNE_GREEN, RUNE_WHITE};
    for (int i = 0; i < RUNE_COLOURS; ++i) {
        Rune* rune = player.rune(leftToRight[i]);
        rune->moveTo(-1.5f + i, 0.0f, -1.0f);
        rune->placed = true;
    }
}

} // namespace

int main(int argc, char** argv) {
    const bool full = argc > 1 && std::strcmp(argv[1], "full") == 0;
    const bool gates = argc > 1 && std::strcmp(argv[1], "gates") == 0;
    if (argc < 2 || (!full && !gates && std::strcmp(argv[1], "tutorial") != 0)) {
        fprintf(stderr, "usage: framecost tutorial|full|gates [frames] [fullscreen] [passes]\n");
        return 2;
    }
    const int frames = argc > 2 ? std::atoi(argv[2]) : 3;
    if (frames < 1)
        return 2;

    SDL_Init(SDL_INIT_NOPARACHUTE);
    atexit(SDL_Quit);
    if (!openGameWindow())
        return 1;
    // The warm-up frames' swaps bring the window's new size.
    bool byPass = false;
    for (int i = 3; i < argc; ++i) {
        if (std::strcmp(argv[i], "fullscreen") == 0)
            windowToggleFullscreen();
        byPass = byPass || std::strcmp(argv[i], "passes") == 0;
    }
    srand(7); // the same twenty monsters every run
    Scene scene = buildScene();
    if (full) {
        gatherMonsters(*scene.world, scene.preparedMonsters);
        layRunes(*scene.world->player);
    }
    if (gates) {
        for (Monster* monster : scene.preparedMonsters)
            scene.world->addMonster(monster);
        layRunes(*scene.world->player);
    }
    if (byPass)
        drawFramesByPass(*scene.world, FRAME_MS, frames);
    else
        drawCountedFrames(frames, [&scene] { scene.world->frame(FRAME_MS); });
    windowTerminate();
    return 0;
}
