#pragma once

#include "app/MainLoop.h"

class GameWorld;
class Monster;

// Everything the main loop needs from the scene construction.
struct Scene {
    GameWorld* world = nullptr;
    Monster* preparedMonsters[PREPARED_MONSTER_COUNT] = {};
};

// Builds every object of the game in its fixed order. Needs the window's GL
// context; objects live until the process ends.
Scene buildScene();
