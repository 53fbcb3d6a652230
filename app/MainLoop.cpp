#include "app/MainLoop.h"
#include "app/Window.h"

#include "world/FreshGame.h"
#include "world/GameWorld.h"
#include "game/Keys.h"
#include "world/SceneConstruction.h"
#include "game/Difficulty.h"
#include "game/GameMessages.h"
#include "render/Camera.h"
#include "sound/SoundPlayer.h"

#include <SDL.h>

#include <cstdio>
#include <ctime>

namespace {
const char* const TITLE_PREFIX = "Talmorak Arena fps";

bool altDown() {
    return isKeyDown(GLFW_KEY_LALT) || isKeyDown(GLFW_KEY_RALT);
}

bool enterDown() {
    return isKeyDown(GLFW_KEY_ENTER) || isKeyDown(GLFW_KEY_KP_ENTER);
}
} // namespace

unsigned seedFromClock() {
    return static_cast<unsigned>(time(nullptr)) ^ SDL_GetTicks();
}

MainLoop::MainLoop(Scene& scene, TickSource ticks)
    : scene(&scene), world(scene.world), preparedMonsters(scene.preparedMonsters), ticks(ticks),
      previousTicks(ticks()) {}

LoopStep MainLoop::pass() {
    const uint32_t nowTicks = waitForNextTick();
    int elapsed = static_cast<int>(nowTicks - previousTicks);
    float rate = 1000.0f / static_cast<float>(elapsed);

    if (game.pauseTimer > 0)
        game.pauseTimer -= elapsed;
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
        game.idleMs = world->mode.openingScreen && !keyPressed ? game.idleMs + elapsed : 0;
        if (game.idleMs >= DEMO_IDLE_MS && !windowIsMinimised())
            startDemo();
        return LoopStep::KEEP_RUNNING;
    }
    if (windowKeyDown(GLFW_KEY_ESC))
        return LoopStep::QUIT;
    game.demoEndShownMs = world->gameOverShown ? game.demoEndShownMs + elapsed : 0;
    if (keyPressed || windowTakeLookedAway() || game.demoEndShownMs >= DEMO_END_PICTURE_MS)
        endDemo();
    return LoopStep::KEEP_RUNNING;
}

// The demo starts a new game as P would, but says nothing.
void MainLoop::startDemo() {
    startFreshGame();
    demo.start(*world);
    world->mode.demo = true;
    game.paused = world->paused = false;
    world->mode.openingScreen = false;
    if (sound != nullptr)
        sound->followPause(false);
}

void MainLoop::endDemo() {
    demo.stop();
    // The key that ended it does nothing else.
    ignoreKeysHeldNow();
    startFreshGame();
}

// The game's state is made whole, never reset part by part: the scene's
// objects and the world anew (world/FreshGame.h), the loop's share of the
// game anew, and the sound back to a game not yet started. The window, the
// look, the sound's mute, the difficulty and the pad stay as they are.
void MainLoop::startFreshGame() {
    makeFreshGame(*scene, seeds());
    game = GameSchedule();
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

LoopStep MainLoop::readEndKeys() {
    if (isKeyDown(GLFW_KEY_ESC) || !windowIsOpen())
        return LoopStep::QUIT;
    if (enterPlaysAgain())
        startFreshGame();
    return LoopStep::KEEP_RUNNING;
}

// Enter plays again only when pressed under the end picture: held since
// before the picture came up, or pressed with Alt for fullscreen (even with
// Alt let go first), it does nothing until it has been let go. The pad's A
// and Start come as Enter there (app/PadKeys.h).
bool MainLoop::enterPlaysAgain() {
    const bool enter = enterDown();
    if (!world->gameOverShown || !enter) {
        enterArmed = world->gameOverShown;
        return false;
    }
    if (altDown())
        enterArmed = false;
    return enterArmed;
}

// Under the end picture a pad's A and Start play again; the tutorial shows
// the pad's buttons while one plays.
void MainLoop::followPad() {
    windowPadShowsEndPicture(world->gameOverShown);
    world->mode.padConnected = windowHasPad();
}

// A player who switches to another window or minimises this one finds the
// game paused on return, as if P had been pressed; P resumes it. The end
// picture stays as it is.
void MainLoop::pauseWhenLookedAway() {
    if (windowTakeLookedAway() && !game.paused && !world->gameOverShown)
        togglePause();
}

void MainLoop::handlePauseKey() {
    if (isKeyDown('P') && game.pauseTimer <= 0)
        togglePause();
}

void MainLoop::togglePause() {
    printGameMessage("check");
    game.paused = !game.paused;
    world->paused = game.paused;
    world->mode.openingScreen = world->mode.openingScreen && game.paused;
    world->toggleTimer = DEBOUNCE_MS;
    game.pauseTimer = DEBOUNCE_MS;
    if (sound != nullptr)
        sound->followPause(game.paused);
}

// On the opening screen, before the first P, each press of L takes the next
// difficulty, back to the gentlest after the standard. It prints nothing.
void MainLoop::handleDifficultyKey() {
    const bool down = isKeyDown('L');
    if (down && !difficultyKeyHeld && world->mode.openingScreen)
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
    ::releaseMonsters(game, *world, preparedMonsters, elapsed);
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
