// A player that knows only what the tutorial teaches, playing whole games in
// process through the key state. It lays the rune of the nearest monster
// coming in, steps away from that monster so its way to the mage crosses
// the rune, and sets the rune off only when the rune lights up, a
// reaction time after it does. Its slain counts over seeded games, at 20
// and at 60 frames a second of simulated time, hold the floor asserted
// below, so a change that breaks the cue or the technique fails here.
#include "app/GameWorld.h"
#include "app/MainLoop.h"
#include "app/SceneConstruction.h"
#include "game/Monster.h"
#include "game/ParticleSystem.h"
#include "game/Player.h"
#include "game/Rune.h"
#include "model/Model.h"
#include "render/Camera.h"

#include "GlContext.h"
#include "OutputCapture.h"
#include "ScriptedKeys.h"

#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const int GAMES = 20;
const int GAME_LIMIT_MS = 240000;
const int REACTION_MS = 200;       // from the rune lighting up to the key going down
const float LURE_DISTANCE = 0.45f; // beyond the rune, away from the monster
const float ARRIVED = 0.06f;
const float ARENA_KEEP_IN = 6.5f;
const float RUNE_KEEP_APART = 0.75f; // a little more than the spacing rule's 0.7

glm::vec2 xz(glm::vec3 v) {
    return {v.x, v.z};
}

glm::vec2 originXz(const glm::mat4& matrix) {
    return {matrix[3].x, matrix[3].z};
}

// The rune of one trap colour as the player sees it on the screen.
struct TrapView {
    int key;
    const bool* laid;       // its icon is lit
    const bool* recharging; // its icon is gone
    const float* cooldown;
    const glm::vec3* laidAt;
    const Rune* rune;
};

class TutorialPlayer {
  public:
    TutorialPlayer(GameWorld& world, ScriptedKeys& keys) : world(world), keys(keys) {}

    // Decides the keys of one frame from what the last frame showed.
    void chooseKeys(int now) {
        std::vector<int> held;
        Monster* threat = nearestThreat();
        if (!blastAReadyRune(now, held) && threat != nullptr)
            pursue(*threat, held);
        keys.releaseAll();
        for (int key : held)
            keys.press(key);
    }

  private:
    TrapView trap(int colour) const {
        Player& p = *world.player;
        if (colour == 0)
            return {'1', &p.redPlaced, &p.redRecharging, &p.redCooldown, &p.redPos, p.redRune};
        if (colour == 1)
            return {'2',         &p.greenPlaced, &p.greenRecharging, &p.greenCooldown,
                    &p.greenPos, p.greenRune};
        return {'3', &p.bluePlaced, &p.blueRecharging, &p.blueCooldown, &p.bluePos, p.blueRune};
    }

    glm::vec2 mage() const { return originXz(world.player->model->modelMatrix); }

    // The mage walks along its model's local -y axis.
    glm::vec2 facing() const {
        const glm::vec4 ahead = world.player->model->modelMatrix * glm::vec4(0, -1, 0, 0);
        return glm::normalize(glm::vec2(ahead.x, ahead.z));
    }

    // Sets off a lit rune once the reaction time since it lit up has passed.
    bool blastAReadyRune(int now, std::vector<int>& held) {
        for (int colour = 0; colour < 3; ++colour) {
            if (!world.runeReady[colour]) {
                litSince[colour] = -1;
                continue;
            }
            if (litSince[colour] < 0)
                litSince[colour] = now;
            if (now - litSince[colour] >= REACTION_MS) {
                held.push_back(trap(colour).key);
                litSince[colour] = -1;
                return true;
            }
        }
        return false;
    }

    // The nearest living monster, keeping the one chased while it lives.
    Monster* nearestThreat() {
        if (target != nullptr && target->alive)
            return target;
        target = nullptr;
        float best = 1e9f;
        for (Monster* monster : world.monsters) {
            const float distance = glm::length(originXz(monster->worldMatrix) - mage());
            if (monster->alive && distance < best) {
                best = distance;
                target = monster;
            }
        }
        return target;
    }

    bool farFromOtherRunes(int colour) const {
        for (const Rune* rune : {world.player->redRune, world.player->greenRune,
                                 world.player->blueRune, world.player->whiteRune}) {
            if (rune == trap(colour).rune || !rune->placed)
                continue;
            const glm::vec2 gap = glm::abs(xz(rune->position) - mage());
            if (gap.x < RUNE_KEEP_APART && gap.y < RUNE_KEEP_APART)
                return false;
        }
        return true;
    }

    void pursue(const Monster& threat, std::vector<int>& held) {
        const TrapView rune = trap(threat.kind);
        const glm::vec2 monster = originXz(threat.worldMatrix);
        if (*rune.laid) {
            // Stand beyond the rune, so the monster's way to the mage crosses it.
            const glm::vec2 runeAt = xz(*rune.laidAt);
            glm::vec2 away = runeAt - monster;
            away = glm::length(away) > 0.0f ? glm::normalize(away) : glm::vec2(0, 1);
            walkTo(runeAt + away * LURE_DISTANCE, held);
        } else if (!*rune.recharging && *rune.cooldown <= 0.0f && farFromOtherRunes(threat.kind)) {
            held.push_back(rune.key);
        } else {
            // Nothing to lay yet: keep away from it.
            glm::vec2 away = mage() - monster;
            away = glm::length(away) > 0.0f ? glm::normalize(away) : glm::vec2(0, 1);
            glm::vec2 goal = mage() + away;
            if (glm::length(goal) > ARENA_KEEP_IN)
                goal = glm::normalize(goal) * ARENA_KEEP_IN - away;
            walkTo(goal, held);
        }
    }

