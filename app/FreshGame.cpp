#include "app/FreshGame.h"

#include "app/GameWorld.h"
#include "game/Difficulty.h"
#include "game/Monster.h"
#include "game/ParticleSystem.h"
#include "game/Player.h"
#include "game/Rune.h"
#include "model/Animator.h"
#include "model/Model.h"
#include "render/Camera.h"

#include <cstdlib>

namespace {

const glm::vec3 CAMERA_START_EYE(0.0f, 5.0f, -5.0f);

// The mage back where start-up placed it, its runes parked and their
// fountains respawned, with a new life.
void restartPlayer(Player& player, const Difficulty& difficulty) {
    Rune* const runes[4] = {player.redRune, player.greenRune, player.blueRune, player.whiteRune};
    for (Rune* rune : runes) {
        rune->placed = false;
        rune->particles->resetAll();
    }
    Model* mage = player.model;
    mage->restoreModelMatrix();
    delete mage->animator;
    mage->animator = nullptr;
    player = Player(mage, runes[0], runes[1], runes[2], runes[3]);
    player.lifePoints = difficulty.lifePoints;
}

void restartWorld(GameWorld& world) {
    world.monsters.clear();
    world.events.clear();
    world.hitFlash = false;
    world.hitFlashTime = 0;
    world.victory = world.defeat = world.gameOverShown = false;
    world.paused = true;
    world.openingScreen = true;
    world.toggleTimer = 1000;
    world.deathStepTimer = 0;
    world.runeCues = RuneCues();
    world.refusals = RefusalCues();
    world.camera->eye = CAMERA_START_EYE;
    world.camera->target = glm::vec3(0.0f);
}

} // namespace

void setDifficulty(GameWorld& world, Monster* const* preparedMonsters,
                   const Difficulty& difficulty) {
    world.difficulty = &difficulty;
    world.player->lifePoints = difficulty.lifePoints;
    for (int i = 0; i < PREPARED_MONSTER_COUNT; ++i)
        preparedMonsters[i]->speed = difficulty.monsterSpeeds[preparedMonsters[i]->kind];
}

// The same draws of rand() in the same order as at start-up: the monsters,
// then the fountains.
void restartScene(Scene& scene, unsigned seed) {
    GameWorld& world = *scene.world;
    srand(seed);
    prepareMonstersAgain(scene.monsterKinds, scene.preparedMonsters, *world.difficulty);
    restartPlayer(*world.player, *world.difficulty);
    restartWorld(world);
}
