// The constructed scene: which monsters a seed gives, where the placements
// land relative to loading, and that every colour's rune, fountain and
// model belong together.
#include "world/GameWorld.h"
#include "world/SceneConstruction.h"
#include "game/Monster.h"
#include "game/ParticleSystem.h"
#include "game/Player.h"
#include "game/Rune.h"
#include "model/Model.h"
#include "render/Camera.h"
#include "render/Light.h"

#include "GlContext.h"
#include "OutputCapture.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

const glm::mat4 IDENTITY(1.0f);
const glm::vec3 X_AXIS(1, 0, 0);

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

void expectNearMatrix(const glm::mat4& actual, const glm::mat4& expected) {
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            float tolerance = 1e-4f * (1.0f + std::abs(expected[column][row]));
            EXPECT_NEAR(actual[column][row], expected[column][row], tolerance)
                << "column " << column << " row " << row;
        }
    }
}

// The matrix a model of that file carries after loading with no placement.
glm::mat4 normalisationOf(const Model* like) {
    Model fresh(like->filePath, like->light, like->camera, like->shader);
    fresh.load();
    return fresh.modelMatrix;
}

class SceneConstructionTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (!ensureGlContext())
            return;
        OutputCapture quiet;
        srand(SEED);
        for (int i = 0; i < PREPARED_MONSTER_COUNT; ++i) {
            expectedKinds[i] = rand() % 3;
            expectedCorners[i] = rand() % 4;
        }
        srand(SEED);
        scene = buildScene();
    }

    void SetUp() override { REQUIRE_GL_CONTEXT(); }

    static const unsigned SEED = 77;
    static Scene scene;
    static int expectedKinds[PREPARED_MONSTER_COUNT];
    static int expectedCorners[PREPARED_MONSTER_COUNT];
};

Scene SceneConstructionTest::scene;
int SceneConstructionTest::expectedKinds[PREPARED_MONSTER_COUNT];
int SceneConstructionTest::expectedCorners[PREPARED_MONSTER_COUNT];

TEST_F(SceneConstructionTest, EachMonsterTakesItsKindThenItsCornerFromTheSeed) {
    const char* const kindFiles[3] = {"/redmonster.x", "/greenmonster.x", "/monster.x"};
    const glm::vec3 corners[4] = {{0.0f, 44.5713844f, -2.45714045f},
                                  {-44.5713844f, 0.0f, -2.45714045f},
                                  {0.0f, -44.5713844f, -2.45714045f},
                                  {44.5713844f, 0.0f, -2.45714045f}};
    for (int i = 0; i < PREPARED_MONSTER_COUNT; ++i) {
        SCOPED_TRACE(i);
        Monster* monster = scene.preparedMonsters[i];
        ASSERT_NE(monster, nullptr);
        const int kind = expectedKinds[i];
        EXPECT_EQ(monster->kind, kind);
        EXPECT_EQ(monster->speed, MONSTER_SPEEDS[kind]);
        EXPECT_TRUE(endsWith(monster->model->filePath, kindFiles[kind]));
        EXPECT_TRUE(monster->model->loaded);
        EXPECT_EQ(monster->model->hasShadow, 0);
        // Turned upright and shrunk before loading, then moved to the corner.
        glm::mat4 upright = glm::rotate(IDENTITY, glm::radians(90.0f), X_AXIS) *
                            glm::scale(IDENTITY, glm::vec3(0.7f)) * normalisationOf(monster->model);
        expectNearMatrix(monster->worldMatrix,
                         upright * glm::translate(IDENTITY, corners[expectedCorners[i]]));
    }
    EXPECT_TRUE(scene.world->monsters.empty());
}

TEST_F(SceneConstructionTest, ScenePiecesArePlacedBeforeLoadingAndCastShadowsAsListed) {
    GameWorld* world = scene.world;
    ASSERT_EQ(world->sceneModels.size(), 2u);
    Model* skysphere = world->sceneModels[0];
    Model* arena = world->sceneModels[1];
    Model* mage = world->player->model;
    EXPECT_TRUE(endsWith(skysphere->filePath, "/skysphere.x"));
    EXPECT_TRUE(endsWith(arena->filePath, "/arena.x"));
    EXPECT_TRUE(endsWith(mage->filePath, "/mage.x"));
    EXPECT_EQ(skysphere->hasShadow, 0);
    EXPECT_EQ(arena->hasShadow, 1);
    EXPECT_EQ(mage->hasShadow, 0);

    const glm::mat4 upright = glm::rotate(IDENTITY, glm::radians(90.0f), X_AXIS);
    expectNearMatrix(skysphere->modelMatrix,
                     upright * glm::scale(IDENTITY, glm::vec3(60.0f)) * normalisationOf(skysphere));
    expectNearMatrix(arena->modelMatrix,
                     upright * glm::scale(IDENTITY, glm::vec3(25.0f)) *
                         glm::translate(IDENTITY, glm::vec3(0.0f, 0.29f, -0.0635f)) *
                         normalisationOf(arena));
    expectNearMatrix(mage->modelMatrix,
                     upright * glm::rotate(IDENTITY, glm::radians(180.0f), glm::vec3(0, 0, 1)) *
                         glm::translate(IDENTITY, glm::vec3(0.0f, 0.0f, -0.36f)) *
                         normalisationOf(mage));

    EXPECT_EQ(world->monsterTotal, 20);
    EXPECT_TRUE(world->paused);
    EXPECT_EQ(world->camera->eye, glm::vec3(0.0f, 5.0f, -5.0f));
    EXPECT_EQ(world->light->position, glm::vec3(15.0f, 15.0f, 0.0f));
    EXPECT_EQ(mage->camera, world->camera);
    EXPECT_EQ(mage->light, world->light);
}

TEST_F(SceneConstructionTest, EachRuneHoldsTheModelAndFountainOfItsOwnColour) {
    Player* player = scene.world->player;
    const struct {
        Rune* rune;
        const char* colour;
    } runes[4] = {{player->redRune, "red"},
                  {player->greenRune, "green"},
                  {player->blueRune, "blue"},
                  {player->whiteRune, "white"}};
    for (const auto& entry : runes) {
        SCOPED_TRACE(entry.colour);
        const std::string colour = entry.colour;
        EXPECT_TRUE(endsWith(entry.rune->model->filePath, "/" + colour + "rune.x"));
        EXPECT_TRUE(endsWith(entry.rune->particles->model->filePath, "/" + colour + "particle.x"));
        EXPECT_TRUE(entry.rune->model->loaded);
        EXPECT_TRUE(entry.rune->particles->model->loaded);
        EXPECT_EQ(entry.rune->model->hasShadow, 1);
        EXPECT_EQ(entry.rune->particles->model->hasShadow, 1);
        EXPECT_FALSE(entry.rune->placed);
        EXPECT_EQ(entry.rune->particles->eyePosition, &scene.world->camera->eye);
        // Reset right after creation: every particle is alive.
        for (const Particle& particle : entry.rune->particles->particles)
            EXPECT_TRUE(particle.active && particle.life > 0.0f);
    }
}

} // namespace
