// The mage: walking, turning, the arena edge, monster blocking, the jump and
// the camera keys.
#include "GameTestSupport.h"

#include "players/ScriptedKeys.h"
#include "game/Keys.h"
#include "model/Animator.h"
#include "render/FacingMark.h"

#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>

#include <cmath>

namespace {

const glm::mat4 IDENTITY(1.0f);

glm::mat4 turnAboutZ(float degrees) {
    return glm::rotate(IDENTITY, glm::radians(degrees), glm::vec3(0, 0, 1));
}

// Where a 16 ms walk forward would put the mage: the candidate the update
// tests against monsters and the arena edge.
glm::vec3 walkCandidate(const TestArena& arena) {
    glm::vec3 forward(arena.player->orientation * glm::vec4(0, 0, 1, 1));
    return originOf(arena.mage->modelMatrix * glm::translate(IDENTITY, 0.048f * forward));
}

bool matricesNear(const glm::mat4& a, const glm::mat4& b, float tolerance) {
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            if (std::fabs(a[c][r] - b[c][r]) > tolerance)
                return false;
    return true;
}

} // namespace

TEST(PlayerWalk, SixteenMillisecondsMovePointZeroFourEightAlongForward) {
    TestArena arena;
    ScriptedKeys keys;
    glm::mat4 before = arena.mage->modelMatrix;
    glm::vec3 eye = arena.camera.eye;
    keys.hold({'W'});
    arena.player->update(16.0f);
    EXPECT_NEAR(arena.player->forward.y, -1.0f, 1e-6f);
    EXPECT_TRUE(matricesNear(arena.mage->modelMatrix,
                             before * glm::translate(IDENTITY, 0.048f * arena.player->forward),
                             1e-7f));
    // In the world the mage faces +z, away from the camera, which follows.
    glm::vec3 moved = arena.magePosition() - originOf(before);
    EXPECT_NEAR(moved.z, 0.048f * TEST_SCALE, 1e-6f);
    EXPECT_NEAR(moved.x, 0.0f, 1e-6f);
    EXPECT_NEAR(arena.camera.eye.z - eye.z, moved.z, 1e-6f);
    EXPECT_NEAR(arena.camera.target.z, moved.z, 1e-6f);

    keys.hold({'S'});
    arena.player->update(16.0f);
    EXPECT_NEAR(arena.magePosition().z, originOf(before).z, 1e-6f);
}

TEST(PlayerWalk, TurnsByPointThreeDegreesPerMillisecond) {
    TestArena arena;
    ScriptedKeys keys;
    glm::mat4 before = arena.mage->modelMatrix;
    glm::mat4 orientation = arena.player->orientation;
    keys.hold({'A'});
    arena.player->update(16.0f);
    EXPECT_TRUE(matricesNear(arena.mage->modelMatrix, before * turnAboutZ(-4.8f), 1e-6f));
    EXPECT_TRUE(matricesNear(arena.player->orientation, orientation * turnAboutZ(-4.8f), 1e-6f));
    keys.hold({'D'});
    arena.player->update(16.0f);
    EXPECT_TRUE(matricesNear(arena.mage->modelMatrix, before, 1e-6f));
}

// The facing mark shows where W walks the mage, however it has turned.
TEST(PlayerWalk, TheFacingMarkPointsWhereWWalks) {
    TestArena arena;
    ScriptedKeys keys;
    for (int turnMs : {0, 130, 400, 777}) {
        keys.hold({'D'});
        arena.run(turnMs);
        const glm::vec3 facing = facingOnFloor(arena.mage->modelMatrix, arena.player->orientation);
        const glm::vec3 before = arena.magePosition();
        keys.hold({'W'});
        arena.run(160);
        const glm::vec3 walked = arena.magePosition() - before;
        EXPECT_NEAR(glm::dot(facing, walked / glm::length(walked)), 1.0f, 1e-5f) << turnMs;
        EXPECT_NEAR(glm::length(facing), 1.0f, 1e-6f);
        EXPECT_EQ(facing.y, 0.0f);
    }
}