    // Turns toward the goal and walks; backs up to a goal behind the mage.
    void walkTo(glm::vec2 goal, std::vector<int>& held) const {
        const glm::vec2 offset = goal - mage();
        if (glm::length(offset) < ARRIVED)
            return;
        const glm::vec2 direction = glm::normalize(offset);
        const glm::vec2 f = facing();
        const bool backwards = glm::dot(f, direction) < 0.0f;
        const glm::vec2 along = backwards ? -f : f;
        const float turn =
            std::atan2(along.x * direction.y - along.y * direction.x, glm::dot(along, direction));
        if (std::fabs(turn) > glm::radians(3.0f))
            held.push_back(turn > 0.0f ? 'D' : 'A');
        if (std::fabs(turn) < glm::radians(30.0f))
            held.push_back(backwards ? 'S' : 'W');
    }

    GameWorld& world;
    ScriptedKeys& keys;
    Monster* target = nullptr;
    int litSince[3] = {-1, -1, -1};
};

// The frame's game logic, without drawing: the models it would draw have
// no program and no animation, so a game of minutes runs in milliseconds.
void stopDrawing(Model* model) {
    model->shader = nullptr;
    model->animator = nullptr;
}

// A new game on the built scene, as a new start with this seed would begin.
void startGame(Scene& scene, Monster* (&prepared)[PREPARED_MONSTER_COUNT], unsigned seed) {
    GameWorld& world = *scene.world;
    srand(seed);
    prepareMonsters(scene.monsterKinds, prepared);
    for (Model* kindModel : scene.monsterKinds)
        stopDrawing(kindModel);
    Player* old = world.player;
    for (Rune* rune : {old->redRune, old->greenRune, old->blueRune, old->whiteRune}) {
        rune->placed = false;
        rune->particles->resetAll();
    }
    old->model->restoreModelMatrix();
    stopDrawing(old->model);
    world.camera->eye = glm::vec3(0.0f, 5.0f, -5.0f);
    world.camera->target = glm::vec3(0.0f);
    world.player =
        new Player(old->model, old->redRune, old->greenRune, old->blueRune, old->whiteRune);
    world.monsters.clear();
    world.events.clear();
    world.victory = world.defeat = world.gameOverShown = world.hitFlash = false;
    world.paused = false;
    world.deathStepTimer = 0;
}

uint32_t noClock() {
    return 0;
}

// Plays one game at the frame times given in turn; returns the monsters slain.
int playGame(Scene& scene, unsigned seed, const std::vector<int>& frameTimes) {
    Monster* prepared[PREPARED_MONSTER_COUNT];
    startGame(scene, prepared, seed);
    GameWorld& world = *scene.world;
    MainLoop loop(&world, prepared, noClock);
    loop.paused = false;
    ScriptedKeys keys;
    TutorialPlayer player(world, keys);
    int now = 0;
    for (size_t frame = 0; now < GAME_LIMIT_MS && !world.defeat && !world.victory; ++frame) {
        const int dt = frameTimes[frame % frameTimes.size()];
        now += dt;
        player.chooseKeys(now);
        loop.releaseMonsters(dt);
        world.updateMonsters(dt);
        world.updateMonsters(dt);
        world.updatePlayer(dt);
        world.judgeRuneReadiness();
    }
    int slain = 0;
    for (const Monster* monster : world.monsters)
        slain += monster->alive ? 0 : 1;
    return slain;
}

std::vector<int> slainPerGame(Scene& scene, const std::vector<int>& frameTimes) {
    std::vector<int> slain;
    for (int game = 0; game < GAMES; ++game)
        slain.push_back(playGame(scene, 1000u + static_cast<unsigned>(game), frameTimes));
    return slain;
}

TEST(TutorialTechnique, LuringMonstersOntoRunesAndBlastingOnTheCueSlaysThem) {
    REQUIRE_GL_CONTEXT();
    OutputCapture capture;
    srand(1);
    Scene scene = buildScene();
    ASSERT_NE(scene.world->player, nullptr);

    const std::vector<int> slowFrames = {50};         // 20 frames a second
    const std::vector<int> fastFrames = {17, 17, 16}; // 60 frames a second
    const std::vector<int> slow = slainPerGame(scene, slowFrames);
    const std::vector<int> fast = slainPerGame(scene, fastFrames);
    capture.finish();

    std::string report;
    for (const std::vector<int>* counts : {&slow, &fast}) {
        report += counts == &slow ? "slain at 20 fps:" : "\nslain at 60 fps:";
        for (int count : *counts)
            report += " " + std::to_string(count);
    }
    std::printf("%s\n", report.c_str());
    // Measured: 3 to 11 a game, 135 in all at 20 fps and 142 at 60 (the
    // mage, standing on its rune instead, slays none). The floor leaves
    // room for changes that do not touch the cue or the technique.
    for (const std::vector<int>* counts : {&slow, &fast}) {
        int total = 0;
        for (int count : *counts) {
            EXPECT_GE(count, 2) << report;
            total += count;
        }
        EXPECT_GE(total, 5 * GAMES) << report;
    }
}

} // namespace
