// Monsters: turning, stepping, spacing, reach, entering the arena, hits and
// dying.
#include "GameTestSupport.h"

#include "model/Animator.h"

#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>

#include <cmath>

namespace {

const float PI = 3.14159265f;

// A target at the given angle (degrees) from the -z facing of a new monster
// standing at the origin, three units away.
glm::vec3 targetAtAngle(float degrees) {
    float radians = degrees * PI / 180.0f;
    return glm::vec3(3.0f * std::sin(radians), 0.0f, -3.0f * std::cos(radians));
}

// The spot one step of the monster would reach without turning.
glm::vec3 candidateOf(const Monster& monster, int elapsed) {
    return originOf(glm::translate(monster.worldMatrix, glm::vec3(0, -monster.speed * elapsed, 0)));
}

} // namespace

TEST(MonsterTurn, StaysWithinTheDeadZoneAndTurnsFullyBeyondIt) {
    auto model = makeMonsterModel();
    for (float angle : {1.5f, -1.5f}) {
        auto still = makeMonster(model.get(), 2, 0, 0);
        glm::vec3 facing = still->facing;
        still->update(targetAtAngle(angle), 10);
        EXPECT_EQ(still->facing, facing) << angle;
    }

    for (float angle : {2.5f, -2.5f, 90.0f, -135.0f}) {
        auto turning = makeMonster(model.get(), 2, 0, 0);
        turning->update(targetAtAngle(angle), 10);
        float radians = angle * PI / 180.0f;
        // The creation frame's x and y are the world's x and z.
        EXPECT_NEAR(turning->facing.x, std::sin(radians), 1e-4f) << angle;
        EXPECT_NEAR(turning->facing.y, -std::cos(radians), 1e-4f) << angle;
        // Having turned, the step of the same update heads for the target.
        glm::vec3 moved = originOf(turning->worldMatrix) - turning->position;
        EXPECT_NEAR(moved.x / glm::length(moved), std::sin(radians), 1e-3f) << angle;
        EXPECT_NEAR(moved.z / glm::length(moved), -std::cos(radians), 1e-3f) << angle;
    }
}

// Turns accumulate rounding in facing; a target straight behind then gives
// a cosine just below -1, which must still read as half a turn.
TEST(MonsterTurn, TurnsRoundToATargetStraightBehindDespiteRounding) {
    auto model = makeMonsterModel();
    auto monster = makeMonster(model.get(), 2, 0, 0);
    monster->facing = glm::vec3(0.0f, -1.0000001f, 0.0f);
    monster->update(glm::vec3(0, 0, 3), 10);
    EXPECT_NEAR(monster->facing.y, 1.0f, 1e-5f);
    EXPECT_GT(originOf(monster->worldMatrix).z, 0.0f);
}

TEST(MonsterTurn, StandingExactlyOnTheTargetGivesNoTurn) {
    auto model = makeMonsterModel();
    auto monster = makeMonster(model.get(), 2, 1, 1);
    glm::vec3 facing = monster->facing;
    glm::mat4 before = monster->worldMatrix;
    monster->update(originOf(monster->worldMatrix), 16);
    EXPECT_EQ(monster->facing, facing);
    EXPECT_EQ(monster->worldMatrix, before);
    EXPECT_TRUE(monster->inReach);
}

TEST(MonsterStep, WalksSpeedTimesElapsedAlongItsForwardAxis) {
    auto model = makeMonsterModel();
    for (int kind = 0; kind < 3; ++kind) {
        auto monster = makeMonster(model.get(), kind, 0, 0);
        monster->update(glm::vec3(0, 0, -3), 10);
        glm::vec3 moved = originOf(monster->worldMatrix) - monster->position;
        EXPECT_NEAR(moved.z, -MONSTER_SPEEDS[kind] * 10 * MONSTER_UNIT, 1e-6f);
        EXPECT_NEAR(moved.x, 0.0f, 1e-6f);
        EXPECT_NEAR(moved.y, 0.0f, 1e-6f);
    }
}

TEST(MonsterStep, IsBlockedOnlyByLiveOthersStrictlyWithinSpacing) {
    auto model = makeMonsterModel();
    auto walker = makeMonster(model.get(), 2, 0, 0);
    auto other = makeMonster(model.get(), 2, 5, 5);
    glm::vec3 candidate = candidateOf(*walker, 10);
    const glm::vec3 target(0, 0, -3);

    struct Case {
        float offset;
        bool alive;
        bool blocks;
    };
    for (Case c : {Case{0.29f, true, true}, Case{0.29f, false, false}, Case{0.3f, true, false},
                   Case{-0.29f, true, true}}) {
        auto monster = makeMonster(model.get(), 2, 0, 0);
        monster->others = {other.get(), monster.get()};
        monster->ownIndex = 1; // its own entry never blocks it
        other->alive = c.alive;
        other->position = candidate + glm::vec3(c.offset, 0, 0.1f);
        ASSERT_EQ(other->position.x - candidate.x, c.offset);
        monster->update(target, 10);
        bool moved = originOf(monster->worldMatrix) != monster->position;
        EXPECT_EQ(moved, !c.blocks) << c.offset << (c.alive ? " alive" : " dead");
    }
}

