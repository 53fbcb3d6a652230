#include "world/FreshGame.h"

#include "world/GameWorld.h"
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

// The objects below share models with nothing else of the game, and move
// them; each model goes back to where start-up left it before the object
// is made again on it.

void remakeFountain(ParticleSystem& fountain) {
    fountain.model->restoreModelMatrix();
    fountain = ParticleSystem(fountain.model, fountain.eyePosition);
    fountain.resetAll();
}

void remakeRune(Rune& rune) {
    rune.model->restoreModelMatrix();
    rune = Rune(rune.model, rune.particles);
}

// The mage stands still at start-up, so its model has no animator yet.
void remakePlayer(Player& player, const Difficulty& difficulty) {
    Model* mage = player.model;
    mage->restoreModelMatrix();
    delete mage->animator;
    mage->animator = nullptr;
    player = Player(mage, player.redRune, player.greenRune, player.blueRune, player.whiteRune);
    player.lifePoints = difficulty.lifePoints;
}

} // namespace

void setDifficulty(GameWorld& world, Monster* const* preparedMonsters,
                   const Difficulty& difficulty) {
    world.difficulty = &difficulty;
    world.player->lifePoints = difficulty.lifePoints;
    for (int i = 0; i < PREPARED_MONSTER_COUNT; ++i)
        preparedMonsters[i]->speed = difficulty.monsterSpeeds[preparedMonsters[i]->kind];
}

// In start-up's order: the monsters' draws, then the fountains', red, green,
// blue and white; the runes, the player parking them, and the world.
void makeFreshGame(Scene& scene, unsigned seed) {
    GameWorld& world = *scene.world;
    Player& player = *world.player;
    srand(seed);
    prepareMonstersAgain(scene.monsterKinds, scene.preparedMonsters, *world.difficulty);
    for (int colour = 0; colour < RUNE_COLOURS; ++colour)
        remakeFountain(*player.rune(colour)->particles);
    for (int colour = 0; colour < RUNE_COLOURS; ++colour)
        remakeRune(*player.rune(colour));
    *world.camera = Camera(CAMERA_START_EYE, CAMERA_START_TARGET);
    remakePlayer(player, *world.difficulty);
    world = GameWorld(world, NextGame{});
}