TEST(PlayerWalk, WalksAlongTheOldFacingBeforeTurning) {
    TestArena arena;
    ScriptedKeys keys;
    keys.hold({'W', 'D'});
    arena.player->update(16.0f);
    glm::vec3 moved = arena.magePosition() - originOf(arena.mageStart);
    EXPECT_NEAR(moved.x, 0.0f, 1e-6f);
    EXPECT_NEAR(moved.z, 0.048f * TEST_SCALE, 1e-6f);
}

TEST(PlayerWalk, WAndSTogetherStayButAnimateUntilNoKeyIsHeld) {
    TestArena arena;
    arena.mage->scene = animatedScene();
    ScriptedKeys keys;
    keys.hold({'W', 'S'});
    arena.player->update(16.0f);
    EXPECT_NEAR(glm::distance(arena.magePosition(), originOf(arena.mageStart)), 0.0f, 1e-7f);
    EXPECT_NE(arena.mage->animator, nullptr);
    keys.hold({'A', 'D'});
    arena.player->update(16.0f);
    EXPECT_NE(arena.mage->animator, nullptr);
    EXPECT_TRUE(matricesNear(arena.mage->modelMatrix, arena.mageStart, 1e-6f));
    keys.releaseAll();
    arena.player->update(16.0f);
    EXPECT_EQ(arena.mage->animator, nullptr);
    arena.mage->scene = nullptr;
}

TEST(PlayerWalk, TheArenaEdgeDropsAWalkEndingAtSevenPointTwoOrBeyond) {
    TestArena arena;
    ScriptedKeys keys;
    keys.hold({'W'});
    // Find the start from which one 16 ms step lands exactly on 7.2.
    float z = 7.2f - 0.048f * TEST_SCALE;
    arena.placeMage(0, z);
    for (int i = 0; i < 64 && walkCandidate(arena).z != 7.2f; ++i) {
        z = std::nextafter(z, walkCandidate(arena).z < 7.2f ? 10.0f : 0.0f);
        arena.placeMage(0, z);
    }
    glm::vec3 candidate = walkCandidate(arena);
    ASSERT_EQ(std::sqrt(candidate.x * candidate.x + candidate.z * candidate.z), 7.2f);
    glm::vec3 eye = arena.camera.eye;
    keys.hold({'W', 'A'});
    arena.player->update(16.0f);
    EXPECT_EQ(arena.magePosition().z, z);
    EXPECT_EQ(arena.camera.eye, eye);
    // The turn of the same update still applies.
    glm::mat4 upright = glm::rotate(glm::rotate(IDENTITY, glm::radians(90.0f), glm::vec3(1, 0, 0)),
                                    glm::radians(180.0f), glm::vec3(0, 0, 1));
    EXPECT_TRUE(matricesNear(arena.player->orientation, upright * turnAboutZ(-4.8f), 1e-6f));

    arena.placeMage(0, std::nextafter(z, 0.0f));
    ASSERT_LT(walkCandidate(arena).z, 7.2f);
    keys.hold({'W'});
    arena.player->update(16.0f);
    EXPECT_GT(arena.magePosition().z, std::nextafter(z, 0.0f));
}

TEST(PlayerWalk, LiveMonstersStrictlyWithinPointThreeBlockTheWalk) {
    TestArena arena;
    auto monsterModel = makeMonsterModel();
    auto monster = makeMonster(monsterModel.get(), 2, 0, 0);
    ScriptedKeys keys;
    keys.hold({'W'});
    arena.placeMage(0.0f, 1.0f);
    glm::vec3 candidate = walkCandidate(arena);
    struct Case {
        float offset;
        bool alive;
        bool blocks;
    };
    for (Case c : {Case{0.29f, true, true}, Case{0.3f, true, false}, Case{0.29f, false, false}}) {
        arena.placeMage(0.0f, 1.0f);
        monster->alive = c.alive;
        monster->position = candidate + glm::vec3(c.offset, 5.0f, -0.1f);
        ASSERT_EQ(monster->position.x - candidate.x, c.offset);
        arena.player->monsters = {monster.get()};
        arena.player->update(16.0f);
        bool walked = arena.magePosition().z > 1.0f;
        EXPECT_EQ(walked, !c.blocks) << c.offset << (c.alive ? " alive" : " dead");
    }
}

