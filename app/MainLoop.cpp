#include "app/MainLoop.h"

#include "app/FreshGame.h"
#include "app/GameWorld.h"
#include "app/Keyboard.h"
#include "game/Difficulty.h"
#include "game/GameMessages.h"
#include "render/Camera.h"
#include "sound/SoundPlayer.h"

#include <SDL.h>

#include <cstdio>
#include <ctime>

namespace {
const char* const TITLE_PREFIX = "Talmorak Arena fps";
const int DEBOUNCE_MS = 1000;

bool altDown() {
    return isKeyDown(GLFW_KEY_LALT) || isKeyDown(GLFW_KEY_RALT);
}

bool enterDown() {
    return isKeyDown(GLFW_KEY_ENTER) || isKeyDown(GLFW_KEY_KP_ENTER);
}
} // namespace

MainLoop::MainLoop(GameWorld* world, Monster** preparedMonsters, TickSource ticks)
    : world(world), preparedMonsters(preparedMonsters), ticks(ticks), previousTicks(ticks()) {}

void MainLoop::restart() {
    pauseTimer = DEBOUNCE_MS;
    paused = true;
    spawnTimer = FIRST_RELEASE_MS;
    releasedCount = 0;
}

LoopStep MainLoop::pass() {
    const uint32_t nowTicks = waitForNextTick();
    int elapsed = static_cast<int>(nowTicks - previousTicks);
    float rate = 1000.0f / static_cast<float>(elapsed);

    if (pauseTimer > 0)
        pauseTimer -= elapsed;
    if (muteTimer > 0)
        muteTimer -= elapsed;
    if (fullscreenTimer > 0)
        fullscreenTimer -= elapsed;
    followPad();
    forgetReleasedKeys();
    if (watchDemo(elapsed) == LoopStep::QUIT)
        return LoopStep::QUIT;
    pauseWhenLookedAway();
    handlePauseKey();
    handleDifficultyKey();
    handleMuteKey();
    handleFullscreenKeys();
    showFrameRate(rate);
    releaseMonsters(elapsed);
    demo.chooseKeys(elapsed);

    world->frame(elapsed);
    handOnEvents();

    const LoopStep next = readEndKeys();
    if (next == LoopStep::KEEP_RUNNING)
        previousTicks = nowTicks;
    return next;
}

// After DEMO_IDLE_MS on the opening screen with no key pressed the game
// plays itself. Any key ends the demo, but Esc, which still quits; so does
// looking away from the window, or its end picture shown for a while. A
// fresh opening screen follows, with nothing of the demo left.
LoopStep MainLoop::watchDemo(int elapsed) {
    const bool keyPressed = windowTakeKeyPressed();
    if (!demo.running()) {
        idleMs = world->openingScreen && !keyPressed ? idleMs + elapsed : 0;
        if (idleMs >= DEMO_IDLE_MS && scene != nullptr && !windowIsMinimised())
            startDemo();
        return LoopStep::KEEP_RUNNING;
    }
    if (windowKeyDown(GLFW_KEY_ESC))
        return LoopStep::QUIT;
    demoEndShownMs = world->gameOverShown ? demoEndShownMs + elapsed : 0;
    if (keyPressed || windowTakeLookedAway() || demoEndShownMs >= DEMO_END_PICTURE_MS)
        endDemo();
    return LoopStep::KEEP_RUNNING;
}

// The demo starts the game as P would, but says nothing.
void MainLoop::startDemo() {
    demo.start(*world);
    world->demo = true;
    paused = world->paused = false;
    world->openingScreen = false;
    demoEndShownMs = 0;
    if (sound != nullptr)
        sound->followPause(false);
}

void MainLoop::endDemo() {
    demo.stop();
    // The key that ended it does nothing else.
    ignoreKeysHeldNow();
    world->demo = false;
    restartScene(*scene, static_cast<unsigned>(time(nullptr)) ^ previousTicks);
    restart();
    idleMs = 0;
    if (sound != nullptr)
        sound->startOver();
}

// A GPU that ignores the swap interval can finish a pass within the same
// millisecond. Such a pass would show an infinite frame rate and move the
// game by nothing, so it waits for the clock instead: at most one pass per
// millisecond.
uint32_t MainLoop::waitForNextTick() const {
    uint32_t now = ticks();
    while (now == previousTicks) {
        SDL_Delay(1);
        now = ticks();
    }
    return now;
}

// Enter pressed as part of Alt+Enter, for fullscreen, starts no new game,
// even when Alt is let go before Enter.
LoopStep MainLoop::readEndKeys() {
    if (isKeyDown(GLFW_KEY_ESC) || !windowIsOpen())
        return LoopStep::QUIT;
    const bool enter = enterDown();
    enterWithAlt = enter && (enterWithAlt || altDown());
    if (enter && !enterWithAlt && world->gameOverShown)
        return LoopStep::PLAY_AGAIN;
    return LoopStep::KEEP_RUNNING;
}

// Under the end picture a pad's A and Start play again; the tutorial shows
// the pad's buttons while one plays.
void MainLoop::followPad() {
    windowPadShowsEndPicture(world->gameOverShown);
    world->padConnected = windowHasPad();
}

// A player who switches to another window or minimises this one finds the
// game paused on return, as if P had been pressed; P resumes it. The end
// picture stays as it is.
void MainLoop::pauseWhenLookedAway() {
    if (windowTakeLookedAway() && !paused && !world->gameOverShown)
        togglePause();
}

void MainLoop::handlePauseKey() {
    if (isKeyDown('P') && pauseTimer <= 0)
        togglePause();
}

void MainLoop::togglePause() {
    printGameMessage("check");
    paused = !paused;
    world->paused = paused;
    world->openingScreen = world->openingScreen && paused;
    world->toggleTimer = DEBOUNCE_MS;
    pauseTimer = DEBOUNCE_MS;
    if (sound != nullptr)
        sound->followPause(paused);
}

// On the opening screen, before the first P, each press of L takes the next
// difficulty, back to the gentlest after the standard. It prints nothing.
void MainLoop::handleDifficultyKey() {
    const bool down = isKeyDown('L');
    if (down && !difficultyKeyHeld && world->openingScreen)
        setDifficulty(*world, preparedMonsters, nextDifficulty(*world->difficulty));
    difficultyKeyHeld = down;
}

// M mutes and unmutes all sound, silently: the game says nothing about it.
void MainLoop::handleMuteKey() {
    if (!isKeyDown('M') || muteTimer > 0)
        return;
    muted = !muted;
    if (sound != nullptr)
        sound->setMuted(muted);
    muteTimer = DEBOUNCE_MS;
}

// F11, or Alt+Enter, switches between the window and fullscreen.
void MainLoop::handleFullscreenKeys() {
    const bool pressed = isKeyDown(GLFW_KEY_F11) || (altDown() && enterDown());
    if (!pressed || fullscreenTimer > 0)
        return;
    windowToggleFullscreen();
    fullscreenTimer = DEBOUNCE_MS;
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
        spawnTimer = world->difficulty->releaseInterval - elapsed;
    } else {
        // Keeps running while paused, so a long pause releases at once after.
        spawnTimer -= elapsed;
    }
}

// The sound hears the frame's events as the camera stands after it.
void MainLoop::handOnEvents() {
    if (sound != nullptr) {
        const Camera* camera = world->camera;
        const glm::vec3 eye = camera != nullptr ? camera->eye : glm::vec3(0.0f);
        const glm::vec3 target = camera != nullptr ? camera->target : glm::vec3(0.0f);
        sound->hear(world->events, eye, target);
    }
    world->events.clear();
}
