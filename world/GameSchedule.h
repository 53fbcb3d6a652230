#pragma once

#include "game/Keys.h"

class GameWorld;
class Monster;

const int PREPARED_MONSTER_COUNT = 20;
// When the first monster comes in, in ms of the game running.
const int FIRST_RELEASE_MS = 2000;
// The loop's share of one game: its pause, the pause key's debounce, the
// monsters' release schedule, and the clocks of the demo. Each new game
// starts from a new one.
struct GameSchedule {
    int pauseTimer = DEBOUNCE_MS;
    bool paused = true;
    int spawnTimer = FIRST_RELEASE_MS;
    int releasedCount = 0;
    // Time on the opening screen with no key pressed, and time a demo
    // game's end picture has shown.
    int idleMs = 0;
    int demoEndShownMs = 0;
};

// The release schedule: while the game runs, the next prepared monster
// enters FIRST_RELEASE_MS after the start and then every release interval of
// the world's difficulty (5000 ms at the standard pace).
void releaseMonsters(GameSchedule& schedule, GameWorld& world, Monster* const* prepared,
                     int elapsed);
