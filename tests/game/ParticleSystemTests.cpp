// Particle fountains: spawning, flight, bursts, turning to the camera,
// moving with the rune, and the life cycle of a particle.
#include "GameTestSupport.h"

#include "GlContext.h"
#include "render/ShaderProgram.h"

#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include <cmath>
#include <cstdlib>

namespace {

const glm::mat4 IDENTITY(1.0f);

struct Fountain {
    explicit Fountain(const glm::mat4& base, ShaderProgram* shader = nullptr)
        : model(makeModel(IDENTITY, nullptr, shader)) {
        model->modelMatrix = base;
        model->saveBaseMatrix();
        system = std::make_unique<ParticleSystem>(model.get(), &eye);
    }
    glm::vec3 eye{0.0f, 5.0f, -5.0f};
    std::unique_ptr<Model> model;
    std::unique_ptr<ParticleSystem> system;
};

float turnAngleOf(const glm::mat4& turn) {
    return std::atan2(turn[2][0], turn[0][0]) * 180.0f / 3.14159265f;
}

} // namespace

TEST(ParticleSpawn, DrawsLifeThenSidewaysThenUpwardFromRand) {
    std::srand(7);
    int lifeDraw = std::rand();
    int sideDraw = std::rand();
    int upDraw = std::rand();

    Fountain fountain(glm::translate(glm::scale(IDENTITY, glm::vec3(2.0f)), glm::vec3(5, 6, 7)));
    std::srand(7);
    fountain.system->respawn(3);
    const Particle& p = fountain.system->particles[3];
    EXPECT_FLOAT_EQ(p.life, ((lifeDraw % 5) + 1) / 5.0f);
    EXPECT_FLOAT_EQ(p.fade, 0.001f);
    EXPECT_TRUE(p.active);
    // Scaled into the emitter's units; the base's translation is not added.
    EXPECT_FLOAT_EQ(p.position.x, 0.0f);
    EXPECT_FLOAT_EQ(p.position.y, 0.0f);
    EXPECT_FLOAT_EQ(p.position.z, 3 * -0.0001f * 2.0f);
    EXPECT_FLOAT_EQ(p.velocity.x, (0.0005 - ((sideDraw % 100) + 1) / 100000.0) * 15 * 2);
    EXPECT_FLOAT_EQ(p.velocity.y, (0.01 - ((upDraw % 100) + 1) / 100000.0) * 15 * 2);
    EXPECT_FLOAT_EQ(p.velocity.z, 0.0f);
}

// The speed is stored as a float after the random draw, after the factor 3
// and after the factor 5, so each stage rounds on its own.
TEST(ParticleSpawn, SpeedsAreStoredAsFloatAfterEachStage) {
    std::srand(11);
    int draws[PARTICLE_COUNT][3];
    for (auto& draw : draws)
        for (int& value : draw)
            value = std::rand();
    auto staged = [](double drawn) {
        float speed = static_cast<float>(drawn);
        speed = static_cast<float>(speed * 3.0);
        return static_cast<float>(speed * 5.0);
    };

    Fountain fountain(glm::scale(IDENTITY, glm::vec3(2.0f)));
    std::srand(11);
    fountain.system->resetAll();
    for (int i = 0; i < PARTICLE_COUNT; ++i) {
        const Particle& p = fountain.system->particles[i];
        EXPECT_EQ(p.velocity.x, 2 * staged(0.0005 - ((draws[i][1] % 100) + 1) / 100000.0));
        EXPECT_EQ(p.velocity.y, 2 * staged(0.01 - ((draws[i][2] % 100) + 1) / 100000.0));
    }
}

TEST(ParticleFlight, UpdateMovesByVelocityThenPullsDown) {
    Fountain fountain(IDENTITY);
    Particle& p = fountain.system->particles[0];
    p.position = glm::vec3(1, 2, 3);
    p.velocity = glm::vec3(0.01f, 0.1f, -0.02f);
    p.life = 0.5f;
    fountain.system->update(10.0f);
    EXPECT_FLOAT_EQ(p.position.x, 1.1f);
    EXPECT_FLOAT_EQ(p.position.y, 3.0f);
    EXPECT_FLOAT_EQ(p.position.z, 2.8f);
    EXPECT_FLOAT_EQ(p.velocity.y, 0.0993f);
    EXPECT_FLOAT_EQ(p.velocity.x, 0.01f);
    EXPECT_FLOAT_EQ(p.life, 0.49f);
}