TEST(PlayerJump, FirstStepAtAnyHeightLaterStepsOnlyAbovePointTwoThree) {
    TestArena arena;
    ScriptedKeys keys;
    float rest = arena.magePosition().y; // 0.36: above the jump floor
    keys.hold({GLFW_KEY_SPACE});
    arena.player->update(16.0f);
    // First step 16 x 0.009, then a jump step with the velocity pulled back.
    float lift = (16 * 0.009f + 16 * (0.009f - 16 * 0.00003f)) * TEST_SCALE;
    EXPECT_NEAR(arena.magePosition().y - rest, lift, 1e-5f);
    EXPECT_EQ(arena.player->jumpElapsed, 16);

    // A jump peaks and comes back near its start; SPACE meanwhile is ignored.
    float peak = rest;
    for (int t = 16; t < 1000; t += 16) {
        arena.player->update(16.0f);
        peak = std::max(peak, arena.magePosition().y);
    }
    EXPECT_GT(peak, rest + 0.3f * TEST_SCALE);
    EXPECT_GE(arena.player->jumpElapsed, 1000);

    // From low down only the first step lifts; the mage stays below the floor.
    TestArena low;
    low.mage->modelMatrix[3].y = 0.1f;
    low.player->update(16.0f); // outside the jump: SPACE starts one
    float afterFirst = low.magePosition().y;
    EXPECT_NEAR(afterFirst - 0.1f, 16 * 0.009f * TEST_SCALE, 1e-5f);
    ASSERT_LT(afterFirst, 0.23f);
    keys.releaseAll();
    low.run(160);
    EXPECT_EQ(low.magePosition().y, afterFirst);
}

// A new player stands idle, so SPACE acts at once; held down, it starts the
// next jump only once the running one has had its 1000 ms.
TEST(PlayerJump, LandsWhereItTookOffAndJumpsAgainAfterASecond) {
    TestArena arena;
    ScriptedKeys keys;
    keys.hold({GLFW_KEY_SPACE});
    const float rest = arena.magePosition().y;
    ASSERT_GT(rest, 0.23f + 0.1f);
    arena.player->update(16.0f);
    EXPECT_GT(arena.magePosition().y, rest);
    float lowest = arena.magePosition().y;
    for (int t = 16; t < 1008; t += 16) {
        arena.player->update(16.0f);
        lowest = std::min(lowest, arena.magePosition().y);
    }
    EXPECT_EQ(arena.player->jumpElapsed, 1008);
    // Without the landing it would fall on to the jump floor of 0.23.
    EXPECT_NEAR(lowest, rest, 1e-5f);
    EXPECT_NEAR(arena.magePosition().y, rest, 1e-5f);
    arena.player->update(16.0f);
    EXPECT_EQ(arena.player->jumpElapsed, 16);
    EXPECT_GT(arena.magePosition().y, rest);
}

TEST(PlayerJump, AJumpingMageIsNotBlockedByMonstersButKeptInTheDisc) {
    TestArena arena;
    auto monsterModel = makeMonsterModel();
    auto monster = makeMonster(monsterModel.get(), 2, 0, 0.1f);
    arena.player->monsters = {monster.get()};
    ScriptedKeys keys;
    keys.hold({'W', GLFW_KEY_SPACE});
    arena.player->update(16.0f);
    EXPECT_NEAR(arena.magePosition().z, 0.048f * TEST_SCALE, 1e-6f);

    TestArena edge;
    edge.placeMage(0, 7.19f);
    edge.run(160);
    EXPECT_NEAR(edge.magePosition().z, 7.19f, 1e-6f);
}

