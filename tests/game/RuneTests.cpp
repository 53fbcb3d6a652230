// Runes: laying and triggering with their cooldowns, spacing, blasts and
// their end, and the flags the head-up display shows.
#include "GameTestSupport.h"

#include "GlContext.h"
#include "players/ScriptedKeys.h"
#include "world/GameWorld.h"

#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>

namespace {

// Holds the key for one 16 ms update, then releases it.
void tap(TestArena& arena, ScriptedKeys& keys, int key) {
    keys.press(key);
    arena.player->update(16.0f);
    keys.release(key);
}

} // namespace

TEST(RuneKeys, LayThenTriggerWithTheirCooldowns) {
    TestArena arena;
    ScriptedKeys keys;
    Player& player = *arena.player;
    Rune& red = *arena.runes[RED];
    arena.placeMage(1.5f, -2.0f);

    keys.press('1');
    arena.run(992); // the first second of play: no rune key acts
    EXPECT_FALSE(player.redPlaced);
    EXPECT_NEAR(red.position.x, 10.0f, 1e-4f);
    arena.player->update(16.0f);
    ASSERT_TRUE(player.redPlaced);
    EXPECT_TRUE(red.placed);
    EXPECT_EQ(player.redPos, arena.magePosition());
    EXPECT_NEAR(red.position.x, 1.5f, 1e-4f);
    EXPECT_NEAR(red.position.z, -2.0f, 1e-4f);
    EXPECT_FLOAT_EQ(player.redCooldown, 500.0f);

    // Held on: nothing more within the 500 ms cooldown.
    arena.run(496);
    EXPECT_TRUE(player.redPlaced);
    EXPECT_FALSE(player.redActive);
    arena.player->update(16.0f);
    EXPECT_FALSE(player.redPlaced);
    EXPECT_TRUE(player.redActive);
    EXPECT_TRUE(player.redRecharging);
    EXPECT_FLOAT_EQ(player.redBlastTime, 500.0f);
    EXPECT_FLOAT_EQ(player.redCooldown, 2000.0f);
    EXPECT_TRUE(red.placed); // still drawn while it blasts
}

TEST(RuneMove, LandsOnTheTargetKeepingItsHeightAndIgnoresMovesWhilePlaced) {
    TestArena arena;
    Rune& rune = *arena.runes[GREEN];
    EXPECT_NEAR(rune.position.x, 10.0f, 1e-4f);
    EXPECT_NEAR(rune.position.z, 10.0f, 1e-4f);
    float height = rune.position.y;
    rune.moveTo(-3.5f, 7.0f, 2.25f);
    EXPECT_NEAR(rune.position.x, -3.5f, 1e-4f);
    EXPECT_NEAR(rune.position.z, 2.25f, 1e-4f);
    EXPECT_NEAR(rune.position.y, height, 1e-6f);
    EXPECT_NEAR(arena.systems[GREEN]->emitterPosition.x, -3.5f, 1e-4f);
    rune.placed = true;
    rune.park();
    EXPECT_NEAR(rune.position.x, -3.5f, 1e-4f);
}

// A rune whose model file could not be read must still be parked, or it
// would refuse every rune laid near the arena's centre.
TEST(RuneMove, ARuneWithAnUnloadedModelIsStillParked) {
    Camera camera(glm::vec3(0, 5, -5), glm::vec3(0));
    Model unloaded("../bin/objects/missing.x", nullptr, &camera, nullptr);
    unloaded.multiplyModelMatrix(
        glm::rotate(glm::mat4(1.0f), glm::radians(90.0f), glm::vec3(1, 0, 0)));
    Rune rune(&unloaded, nullptr);
    rune.park();
    EXPECT_NEAR(rune.position.x, 10.0f, 1e-4f);
    EXPECT_NEAR(rune.position.z, 10.0f, 1e-4f);
}

TEST(RuneKeys, SpacingRefusesWithinPointSevenOfAnotherRune) {
    TestArena arena;
    ScriptedKeys keys;
    Player& player = *arena.player;
    Rune& red = *arena.runes[RED];
    red.position = glm::vec3(0, 0.1f, 0);
    red.placed = true;

    struct Case {
        float x, z;
        bool allowed;
    };
    for (Case c : {Case{0.69f, 0.69f, false}, Case{-0.69f, 0.0f, false}, Case{0.7f, 0.0f, true},
                   Case{0.0f, -0.7f, true}}) {
        arena.runes[GREEN]->placed = false;
        arena.runes[GREEN]->park();
        player.greenPlaced = false;
        player.greenCooldown = 0;
        arena.placeMage(c.x, c.z);
        tap(arena, keys, '2');
        EXPECT_EQ(player.greenPlaced, c.allowed) << c.x << ", " << c.z;
        // A refused lay starts no cooldown.
        EXPECT_EQ(player.greenCooldown > 0, c.allowed) << c.x << ", " << c.z;
    }

    // The white rune keeps the same distance from the traps.
    player.whiteCooldown = 0;
    arena.placeMage(0.5f, 0.5f);
    tap(arena, keys, 'E');
    EXPECT_FALSE(player.whitePlaced);
}

