// The white rune's teleport: the turn toward the rune, the camera shift, the
// shrink, the jump and the growth, and offsets that are straight up or down.
#include "GameTestSupport.h"

#include "GlContext.h"
#include "players/ScriptedKeys.h"
#include "world/GameWorld.h"

#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>

#include <cmath>

namespace {

// Lays the white rune at (x, z) and puts the mage at (fromX, fromZ), facing
// +z, ready to teleport.
void layWhiteRune(TestArena& arena, ScriptedKeys& keys, float x, float z, float fromX,
                  float fromZ) {
    arena.player->whiteCooldown = 0;
    arena.placeMage(x, z);
    keys.press('E');
    arena.player->update(16.0f);
    keys.release('E');
    ASSERT_TRUE(arena.player->whitePlaced);
    arena.placeMage(fromX, fromZ);
    arena.player->whiteCooldown = 0;
}

void pressTeleport(TestArena& arena, ScriptedKeys& keys) {
    keys.press('E');
    arena.player->update(16.0f);
    keys.release('E');
}

float turnAngleOf(const glm::mat4& turn) {
    return std::atan2(turn[0][1], turn[0][0]) * 180.0f / 3.14159265f;
}

} // namespace

TEST(Teleport, NoTurnWhenFacingTheRuneAboutHalfATurnWhenItIsBehind) {
    ScriptedKeys keys;
    TestArena ahead;
    layWhiteRune(ahead, keys, 1, 3, 1, -2);
    pressTeleport(ahead, keys);
    ASSERT_GT(ahead.player->teleportTime, 0);
    EXPECT_EQ(ahead.player->teleportTurn, glm::mat4(1.0f));

    TestArena behind;
    layWhiteRune(behind, keys, 1, -2, 1, 3);
    pressTeleport(behind, keys);
    ASSERT_GT(behind.player->teleportTime, 0);
    EXPECT_NEAR(std::fabs(turnAngleOf(behind.player->teleportTurn)), 180.0f, 0.05f);

    TestArena slightlyOff; // 1.5 degrees: inside the dead zone
    float off = 5.0f * std::tan(glm::radians(1.5f));
    layWhiteRune(slightlyOff, keys, off, 5, 0, 0);
    pressTeleport(slightlyOff, keys);
    EXPECT_EQ(slightlyOff.player->teleportTurn, glm::mat4(1.0f));
}

// Whatever the mage's heading, a rune straight behind it is reached: the
// cosine of half a turn may round just past -1.
TEST(Teleport, ReachesARuneStraightBehindAtAnyHeading) {
    ScriptedKeys keys;
    for (int heading = 0; heading < 360; heading += 3) {
        TestArena arena;
        Player& player = *arena.player;
        arena.placeMage(1, 1);
        glm::mat4 turn =
            glm::rotate(glm::mat4(1.0f), glm::radians(float(heading)), glm::vec3(0, 0, 1));
        arena.mage->modelMatrix = arena.mage->modelMatrix * turn;
        player.orientation = player.orientation * turn;
        glm::vec3 forward(player.orientation * glm::vec4(0, 0, 1, 1));
        glm::vec3 ahead =
            originOf(arena.mage->modelMatrix * glm::translate(glm::mat4(1.0f), forward));
        glm::vec3 back = glm::normalize(arena.magePosition() - ahead);
        glm::vec3 rune = arena.magePosition() + 3.0f * glm::vec3(back.x, 0, back.z);

        player.whiteCooldown = 0;
        player.whitePlaced = true;
        player.whiteRunePos = rune;
        arena.runes[WHITE]->placed = true;
        pressTeleport(arena, keys);
        ASSERT_GT(player.teleportTime, 0) << heading;
        runTeleport(arena);
        EXPECT_NEAR(arena.magePosition().x, rune.x, 2e-3f) << heading;
        EXPECT_NEAR(arena.magePosition().z, rune.z, 2e-3f) << heading;
    }
}