// Each stored value is the double-precision result rounded once to float;
// single-precision arithmetic rounds differently for some of these inputs,
// and for a life of 0.2 at 20 ms frames that moves the frame it dies in.
TEST(ParticleFlight, UpdateWorksInDoubleAndStoresFloat) {
    Fountain fountain(IDENTITY);
    Particle& p = fountain.system->particles[0];
    int singlePrecisionWouldDiffer = 0;
    for (int elapsed = 1; elapsed <= 60; ++elapsed) {
        for (int i = 1; i <= 20; ++i) {
            const float life = i * 0.05f;
            const glm::vec3 position(0.01f * i, 0.3f * i, -0.07f * i);
            const glm::vec3 velocity(0.0013f * i, 0.15f - 0.007f * i, 0.0f);
            p.life = life;
            p.position = position;
            p.velocity = velocity;
            fountain.system->update(static_cast<float>(elapsed));
            const double e = elapsed;
            ASSERT_EQ(p.life, static_cast<float>(life - 0.001f * e));
            ASSERT_EQ(p.position.y, static_cast<float>(position.y + double(velocity.y) * e));
            ASSERT_EQ(p.velocity.y, static_cast<float>(velocity.y - e * 0.00007));
            if (life - 0.001f * elapsed != p.life ||
                position.y + velocity.y * elapsed != p.position.y ||
                velocity.y - elapsed * 0.00007f != p.velocity.y)
                ++singlePrecisionWouldDiffer;
        }
    }
    EXPECT_GT(singlePrecisionWouldDiffer, 0);
}

TEST(ParticleBurst, GivesEveryParticleASidewaysAndUpwardSpeedWithoutTheBase) {
    Fountain fountain(glm::scale(IDENTITY, glm::vec3(3.0f)));
    fountain.system->resetAll();
    Particle before[PARTICLE_COUNT];
    for (int i = 0; i < PARTICLE_COUNT; ++i) {
        fountain.system->particles[i].velocity.z = 0.25f * i;
        before[i] = fountain.system->particles[i];
    }
    fountain.system->burst();
    for (int i = 0; i < PARTICLE_COUNT; ++i) {
        const Particle& p = fountain.system->particles[i];
        EXPECT_GE(p.velocity.x, -0.005f - 1e-7f);
        EXPECT_LE(p.velocity.x, 0.0049f + 1e-7f);
        EXPECT_GE(p.velocity.y, 0.0135f - 1e-7f);
        EXPECT_LE(p.velocity.y, 0.014985f + 1e-7f);
        EXPECT_EQ(p.velocity.z, before[i].velocity.z);
        EXPECT_EQ(p.position, before[i].position);
        EXPECT_EQ(p.life, before[i].life);
        EXPECT_EQ(p.active, before[i].active);
    }
}

TEST(ParticleFacing, TurnsTowardTheEyeAboutTheVerticalAxis) {
    Fountain ahead(IDENTITY);
    ahead.eye = glm::vec3(0, 5, -5); // straight in front of the (0, 0, -1) facing
    ahead.system->faceCamera();
    EXPECT_EQ(ahead.system->emitterTurn, IDENTITY);

    for (float side : {1.0f, -1.0f}) {
        Fountain turning(IDENTITY);
        turning.eye = glm::vec3(4 * side, 2, 0);
        turning.system->faceCamera();
        EXPECT_NEAR(turning.system->facing.x, side, 1e-5f);
        EXPECT_NEAR(turning.system->facing.z, 0.0f, 1e-5f);
        EXPECT_NEAR(std::fabs(turnAngleOf(turning.system->emitterTurn)), 90.0f, 1e-3f);
        // Already facing it: a second call changes nothing visible.
        turning.system->faceCamera();
        EXPECT_NEAR(turning.system->facing.x, side, 1e-5f);
    }

    Fountain behind(IDENTITY);
    behind.eye = glm::vec3(0, 1, 5);
    behind.system->faceCamera();
    EXPECT_NEAR(behind.system->facing.z, 1.0f, 1e-5f);
}

TEST(ParticleFacing, EyeStraightAboveMakesNoTurn) {
    Fountain fountain(IDENTITY);
    fountain.system->moveTo(glm::vec3(2, 0, 3));
    fountain.eye = glm::vec3(2, 8, 3);
    fountain.system->faceCamera();
    EXPECT_EQ(fountain.system->emitterTurn, IDENTITY);
    EXPECT_EQ(fountain.system->facing, glm::vec3(0, 0, -1));
}