// A refused rune key says so once per press, at the mage, and starts
// nothing; the display blinks that rune's icon and shows the spacing square
// of the rune that stands too close, whichever it is. A new press during
// its rune's cooldown is refused too, with no square; a key still held from
// the press that laid the rune is not.
TEST(RuneKeys, ARefusalIsReportedOncePerPressDuringACooldownToo) {
    TestArena arena;
    ScriptedKeys keys;
    Player& player = *arena.player;
    auto world = makeWorld(arena);
    ASSERT_NE(world, nullptr);
    arena.runes[RED]->position = glm::vec3(0, 0.1f, 0);
    arena.runes[RED]->placed = true;
    arena.placeMage(0.3f, -0.3f);
    player.greenCooldown = player.whiteCooldown = 0;
    auto refusals = [&world](int colour) {
        int count = 0;
        for (const GameEvent& event : world->events)
            count += event.kind == GameEventKind::RUNE_REFUSED && event.colour == colour ? 1 : 0;
        return count;
    };

    keys.press('2');
    for (int update = 0; update < 10; ++update)
        world->updatePlayer(16);
    EXPECT_EQ(refusals(GREEN), 1);
    EXPECT_EQ(world->events.back().where, player.position);
    EXPECT_EQ(world->events.back().cause, RED);
    EXPECT_EQ(world->refusals.iconBlinkMs[GREEN], REFUSED_BLINK_MS);
    EXPECT_EQ(world->refusals.squareColour, RED);
    EXPECT_EQ(world->refusals.squareMs, SPACING_SQUARE_MS);
    EXPECT_FALSE(player.greenPlaced);
    EXPECT_LE(player.greenCooldown, 0.0f);
    keys.release('2');
    world->updatePlayer(16);
    keys.press('2');
    world->updatePlayer(16);
    EXPECT_EQ(refusals(GREEN), 2);

    keys.release('2');
    world->updatePlayer(16);
    player.greenCooldown = 1500;
    player.greenRecharging = true;
    world->refusals = RefusalCues();
    keys.press('2');
    for (int update = 0; update < 10; ++update)
        world->updatePlayer(16);
    EXPECT_EQ(refusals(GREEN), 3);
    EXPECT_EQ(world->events.back().cause, NO_COLOUR);
    EXPECT_EQ(world->refusals.iconBlinkMs[GREEN], REFUSED_BLINK_MS);
    EXPECT_EQ(world->refusals.squareMs, 0);

    // Laid away from the red rune, and held on through the lay's cooldown.
    keys.release('2');
    world->updatePlayer(16);
    player.greenCooldown = 0;
    player.greenRecharging = false;
    arena.placeMage(3.0f, 3.0f);
    keys.press('2');
    for (int update = 0; update < 10; ++update)
        world->updatePlayer(16);
    EXPECT_TRUE(player.greenPlaced);
    EXPECT_GT(player.greenCooldown, 0.0f);
    EXPECT_EQ(refusals(GREEN), 3);
    keys.release('2');
    arena.placeMage(0.3f, -0.3f);

    keys.press('E');
    world->updatePlayer(16);
    EXPECT_EQ(refusals(WHITE), 1);
    EXPECT_EQ(world->refusals.iconBlinkMs[WHITE], REFUSED_BLINK_MS);

    // Near red and blue at once: the first of them, red. Near blue alone:
    // blue, though red is read first.
    arena.runes[BLUE]->position = glm::vec3(1.2f, 0.1f, 0);
    arena.runes[BLUE]->placed = true;
    struct Case {
        float x;
        int cause;
    };
    for (Case c : {Case{0.6f, RED}, Case{1.4f, BLUE}}) {
        keys.releaseAll();
        world->updatePlayer(16);
        arena.placeMage(c.x, 0.3f);
        keys.press('E');
        world->updatePlayer(16);
        EXPECT_EQ(world->events.back().kind, GameEventKind::RUNE_REFUSED);
        EXPECT_EQ(world->events.back().cause, c.cause);
    }
    EXPECT_EQ(refusals(WHITE), 3);
    EXPECT_EQ(world->refusals.squareColour, BLUE);
}