TEST(Teleport, ShrinksMovesAndGrowsOntoTheRune) {
    ScriptedKeys keys;
    for (glm::vec2 from :
         {glm::vec2(3, 4), glm::vec2(-2, 1), glm::vec2(1, -4.5f), glm::vec2(-5, -1)}) {
        TestArena arena;
        Player& player = *arena.player;
        layWhiteRune(arena, keys, 1, 1, from.x, from.y);
        glm::vec3 start = arena.magePosition();
        float startScale = glm::length(glm::vec3(arena.mage->modelMatrix[0]));
        pressTeleport(arena, keys);
        ASSERT_EQ(player.teleportTime, 720);
        EXPECT_FALSE(player.whitePlaced);
        EXPECT_TRUE(player.whiteRecharging);
        EXPECT_FLOAT_EQ(player.whiteCooldown, 5000.0f);

        // 350 ms of 16 ms frames: 22 frames of shrinking and sinking in place.
        for (int frame = 0; frame < 21; ++frame) {
            player.teleportTime -= 16;
            player.teleportStep(16.0f);
        }
        glm::vec3 sunk = arena.magePosition();
        EXPECT_NEAR(sunk.x, start.x, 1e-4f);
        EXPECT_NEAR(sunk.z, start.z, 1e-4f);
        EXPECT_LT(sunk.y, start.y);
        EXPECT_NEAR(glm::length(glm::vec3(arena.mage->modelMatrix[0])),
                    startScale * std::pow(0.99f, 21.0f), 1e-5f);
        player.teleportTime -= 16;
        player.teleportStep(16.0f); // the last shrink frame carries it over
        glm::vec3 landed = arena.magePosition();
        EXPECT_NEAR(landed.x, 1.0f, 1e-3f) << from.x << ", " << from.y;
        EXPECT_NEAR(landed.z, 1.0f, 1e-3f) << from.x << ", " << from.y;
        EXPECT_TRUE(arena.runes[WHITE]->placed);

        runTeleport(arena);
        glm::vec3 end = arena.magePosition();
        EXPECT_NEAR(end.x, 1.0f, 1e-3f);
        EXPECT_NEAR(end.z, 1.0f, 1e-3f);
        // Each grow frame rises at the size it has just regained, a little
        // more than the shrink frame sank: 0.0004 over the whole teleport.
        EXPECT_NEAR(end.y, start.y, 1e-3f);
        EXPECT_NEAR(glm::length(glm::vec3(arena.mage->modelMatrix[0])), startScale, 1e-5f);
        EXPECT_FALSE(arena.runes[WHITE]->placed);
        EXPECT_NEAR(arena.runes[WHITE]->position.x, 10.0f, 1e-4f);
        // Facing the way it travelled: a walk from here goes on along it.
        glm::vec3 travelled = glm::normalize(end - start);
        keys.hold({'W'});
        arena.player->update(16.0f);
        keys.releaseAll();
        glm::vec3 step = glm::normalize(arena.magePosition() - end);
        EXPECT_NEAR(glm::dot(glm::vec2(step.x, step.z), glm::vec2(travelled.x, travelled.z)), 1.0f,
                    1e-3f);
    }
}

TEST(Teleport, TheCameraShiftFollowsCameraFollow) {
    ScriptedKeys keys;
    for (bool follow : {true, false}) {
        TestArena arena;
        arena.player->cameraFollow = follow;
        layWhiteRune(arena, keys, -1, 2, 2, -2);
        glm::vec3 eye = arena.camera.eye;
        glm::vec3 target = arena.camera.target;
        pressTeleport(arena, keys);
        runTeleport(arena);
        glm::vec3 shift = follow ? glm::vec3(-3, 0, 4) : glm::vec3(0.0f);
        EXPECT_NEAR(glm::distance(arena.camera.eye, eye + shift), 0.0f, 1e-4f) << follow;
        EXPECT_NEAR(glm::distance(arena.camera.target, target + shift), 0.0f, 1e-4f) << follow;
    }
}

TEST(Teleport, NotStoppedByMonstersOrTheArenaEdge) {
    ScriptedKeys keys;
    TestArena arena;
    auto model = makeMonsterModel();
    auto onTheRune = makeMonster(model.get(), 2, 0, 7.1f);
    auto onTheWay = makeMonster(model.get(), 0, 0, 3.0f);
    arena.player->monsters = {onTheRune.get(), onTheWay.get()};
    layWhiteRune(arena, keys, 0, 7.19f, 0, -1);
    pressTeleport(arena, keys);
    runTeleport(arena);
    EXPECT_NEAR(arena.magePosition().x, 0.0f, 1e-3f);
    EXPECT_NEAR(arena.magePosition().z, 7.19f, 1e-3f);
}

TEST(Teleport, StandingOnTheRuneDoesNothing) {
    ScriptedKeys keys;
    TestArena arena;
    layWhiteRune(arena, keys, 2, 2, 2, 2);
    pressTeleport(arena, keys);
    EXPECT_EQ(arena.player->teleportTime, 0);
    EXPECT_TRUE(arena.player->whitePlaced);
    EXPECT_FALSE(arena.player->whiteRecharging);
    EXPECT_LE(arena.player->whiteCooldown, 0.0f);
}

