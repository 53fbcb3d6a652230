#include "app/MainLoop.h"

#include "app/GameWorld.h"
#include "app/Keyboard.h"

#include <cstdio>

namespace {
const char* const TITLE_PREFIX = "Talmorak Arena fps";
const int DEBOUNCE_MS = 1000;
const int SPAWN_INTERVAL_MS = 5000;
} // namespace

MainLoop::MainLoop(GameWorld* world, Monster** preparedMonsters, uint32_t startTicks)
    : world(world), preparedMonsters(preparedMonsters), previousTicks(startTicks) {}

bool MainLoop::pass(uint32_t nowTicks) {
    int elapsed = static_cast<int>(nowTicks - previousTicks);
    // A 0 ms pass gives an infinite rate; the title just shows "inf".
    float rate = 1000.0f / static_cast<float>(elapsed);

    if (pauseTimer > 0)
        pauseTimer -= elapsed;
    handlePauseKey();
    showFrameRate(rate);
    releaseMonsters(elapsed);

    world->frame(elapsed);

    if (isKeyDown(GLFW_KEY_ESC) || !windowIsOpen())
        return false;
    previousTicks = nowTicks;
    return true;
}

void MainLoop::handlePauseKey() {
    if (!isKeyDown('P') || pauseTimer > 0)
        return;
    printf("check\n");
    fflush(stdout);
    paused = !paused;
    world->paused = paused;
    world->toggleTimer = DEBOUNCE_MS;
    pauseTimer = DEBOUNCE_MS;
}

void MainLoop::showFrameRate(float rate) {
    char rateText[64];
    snprintf(rateText, sizeof rateText, "%3.2f", rate);
    title = std::string(TITLE_PREFIX) + rateText;
    windowSetTitle(title.c_str());
}

void MainLoop::releaseMonsters(int elapsed) {
    if (spawnTimer <= 0 && releasedCount < PREPARED_MONSTER_COUNT && !paused) {
        world->addMonster(preparedMonsters[releasedCount]);
        ++releasedCount;
        spawnTimer = SPAWN_INTERVAL_MS - elapsed;
    } else {
        // Keeps running while paused, so a long pause releases at once after.
        spawnTimer -= elapsed;
    }
}