// The rune keys are read white, blue, red, green: pressed together on one
// spot, the first one read is laid and the spacing rule refuses the others.
TEST(RuneKeys, PressedTogetherTheFirstReadIsLaid) {
    TestArena arena;
    ScriptedKeys keys;
    Player& player = *arena.player;
    auto allReady = [&player]() {
        player.whiteCooldown = player.blueCooldown = 0;
        player.redCooldown = player.greenCooldown = 0;
    };
    allReady();
    arena.placeMage(1, 1);
    keys.press('1');
    keys.press('2');
    keys.press('3');
    player.update(16.0f);
    EXPECT_TRUE(player.bluePlaced);
    EXPECT_FALSE(player.redPlaced);
    EXPECT_FALSE(player.greenPlaced);

    allReady();
    arena.placeMage(-3, -3);
    keys.press('E');
    player.update(16.0f);
    EXPECT_TRUE(player.whitePlaced);
    EXPECT_FALSE(player.redPlaced);
    EXPECT_FALSE(player.greenPlaced);
}

TEST(RuneBlast, EndParksTheRuneAndResetsItsFountainRechargingClearsLater) {
    TestArena arena;
    ScriptedKeys keys;
    Player& player = *arena.player;
    Rune& blue = *arena.runes[BLUE];
    ParticleSystem& fountain = *arena.systems[BLUE];
    player.blueCooldown = 0;
    arena.placeMage(2, 2);

    // What the head-up display shows follows these flags: the active icon
    // while laid, nothing while recharging, the plain icon when ready.
    tap(arena, keys, '3');
    EXPECT_TRUE(player.bluePlaced);
    EXPECT_FALSE(player.blueRecharging);
    arena.run(512);
    tap(arena, keys, '3');
    EXPECT_TRUE(player.blueActive);
    EXPECT_TRUE(player.blueRecharging);
    EXPECT_FALSE(player.bluePlaced);
    for (Particle& p : fountain.particles)
        p.active = false;

    arena.run(288); // 288 ms of the 300 ms blast
    EXPECT_TRUE(player.blueActive);
    EXPECT_TRUE(blue.placed);
    arena.player->update(16.0f);
    EXPECT_FALSE(player.blueActive);
    EXPECT_FALSE(blue.placed);
    EXPECT_NEAR(blue.position.x, 10.0f, 1e-4f);
    EXPECT_NEAR(blue.position.z, 10.0f, 1e-4f);
    EXPECT_NEAR(fountain.emitterPosition.x, 10.0f, 1e-4f);
    for (const Particle& p : fountain.particles)
        EXPECT_TRUE(p.active);
    EXPECT_TRUE(player.blueRecharging);

    arena.run(2000 - 304 - 16);
    EXPECT_TRUE(player.blueRecharging);
    arena.player->update(16.0f);
    EXPECT_FALSE(player.blueRecharging);
    EXPECT_FALSE(player.bluePlaced);

    // Ready again: the next press lays it anew.
    tap(arena, keys, '3');
    EXPECT_TRUE(player.bluePlaced);
}

TEST(RuneBlast, KillsOnlyItsKindStrictlyWithinPointTwo) {
    REQUIRE_GL_CONTEXT();
    TestArena arena(testShader());
    auto world = makeWorld(arena);
    auto model = makeMonsterModel(testShader());
    Player& player = *arena.player;
    player.bluePos = glm::vec3(0, 0.3f, 3);
    player.blueActive = true;

    auto plainNear = makeMonster(model.get(), 2, 0.19f, 3.19f);
    auto plainFar = makeMonster(model.get(), 2, 0.2f, 3.0f);
    auto redNear = makeMonster(model.get(), 0, 0.1f, 3.1f);
    auto greenNear = makeMonster(model.get(), 1, -0.1f, 2.9f);
    // Pinned to exact spots; the world is paused so nobody walks.
    plainFar->position = glm::vec3(0.2f, 0.0f, 3.0f);
    world->paused = true;
    world->monsters = {plainNear.get(), plainFar.get(), redNear.get(), greenNear.get()};
    world->updateMonsters(16);
    EXPECT_FALSE(plainNear->alive);
    EXPECT_TRUE(plainFar->alive);
    EXPECT_TRUE(redNear->alive);
    EXPECT_TRUE(greenNear->alive);

    player.blueActive = false;
    player.redActive = true;
    player.redPos = player.bluePos;
    player.greenActive = true;
    player.greenPos = glm::vec3(-5, 0, -5);
    world->updateMonsters(16);
    EXPECT_FALSE(redNear->alive);
    EXPECT_TRUE(greenNear->alive);
    EXPECT_TRUE(plainFar->alive);
}
