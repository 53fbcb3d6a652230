// A game played again with Enter is the first game of a new process: with
// the same seed and the same keys, the same state in every frame, whatever
// the game before it left behind. The player's choices stay.
#include "world/FreshGame.h"
#include "world/GameWorld.h"
#include "game/Keys.h"
#include "app/MainLoop.h"
#include "players/ScriptedKeys.h"
#include "players/ScriptedPlayer.h"
#include "app/Window.h"
#include "game/Difficulty.h"
#include "game/GameMessages.h"
#include "game/Monster.h"
#include "game/ParticleSystem.h"
#include "game/Player.h"
#include "game/Rune.h"
#include "model/Model.h"
#include "render/Camera.h"

#include "GlContext.h"
#include "OutputCapture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

const unsigned SEED = 4242;
const uint32_t PASS_MS = 100;
// Long enough for the scripted player to lay, set off and lose runes, kill
// monsters and be struck.
const int PLAYED_MS = 20000;
// Every key a player may hold in a game.
const int GAME_KEYS[] = {'P',           'W',           'S',           'A',
                         'D',           'E',           '1',           '2',
                         '3',           'C',           'X',           GLFW_KEY_SPACE,
                         GLFW_KEY_UP,   GLFW_KEY_DOWN, GLFW_KEY_LEFT, GLFW_KEY_RIGHT,
                         GLFW_KEY_KP_2, GLFW_KEY_KP_4, GLFW_KEY_KP_6, GLFW_KEY_KP_8};

uint32_t now = 0;
uint32_t readNow() {
    return now;
}

unsigned sameSeed() {
    return SEED;
}

// Every number of the game's state, exactly.
class State {
  public:
    State() { text << std::hexfloat; }
    template <typename T> State& operator<<(const T& value) {
        text << value << ' ';
        return *this;
    }
    State& operator<<(const glm::vec3& v) { return *this << v.x << v.y << v.z; }
    State& operator<<(const glm::mat4& m) {
        for (int column = 0; column < 4; ++column)
            *this << glm::vec3(m[column]) << m[column].w;
        return *this;
    }
    std::string str() const { return text.str(); }

  private:
    std::ostringstream text;
};

void addMonster(State& state, const Monster& m) {
    state << m.position << m.facing << m.alive << m.worldMatrix << m.attackCooldown << m.inReach
          << m.kind << m.speed << m.inArena << m.ownIndex << m.deathTimer << m.others.size() << "|";
}

void addPlayer(State& state, const Player& p) {
    state << p.position << p.forward << p.orientation << p.lifePoints << p.whiteRunePos
          << p.whiteCooldown << p.whitePlaced << p.whiteRecharging;
    state << p.bluePos << p.blueCooldown << p.bluePlaced << p.blueActive << p.blueBlastTime
          << p.blueRecharging << p.redPos << p.redCooldown << p.redPlaced << p.redActive
          << p.redBlastTime << p.redRecharging << p.greenPos << p.greenCooldown << p.greenPlaced
          << p.greenActive << p.greenBlastTime << p.greenRecharging;
    state << p.cameraFollow << p.followToggleDelay << p.cameraResetDelay << p.shrinkTime
          << p.growTime << p.teleportTime << p.teleportTurn << p.teleportCameraShift
          << p.teleportDelta << p.unmatchedShrinkFrames << p.monsters.size() << p.jumpElapsed
          << p.jumpDuration << p.jumpVelocity << p.jumpTakeOffHeight << p.events.size();
    for (const RuneKeyPress& key : p.runeKeys)
        state << key.answered();
    state << p.model->modelMatrix << (p.model->animator != nullptr) << "|";
    for (const Rune* rune : {p.redRune, p.greenRune, p.blueRune, p.whiteRune}) {
        const ParticleSystem& fountain = *rune->particles;
        state << rune->position << rune->placed << rune->model->modelMatrix << fountain.emitterBase
              << fountain.emitterTurn << fountain.facing << fountain.emitterPosition;
        for (const Particle& particle : fountain.particles)
            state << particle.life << particle.fade << particle.position << particle.velocity
                  << particle.active;
        state << "|";
    }
}

