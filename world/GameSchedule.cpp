#include "world/GameSchedule.h"

#include "game/Difficulty.h"
#include "world/GameWorld.h"

void releaseMonsters(GameSchedule& schedule, GameWorld& world, Monster* const* prepared,
                     int elapsed) {
    if (schedule.spawnTimer <= 0 && schedule.releasedCount < PREPARED_MONSTER_COUNT &&
        !schedule.paused) {
        world.addMonster(prepared[schedule.releasedCount]);
        ++schedule.releasedCount;
        schedule.spawnTimer = world.difficulty->releaseInterval - elapsed;
    } else {
        // Keeps running while paused, so a long pause releases at once after.
        schedule.spawnTimer -= elapsed;
    }
}