TEST(PlayerCamera, KeysMoveEyeAndTarget) {
    TestArena arena;
    ScriptedKeys keys;
    const glm::vec3 eye(0, 5, -5), target(0, 0, 0);
    glm::vec3 f = glm::normalize(target - eye);
    glm::vec3 s(f.z, 0, -f.x);
    glm::vec3 u(f.x * f.y, -(f.x * f.x + f.z * f.z), f.y * f.z);
    const float k = 0.003f * 16;
    struct Case {
        int key;
        glm::vec3 eyeMove, targetMove;
    };
    for (Case c : {Case{GLFW_KEY_UP, k * f, {}}, Case{GLFW_KEY_DOWN, -k * f, {}},
                   Case{GLFW_KEY_RIGHT, -k * s, -k * s}, Case{GLFW_KEY_LEFT, k * s, k * s},
                   Case{GLFW_KEY_KP_6, k * s, {}}, Case{GLFW_KEY_KP_4, -k * s, {}},
                   Case{GLFW_KEY_KP_8, -k * u, {}}, Case{GLFW_KEY_KP_2, k * u, {}}}) {
        arena.camera.eye = eye;
        arena.camera.target = target;
        keys.hold({c.key});
        arena.player->update(16.0f);
        EXPECT_NEAR(glm::distance(arena.camera.eye, eye + c.eyeMove), 0.0f, 1e-6f) << c.key;
        EXPECT_NEAR(glm::distance(arena.camera.target, target + c.targetMove), 0.0f, 1e-6f)
            << c.key;
    }
    // s x f: the up axis of the view is the cross product of side and view.
    EXPECT_NEAR(glm::distance(u, glm::cross(s, f)), 0.0f, 1e-6f);
}

TEST(PlayerCamera, FollowToggleActsOncePerSecondAndStopsTheCameraFollowing) {
    TestArena arena;
    ScriptedKeys keys;
    keys.hold({'C'});
    arena.run(1008); // toggles in the first of these 63 updates only
    EXPECT_FALSE(arena.player->cameraFollow);
    arena.player->update(16.0f); // the delay has run out: toggles again
    EXPECT_TRUE(arena.player->cameraFollow);
    arena.player->update(16.0f);
    EXPECT_TRUE(arena.player->cameraFollow);

    keys.releaseAll();
    arena.run(1000);
    keys.hold({'C'});
    arena.player->update(16.0f);
    ASSERT_FALSE(arena.player->cameraFollow);
    glm::vec3 eye = arena.camera.eye;
    glm::vec3 target = arena.camera.target;
    keys.hold({'W'});
    arena.run(160);
    EXPECT_GT(arena.magePosition().z, 0.1f * TEST_SCALE);
    EXPECT_EQ(arena.camera.eye, eye);
    EXPECT_EQ(arena.camera.target, target);
}

TEST(PlayerCamera, ResetPutsTheEyeBehindTheMageOncePerSecond) {
    TestArena arena;
    ScriptedKeys keys;
    arena.placeMage(2.0f, -3.0f);
    arena.camera.eye = glm::vec3(9, 9, 9);
    arena.camera.target = glm::vec3(1, 1, 1);
    keys.hold({'X'});
    arena.player->update(16.0f);
    glm::vec3 mage = arena.magePosition();
    EXPECT_NEAR(glm::distance(arena.camera.eye, mage + glm::vec3(0, 5, -5)), 0.0f, 1e-5f);
    EXPECT_EQ(arena.camera.target, mage);

    arena.camera.eye = glm::vec3(9, 9, 9);
    arena.run(960);
    EXPECT_EQ(arena.camera.eye, glm::vec3(9, 9, 9));
    arena.run(48);
    EXPECT_NEAR(glm::distance(arena.camera.eye, mage + glm::vec3(0, 5, -5)), 0.0f, 1e-5f);
}