TEST(MonsterReach, StopsWithinPointThreeAndReachesWithinPointFive) {
    auto model = makeMonsterModel();
    struct Case {
        float dx, dz;
        bool steps, inReach;
    };
    for (Case c : {Case{0.4f, 0.1f, true, true}, Case{0.25f, 0.1f, false, true},
                   Case{0.1f, -0.29f, false, true}, Case{0.6f, 0.0f, true, false},
                   Case{0.1f, 0.5f, true, false}}) {
        auto monster = makeMonster(model.get(), 2, 0, 0);
        monster->update(glm::vec3(c.dx, 0, c.dz), 10);
        bool moved = originOf(monster->worldMatrix) != monster->position;
        EXPECT_EQ(moved, c.steps) << c.dx << ", " << c.dz;
        EXPECT_EQ(monster->inReach, c.inReach) << c.dx << ", " << c.dz;
    }
}

TEST(MonsterWalkIn, HeadsForTheCentreWhateverTheTarget) {
    auto model = makeMonsterModel();
    auto monster = makeMonster(model.get(), 1, 10, 0, false);
    // The mage is right beside it, but it walks toward the arena's centre.
    glm::vec3 target(10.0f, 0, -1.0f);
    for (int i = 0; i < 10; ++i)
        monster->update(target, 16);
    glm::vec3 now = originOf(monster->worldMatrix);
    EXPECT_NEAR(now.x, 10.0f - 10 * 16 * 0.003f * MONSTER_UNIT, 1e-4f);
    EXPECT_NEAR(now.z, 0.0f, 1e-4f);
    EXPECT_FALSE(monster->inReach);
    EXPECT_FLOAT_EQ(monster->attackCooldown, 1000.0f);
    EXPECT_FALSE(monster->inArena);
}

TEST(MonsterWalkIn, StartsChasingInsideTheStrictSquareOfSevenPointTwo) {
    auto model = makeMonsterModel();
    const glm::vec3 farTarget(0, 0, 0);
    struct Case {
        float x, z;
        bool entered;
    };
    for (Case c : {Case{7.2f, 0.0f, false}, Case{0.0f, -7.2f, false}, Case{7.19f, 7.19f, true},
                   Case{-7.19f, 7.19f, true}, Case{7.21f, 1.0f, false}}) {
        auto monster = makeMonster(model.get(), 0, 0, 0, false);
        monster->worldMatrix[3] = glm::vec4(c.x, 0.5f, c.z, 1.0f);
        monster->update(farTarget, 16);
        EXPECT_EQ(monster->inArena, c.entered) << c.x << ", " << c.z;
        // The switch takes effect at the end: this update still walked in.
        EXPECT_FLOAT_EQ(monster->attackCooldown, 1000.0f);
    }
}

TEST(MonsterHit, IsStrictlyWithinPointTwoInXAndZWhateverTheHeight) {
    auto model = makeMonsterModel();
    auto monster = makeMonster(model.get(), 2, 1, 2);
    glm::vec3 p = monster->position;
    EXPECT_TRUE(monster->isHitAt(p + glm::vec3(0.19f, 0, 0.19f)));
    EXPECT_TRUE(monster->isHitAt(p + glm::vec3(-0.19f, 40.0f, -0.19f)));
    EXPECT_FALSE(monster->isHitAt(glm::vec3(p.x + 0.2f, p.y, p.z)));
    EXPECT_FALSE(monster->isHitAt(glm::vec3(p.x, p.y, p.z - 0.2f)));
    EXPECT_FALSE(monster->isHitAt(p + glm::vec3(0.19f, 0, 0.25f)));
}

TEST(MonsterDeath, ShrinkStepShrinksByOnePercentAndSinks) {
    auto model = makeMonsterModel();
    auto monster = makeMonster(model.get(), 2, 1, 2);
    glm::mat4 before = monster->worldMatrix;
    monster->shrinkStep();
    for (int axis = 0; axis < 3; ++axis)
        EXPECT_NEAR(glm::length(glm::vec3(monster->worldMatrix[axis])),
                    0.99f * glm::length(glm::vec3(before[axis])), 1e-6f);
    glm::vec3 moved = originOf(monster->worldMatrix) - originOf(before);
    EXPECT_NEAR(moved.y, -0.03f * 0.99f * MONSTER_UNIT, 1e-6f);
    EXPECT_NEAR(moved.x, 0.0f, 1e-6f);
    EXPECT_NEAR(moved.z, 0.0f, 1e-6f);
}

TEST(MonsterModel, MonstersOfAKindShareOneAnimator) {
    auto model = makeMonsterModel();
    model->scene = animatedScene();
    auto first = makeMonster(model.get(), 2, 0, 0);
    Animator* shared = model->animator;
    ASSERT_NE(shared, nullptr);
    auto second = makeMonster(model.get(), 2, 1, 1);
    EXPECT_EQ(model->animator, shared);
    delete model->animator;
    model->animator = nullptr;
    model->scene = nullptr;
}
