// A whole game won in process: the constructed scene with a fixed seed, all
// twenty monsters released one after the other, and a scripted mage that lays
// the matching rune in each monster's path and sets it off as it arrives.
// Everything goes through the game's own rules and key bindings.
#include "world/GameRules.h"
#include "world/GameWorld.h"
#include "world/SceneConstruction.h"
#include "game/Monster.h"
#include "game/Player.h"
#include "model/Model.h"
#include "render/ShaderProgram.h"

#include "GlContext.h"
#include "OutputCapture.h"
#include "players/ScriptedKeys.h"

#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

const int STEP_MS = 40;
const float RUNE_DISTANCE = 2.0f; // from the centre, on the monster's way in

glm::vec2 xz(glm::vec4 v) {
    return glm::vec2(v.x, v.z);
}

// The rune state of one colour, as the scripted mage sees it.
struct RuneView {
    int key;
    const float* cooldown;
    const bool* placed;
    const bool* active;
    const glm::vec3* laidAt;

    bool ready() const { return *cooldown <= 0.0f && !*placed && !*active; }
};

class ScriptedMage {
  public:
    ScriptedMage(GameWorld* world, ScriptedKeys& keys) : world(world), keys(keys) {}

    // What one frame does to the game state: the frame's rules. Nothing is
    // drawn: a full picture for each of the game's thousands of short steps
    // took minutes, and the frame passes' tests draw.
    void step(int dt, std::initializer_list<int> held = {}) {
        keys.hold(held);
        playRules(*world, dt);
        keys.releaseAll();
    }

    glm::vec2 position() const { return xz(player()->model->modelMatrix * glm::vec4(0, 0, 0, 1)); }

    glm::vec2 facing() const {
        // The mage walks along its local -y axis.
        return glm::normalize(xz(player()->model->modelMatrix * glm::vec4(0, -1, 0, 0)));
    }

    // Turns on the spot until the mage faces `direction` within 2 degrees.
    bool turnToward(glm::vec2 direction) {
        direction = glm::normalize(direction);
        for (int i = 0; i < 400; ++i) {
            glm::vec2 f = facing();
            float angle = glm::degrees(
                std::atan2(f.x * direction.y - f.y * direction.x, glm::dot(f, direction)));
            if (std::fabs(angle) < 2.0f)
                return true;
            // 'A' turns the facing clockwise as seen from above in (x, z).
            int dt = std::max(1, std::min(10, static_cast<int>(std::fabs(angle) / 0.3f)));
            step(dt, {angle > 0.0f ? 'D' : 'A'});
        }
        return false;
    }

    bool walkTo(glm::vec2 target) {
        for (int i = 0; i < 2000; ++i) {
            glm::vec2 offset = target - position();
            float distance = glm::length(offset);
            if (distance < 0.03f)
                return true;
            if (!turnToward(offset))
                return false;
            float worldPerMs = 0.003f * glm::length(glm::vec3(player()->model->modelMatrix[0]));
            int dt = std::max(1, std::min(20, static_cast<int>(distance / worldPerMs)));
            step(dt, {'W'});
        }
        return false;
    }

    // Steps until `done` holds, at most `limitMs` of game time.
    template <typename Condition> bool waitUntil(Condition done, int limitMs) {
        for (int waited = 0; waited < limitMs; waited += STEP_MS) {
            if (done())
                return true;
            step(STEP_MS);
        }
        return done();
    }

    RuneView runeFor(int kind) const {
        Player* p = player();
        if (kind == 0)
            return {'1', &p->redCooldown, &p->redPlaced, &p->redActive, &p->redPos};
        if (kind == 1)
            return {'2', &p->greenCooldown, &p->greenPlaced, &p->greenActive, &p->greenPos};
        return {'3', &p->blueCooldown, &p->bluePlaced, &p->blueActive, &p->bluePos};
    }

    // Lays the rune of the monster's kind in its path, returns to the centre,
    // and sets the rune off when the monster walks onto it.
    void ambush(Monster* monster) {
        RuneView rune = runeFor(monster->kind);
        glm::vec2 spawn = xz(monster->worldMatrix * glm::vec4(0, 0, 0, 1));
        glm::vec2 spot = glm::normalize(spawn) * RUNE_DISTANCE;

        ASSERT_TRUE(walkTo(spot));
        step(10, {rune.key});
        ASSERT_TRUE(*rune.placed) << "rune of kind " << monster->kind << " was not laid";
        ASSERT_TRUE(walkTo(glm::vec2(0.0f)));

        auto onTheRune = [&] {
            glm::vec2 gap =
                xz(glm::vec4(monster->position, 1)) - glm::vec2(rune.laidAt->x, rune.laidAt->z);
            return std::fabs(gap.x) < 0.1f && std::fabs(gap.y) < 0.1f;
        };
        ASSERT_TRUE(waitUntil(onTheRune, 20000)) << "monster never reached its rune";
        step(10, {rune.key});
        ASSERT_TRUE(*rune.active);
        ASSERT_TRUE(waitUntil([&] { return !monster->alive; }, 1000));
    }

    Player* player() const { return world->player; }

    GameWorld* world;
    ScriptedKeys& keys;
};

int countOf(const std::string& text, const std::string& word) {
    int count = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
        ++count;
    return count;
}

TEST(Victory, ScriptedMageKillsAllTwentyMonstersWithTheirRunes) {
    REQUIRE_GL_CONTEXT();
    srand(20261207);
    OutputCapture capture;
    Scene scene = buildScene();
    GameWorld* world = scene.world;
    ASSERT_NE(world->modelShader->program, 0u);
    world->paused = false;
    world->mode.drawing = false;

    ScriptedKeys keys;
    ScriptedMage mage(world, keys);
    // No rune key acts during the first second.
    mage.waitUntil([&] { return mage.runeFor(0).ready(); }, 2000);

    int kindsSeen[3] = {0, 0, 0};
    for (Monster* monster : scene.preparedMonsters) {
        ++kindsSeen[monster->kind];
        RuneView rune = mage.runeFor(monster->kind);
        ASSERT_TRUE(mage.waitUntil([&] { return rune.ready(); }, 5000));
        world->addMonster(monster);
        mage.ambush(monster);
        if (::testing::Test::HasFatalFailure())
            break;
    }
    // Let the last monster's body shrink away, then the victory is judged.
    mage.waitUntil([&] { return world->victory; }, 1000);
    std::string out = capture.out();

    EXPECT_TRUE(world->victory);
    EXPECT_FALSE(world->defeat);
    EXPECT_EQ(countOf(out, "GAME OVER - VICTORY\n"), 1);
    EXPECT_EQ(world->player->lifePoints, 20) << "a monster reached the mage";
    // The fixed seed gives a game with every kind in it.
    EXPECT_GT(kindsSeen[0], 0);
    EXPECT_GT(kindsSeen[1], 0);
    EXPECT_GT(kindsSeen[2], 0);
}

} // namespace