// A rune laid in mid-jump lies above the floor; a teleport begun in mid-jump
// starts above it. Only the horizontal offset may carry the mage.
TEST(Teleport, AVerticalOffsetNeitherThrowsTheMageAwayNorLosesIt) {
    ScriptedKeys keys;
    TestArena above;
    layWhiteRune(above, keys, 2, 2, 2, 2);
    above.mage->modelMatrix[3].y += 0.8f; // in the air, straight above the rune
    pressTeleport(above, keys);
    EXPECT_EQ(above.player->teleportTime, 0);
    EXPECT_TRUE(above.player->whitePlaced);
    EXPECT_FALSE(std::isnan(above.magePosition().x));

    TestArena midJump;
    layWhiteRune(midJump, keys, 2, 3, -1, -1);
    float rest = midJump.magePosition().y;
    midJump.mage->modelMatrix[3].y += 0.8f;
    midJump.player->cameraFollow = false;
    pressTeleport(midJump, keys);
    runTeleport(midJump);
    glm::vec3 end = midJump.magePosition();
    EXPECT_NEAR(end.x, 2.0f, 1e-3f);
    EXPECT_NEAR(end.z, 3.0f, 1e-3f);
    EXPECT_NEAR(end.y, rest + 0.8f, 1e-3f);

    TestArena laidInTheAir;
    laidInTheAir.player->whiteCooldown = 0;
    laidInTheAir.placeMage(-2, 1);
    laidInTheAir.mage->modelMatrix[3].y += 1.0f;
    keys.press('E');
    laidInTheAir.player->update(16.0f);
    keys.release('E');
    ASSERT_TRUE(laidInTheAir.player->whitePlaced);
    laidInTheAir.placeMage(1, -3);
    laidInTheAir.player->whiteCooldown = 0;
    pressTeleport(laidInTheAir, keys);
    EXPECT_EQ(laidInTheAir.player->teleportDelta, glm::vec3(-3, 0, 4));
    runTeleport(laidInTheAir);
    EXPECT_NEAR(laidInTheAir.magePosition().x, -2.0f, 1e-3f);
    EXPECT_NEAR(laidInTheAir.magePosition().z, 1.0f, 1e-3f);
}

// Frame times decide how many frames shrink and grow; the mage must come
// back to its size and height however they fall.
TEST(Teleport, RestoresSizeAndHeightWhenThePhasesGetDifferentFrameCounts) {
    ScriptedKeys keys;
    for (float growFrame : {10.0f, 16.0f, 33.0f}) {
        TestArena arena;
        Player& player = *arena.player;
        layWhiteRune(arena, keys, 2, -1, -1, 3);
        glm::vec3 start = arena.magePosition();
        float startScale = glm::length(glm::vec3(arena.mage->modelMatrix[0]));
        pressTeleport(arena, keys);
        for (int frame = 0; frame < 200 && player.isTeleporting(); ++frame) {
            float dt = player.shrinkTime > 0 ? 16.0f : growFrame;
            player.teleportTime -= static_cast<int>(dt);
            player.teleportStep(dt);
        }
        EXPECT_FALSE(player.isTeleporting());
        EXPECT_NEAR(glm::length(glm::vec3(arena.mage->modelMatrix[0])), startScale, 1e-5f)
            << growFrame;
        EXPECT_NEAR(arena.magePosition().y, start.y, 1e-3f) << growFrame;
        EXPECT_NEAR(arena.magePosition().x, 2.0f, 1e-3f) << growFrame;
        EXPECT_NEAR(arena.magePosition().z, -1.0f, 1e-3f) << growFrame;
    }
}

// At 80 ms a frame the two phases outlast the 720 ms: the teleport still
// finishes, parks the rune and gives the mage its size back.
TEST(Teleport, FinishesWithLongFrames) {
    REQUIRE_GL_CONTEXT();
    ScriptedKeys keys;
    TestArena arena(testShader());
    auto world = makeWorld(arena);
    Player& player = *arena.player;
    layWhiteRune(arena, keys, 1, 1, -2, -2);
    float startScale = glm::length(glm::vec3(arena.mage->modelMatrix[0]));
    keys.press('E');
    world->updatePlayer(80);
    keys.releaseAll();
    ASSERT_GT(player.teleportTime, 0);
    for (int frame = 0; frame < 20; ++frame)
        world->updatePlayer(80);
    EXPECT_FALSE(player.isTeleporting());
    EXPECT_FALSE(arena.runes[WHITE]->placed);
    EXPECT_NEAR(arena.runes[WHITE]->position.x, 10.0f, 1e-4f);
    EXPECT_NEAR(glm::length(glm::vec3(arena.mage->modelMatrix[0])), startScale, 1e-5f);
    EXPECT_NEAR(arena.magePosition().x, 1.0f, 1e-3f);
    EXPECT_NEAR(arena.magePosition().z, 1.0f, 1e-3f);
}