std::string stateOf(const Scene& scene, const MainLoop& loop) {
    const GameWorld& w = *scene.world;
    State state;
    state << loop.game.pauseTimer << loop.game.paused << loop.game.spawnTimer
          << loop.game.releasedCount << "|";
    state << w.monsters.size() << w.hitFlash << w.victory << w.defeat << w.gameOverShown << w.paused
          << w.mode.openingScreen << w.mode.demo << w.toggleTimer << w.deathStepTimer
          << w.hitFlashTime << w.runeCues.pulseClock << w.refusals.squareColour
          << w.refusals.squareMs;
    for (bool ready : w.runeCues.ready)
        state << ready;
    for (bool headed : w.runeCues.headed)
        state << headed;
    for (const ArrivalMark& arrival : w.runeCues.arrivals)
        state << arrival.kind << arrival.at << arrival.distance;
    for (int blink : w.refusals.iconBlinkMs)
        state << blink;
    state << w.camera->eye << w.camera->target << w.camera->up << "|";
    for (const Monster* monster : scene.preparedMonsters)
        addMonster(state, *monster);
    addPlayer(state, *w.player);
    return state.str();
}

// Where two states part, with a little of what leads there.
std::string firstDifference(const std::string& a, const std::string& b) {
    size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at])
        ++at;
    const size_t from = at > 80 ? at - 80 : 0;
    return "character " + std::to_string(at) + ": ..." + a.substr(from, 120) + "\n against ..." +
           b.substr(from, 120);
}

std::vector<int> keysDown() {
    std::vector<int> down;
    for (int key : GAME_KEYS) {
        if (isKeyDown(key))
            down.push_back(key);
    }
    return down;
}

// The game's messages kept quiet for the test's time, whatever ends it.
struct SilentMessages {
    SilentMessages() { setGameMessagesSilenced(true); }
    ~SilentMessages() { setGameMessagesSilenced(false); }
};

void pass(MainLoop& loop) {
    now += PASS_MS;
    loop.pass();
}

TEST(FreshGame, EnterPlaysTheFirstGameOfANewProcessWithTheSameSeedAndKeepsThePlayersChoices) {
    REQUIRE_GL_CONTEXT();
    // As the program starts: the seed, the scene, the difficulty chosen.
    // Kept to the end of the process, as the game keeps its scene.
    static Scene scene;
    {
        OutputCapture quiet;
        srand(SEED);
        scene = buildScene();
    }
    GameWorld& world = *scene.world;
    const Difficulty& gentle = DIFFICULTIES[1];
    setDifficulty(world, scene.preparedMonsters, gentle);
    world.mode.drawing = false; // the rules alone, quickly
    now = 0;
    MainLoop loop(scene, readNow);
    loop.seeds = sameSeed;
    windowTakeLookedAway();

    // The first game: P after its first second, then the tutorial's
    // technique plays; each pass's keys and state are kept.
    SilentMessages silent;
    std::vector<std::vector<int>> keysOfPass;
    std::vector<std::string> firstGame;
    {
        ScriptedKeys keys;
        ScriptedPlayer player(world, keys, TUTORIAL_TECHNIQUE);
        bool started = false;
        for (int played = 0; played < PLAYED_MS;) {
            if (started) {
                played += PASS_MS;
                player.chooseKeys(played);
            } else if (now >= 1100) {
                keys.press('P');
                started = true;
            }
            keysOfPass.push_back(keysDown());
            pass(loop);
            firstGame.push_back(stateOf(scene, loop));
        }
        ASSERT_FALSE(world.paused);
        int slain = 0;
        for (const Monster* monster : world.monsters)
            slain += monster->alive ? 0 : 1;
        EXPECT_GT(slain, 0) << "a game that killed nothing leaves too little behind";

        // The player's choices, then a defeat, and Enter under its picture.
        keys.hold({GLFW_KEY_F1, 'M'});
        pass(loop);
        keys.releaseAll();
        world.player->lifePoints = 1;
        world.player->hit();
        pass(loop);
        ASSERT_TRUE(world.gameOverShown);
        keys.press(GLFW_KEY_ENTER);
        pass(loop);
        ASSERT_FALSE(world.gameOverShown);
    }
    EXPECT_EQ(world.postProcessMode, 1);
    EXPECT_TRUE(loop.muted);
    EXPECT_EQ(world.difficulty, &gentle);

    // The same keys again: the same state, pass by pass.
    std::string parted;
    {
        ScriptedKeys keys;
        for (size_t i = 0; i < keysOfPass.size() && parted.empty(); ++i) {
            keys.releaseAll();
            for (int key : keysOfPass[i])
                keys.press(key);
            pass(loop);
            const std::string state = stateOf(scene, loop);
            if (state != firstGame[i])
                parted = "pass " + std::to_string(i) + ", " + firstDifference(state, firstGame[i]);
        }
    }
    EXPECT_TRUE(parted.empty()) << "the games parted at " << parted;
}

} // namespace