TEST(ParticleMove, FirstMoveIsByTheFullTargetLaterMovesLandExactly) {
    glm::mat4 base =
        glm::translate(glm::scale(IDENTITY, glm::vec3(0.2f * TEST_SCALE)), glm::vec3(5, 1, 10));
    Fountain fountain(base);
    glm::vec3 start = originOf(base);
    fountain.system->moveTo(glm::vec3(3, 9, 4));
    glm::vec3 first = originOf(fountain.system->emitterBase);
    EXPECT_NEAR(first.x, start.x + 3, 1e-4f);
    EXPECT_NEAR(first.z, start.z + 4, 1e-4f);
    EXPECT_NEAR(first.y, start.y, 1e-5f);
    EXPECT_EQ(fountain.system->emitterPosition, first);

    fountain.system->moveTo(glm::vec3(-2, 9, 6.5f));
    glm::vec3 second = originOf(fountain.system->emitterBase);
    EXPECT_NEAR(second.x, -2.0f, 1e-4f);
    EXPECT_NEAR(second.z, 6.5f, 1e-4f);
    EXPECT_NEAR(second.y, start.y, 1e-5f);
}

TEST(ParticleMove, MovingOntoItsOwnSpotChangesNothing) {
    Fountain fountain(glm::scale(IDENTITY, glm::vec3(0.5f)));
    fountain.system->moveTo(glm::vec3(1, 0, 1));
    glm::mat4 before = fountain.system->emitterBase;
    fountain.system->moveTo(fountain.system->emitterPosition);
    EXPECT_EQ(fountain.system->emitterBase, before);
    EXPECT_FALSE(std::isnan(fountain.system->emitterPosition.x));
}

// The last particle drawn is the last "mMatrix" the program received.
TEST(ParticleLife, IsDrawnUntilItsLifeRunsOutThenRespawnedUndrawn) {
    REQUIRE_GL_CONTEXT();
    ShaderProgram* shader = testShader();
    ASSERT_NE(shader->program, 0u);
    glUseProgram(shader->program);
    GLint location = glGetUniformLocation(shader->program, "mMatrix");
    ASSERT_NE(location, -1);

    Fountain fountain(glm::scale(IDENTITY, glm::vec3(0.2f * TEST_SCALE)), shader);
    fountain.eye = glm::vec3(0, 5, -5); // no turn
    ParticleSystem& system = *fountain.system;
    system.resetAll();
    for (Particle& p : system.particles) {
        p.life = 1.0f;
        p.velocity = glm::vec3(0, 0.1f, 0);
    }
    Particle& last = system.particles[PARTICLE_COUNT - 1];
    last.life = 0.2f;
    last.position = glm::vec3(0.5f, 0, 0);
    const float s = fountain.model->scaleFactor();
    const float k = 1.0f / (s * s);

    auto lastUpload = [&]() {
        glm::mat4 uploaded;
        glGetUniformfv(shader->program, location, glm::value_ptr(uploaded));
        return uploaded;
    };
    // Drawn at 0, 60, 120 and 180 ms of summed time: 200 ms of life.
    for (int frame = 0; frame < 4; ++frame) {
        glm::mat4 expected =
            system.emitterBase * system.emitterTurn * glm::translate(IDENTITY, last.position * k);
        system.drawAndUpdate(60.0f);
        EXPECT_EQ(lastUpload(), expected) << "frame " << frame;
    }
    EXPECT_LE(last.life, 0.0f);
    glm::mat4 dying =
        system.emitterBase * system.emitterTurn * glm::translate(IDENTITY, last.position * k);
    system.drawAndUpdate(60.0f);
    EXPECT_NE(lastUpload(), dying);
    EXPECT_GT(last.life, 0.0f);
    EXPECT_EQ(fountain.model->modelMatrix, system.emitterBase);
    glUseProgram(0);
}

TEST(ParticleLife, AParticleFallingFasterThanPointZeroOneIsRespawned) {
    REQUIRE_GL_CONTEXT();
    Fountain fountain(IDENTITY, testShader());
    ParticleSystem& system = *fountain.system;
    system.resetAll();
    Particle& p = system.particles[5];
    p.life = 1.0f;
    p.velocity = glm::vec3(0, -0.011f, 0);
    p.position = glm::vec3(3, 3, 3);
    system.drawAndUpdate(1.0f);
    // Respawned at the emitter with a fresh upward speed, then moved once.
    EXPECT_GT(p.velocity.y, 0.0f);
    EXPECT_LT(std::fabs(p.position.x), 0.1f);
}
