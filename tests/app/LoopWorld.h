#pragma once

#include "app/MainLoop.h"

class GameWorld;
class Monster;

// A game world for driving the main loop on a synthetic clock: real programs,
// targets and a player, with monsters that are prepared but never loaded.
struct LoopWorld {
    GameWorld* world = nullptr;
};

LoopWorld makeLoopWorld(Monster* (&prepared)[PREPARED_MONSTER_COUNT]);
