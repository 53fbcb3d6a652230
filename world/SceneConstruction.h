#pragma once

#include "world/GameSchedule.h"
#include "game/Difficulty.h"

#include <glm/glm.hpp>

class GameWorld;
class Model;
class Monster;

// Where the camera stands and looks when a game starts.

// Everything the main loop needs from the scene construction, and the
// monster models of the three kinds (red, green, plain) the monsters share.
struct Scene {
    GameWorld* world = nullptr;
    Monster* preparedMonsters[PREPARED_MONSTER_COUNT] = {};
    Model* monsterKinds[3] = {};
};

// The twenty monsters of a game, each of a kind and at a spawn corner drawn
// from rand(), kind first, monster by monster, so a fixed seed gives the
// same twenty, walking at the difficulty's pace. A kind's model is loaded
// when its first monster needs it.
void prepareMonsters(Model* const (&kindModels)[3], Monster* (&prepared)[PREPARED_MONSTER_COUNT],
                     const Difficulty& difficulty = STANDARD);
// The same into the monsters already made, for a new game in this process.
void prepareMonstersAgain(Model* const (&kindModels)[3],
                          Monster* const (&prepared)[PREPARED_MONSTER_COUNT],
                          const Difficulty& difficulty);

// Builds every object of the game in its fixed order. Needs the window's GL
// context; objects live until the process ends.
Scene buildScene();
