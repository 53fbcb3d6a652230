// The rules: strikes and their damage, defeat and victory with their
// messages, the shared pace of dying, pausing, and a short scripted game.
#include "GameTestSupport.h"

#include "GlContext.h"
#include "OutputCapture.h"
#include "players/ScriptedKeys.h"
#include "world/GameRules.h"
#include "world/GameWorld.h"
#include "game/GameMessages.h"
#include "game/RuneCues.h"
#include "render/Origin.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

std::string repeated(const std::string& line, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += line;
    return text;
}

// A monster beside the mage, in reach with its cooldown spent.
std::unique_ptr<Monster> strikingMonster(Model* model, int kind) {
    auto monster = makeMonster(model, kind, 0.1f, 0.1f);
    monster->inReach = true;
    monster->attackCooldown = 0;
    return monster;
}

// One frame of the rules, as the passes run them.
void playFrame(GameWorld& world, int dt) {
    world.mode.drawing = false;
    playRules(world, dt);
}

struct RulesTest : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(ensureGlContext());
        arena = std::make_unique<TestArena>(testShader());
        world = makeWorld(*arena);
        model = makeMonsterModel(testShader());
        // Nobody walks unless a test unpauses the world.
        world->paused = true;
    }
    std::unique_ptr<TestArena> arena;
    std::unique_ptr<GameWorld> world;
    std::unique_ptr<Model> model;
};

} // namespace

TEST_F(RulesTest, StrikesCostThreeTwoOrOnePointByKindAndFlash) {
    const int expectedLoss[3] = {3, 2, 1};
    for (int kind = 0; kind < 3; ++kind) {
        arena->player->lifePoints = 20;
        world->hitFlash = false;
        auto monster = strikingMonster(model.get(), kind);
        world->monsters = {monster.get()};
        OutputCapture output;
        world->updateMonsters(16);
        output.finish();
        EXPECT_EQ(arena->player->lifePoints, 20 - expectedLoss[kind]) << kind;
        EXPECT_EQ(output.out(), repeated("lifePoints - 1\n", expectedLoss[kind])) << kind;
        EXPECT_TRUE(world->hitFlash);
        EXPECT_FLOAT_EQ(monster->attackCooldown, 2000.0f);
    }
}

TEST_F(RulesTest, NoStrikeOutOfReachOrBeforeTheCooldownIsSpent) {
    auto away = strikingMonster(model.get(), 2);
    away->inReach = false;
    auto waiting = strikingMonster(model.get(), 2);
    waiting->attackCooldown = 0.5f;
    world->monsters = {away.get(), waiting.get()};
    world->updateMonsters(16);
    EXPECT_EQ(arena->player->lifePoints, 20);
    EXPECT_FALSE(world->hitFlash);
}

TEST_F(RulesTest, TheLastPointPrintsDefeatOnceAndLifeStaysAtZero) {
    arena->player->lifePoints = 2;
    auto red = strikingMonster(model.get(), 0);
    world->monsters = {red.get()};
    OutputCapture output;
    world->updateMonsters(16);
    world->updatePlayer(16);
    EXPECT_TRUE(world->defeat);
    red->attackCooldown = 0;
    world->updateMonsters(16);
    output.finish();
    EXPECT_EQ(output.out(), "lifePoints - 1\nlifePoints - 1\nGAME OVER - DEFEAT\n");
    EXPECT_EQ(arena->player->lifePoints, 0);

    arena->player->hit();
    EXPECT_EQ(arena->player->lifePoints, 0);
}

TEST_F(RulesTest, VictoryNeedsAllTwentyReleasedAndDeadAndIsPrintedOnce) {
    std::vector<std::unique_ptr<Monster>> all;
    for (int i = 0; i < 20; ++i) {
        all.push_back(makeMonster(model.get(), i % 3, -5.0f + i * 0.5f, 5.0f));
        all.back()->alive = false;
    }
    for (int i = 0; i < 19; ++i)
        world->monsters.push_back(all[i].get());
    OutputCapture output;
    world->updateMonsters(16);
    EXPECT_FALSE(world->victory);
    world->monsters.push_back(all[19].get());
    world->updateMonsters(16);
    world->updateMonsters(16);
    output.finish();
    EXPECT_TRUE(world->victory);
    EXPECT_EQ(output.out(), "GAME OVER - VICTORY\n");
}

TEST_F(RulesTest, DefeatWinsOverAVictoryOfTheSameFrame) {
    std::vector<std::unique_ptr<Monster>> all;
    for (int i = 0; i < 19; ++i) {
        all.push_back(makeMonster(model.get(), 2, 5.0f, -5.0f + i * 0.5f));
        all.back()->alive = false;
    }
    // The last one strikes the last point and dies on a blast in one run.
    all.push_back(strikingMonster(model.get(), 2));
    arena->player->lifePoints = 1;
    arena->player->blueActive = true;
    arena->player->bluePos = all.back()->position;
    for (auto& monster : all)
        world->monsters.push_back(monster.get());
    world->victoryTexture = 1001;
    world->defeatTexture = 1002;
    world->paused = false;
    world->gameOverShown = true; // keeps everyone where they are
    OutputCapture output;
    playFrame(*world, 16);
    world->renderInterface(16);
    output.finish();
    EXPECT_TRUE(world->victory);
    EXPECT_TRUE(world->defeat);
    EXPECT_EQ(output.out(), "lifePoints - 1\nGAME OVER - DEFEAT\nGAME OVER - VICTORY\n");
    EXPECT_EQ(world->screenQuad.texture, 1002u);
}

TEST_F(RulesTest, DyingMonstersShareOneStepTimer) {
    auto first = makeMonster(model.get(), 1, 1, 1);
    auto second = makeMonster(model.get(), 2, 2, 2);
    first->alive = false;
    second->alive = false;
    world->monsters = {first.get(), second.get()};
    glm::mat4 firstStart = first->worldMatrix;
    glm::mat4 secondStart = second->worldMatrix;
    for (int frame = 0; frame < 10; ++frame)
        playFrame(*world, 16);
    // Each run: the first raises the timer, the second takes the step.
    EXPECT_EQ(first->worldMatrix, firstStart);
    EXPECT_NEAR(glm::length(glm::vec3(second->worldMatrix[0])),
                glm::length(glm::vec3(secondStart[0])) * std::pow(0.99f, 20.0f), 1e-5f);
    EXPECT_EQ(first->deathTimer, 4000 - 20 * 16);
    EXPECT_EQ(world->deathStepTimer, 0);
}

TEST_F(RulesTest, WhilePausedNothingMovesButStrikesAndBlastsCount) {
    ScriptedKeys keys;
    keys.hold({'W'});
    auto walker = makeMonster(model.get(), 2, 3, 3);
    auto striker = strikingMonster(model.get(), 2);
    auto onTheRune = makeMonster(model.get(), 1, -2, -2);
    arena->player->greenActive = true;
    arena->player->greenBlastTime = 100;
    arena->player->greenPos = onTheRune->position;
    world->monsters = {walker.get(), striker.get(), onTheRune.get()};
    glm::mat4 walkerStart = walker->worldMatrix;
    glm::vec3 mage = arena->magePosition();
    OutputCapture output;
    for (int frame = 0; frame < 20; ++frame)
        playFrame(*world, 16);
    output.finish();
    EXPECT_EQ(walker->worldMatrix, walkerStart);
    EXPECT_EQ(arena->magePosition(), mage);
    EXPECT_EQ(arena->player->lifePoints, 19);
    EXPECT_FALSE(onTheRune->alive);
    EXPECT_TRUE(arena->player->greenActive); // its blast time does not run
    EXPECT_EQ(arena->player->monsters.size(), 3u);
}

// The fields of one trap colour that laying and setting off change.
struct TrapFields {
    bool& laid;
    bool& blasting;
    glm::vec3& laidAt;
    float& cooldown;
};

TrapFields trapFields(Player& player, int colour) {
    if (colour == RED)
        return {player.redPlaced, player.redActive, player.redPos, player.redCooldown};
    if (colour == GREEN)
        return {player.greenPlaced, player.greenActive, player.greenPos, player.greenCooldown};
    return {player.bluePlaced, player.blueActive, player.bluePos, player.blueCooldown};
}

// Everything a frame of the rules changes in a crowd round a laid rune, to
// play the same frames again with a key pressed.
struct CrowdSnapshot {
    explicit CrowdSnapshot(TestArena& arena, GameWorld& world,
                           const std::vector<std::unique_ptr<Monster>>& crowd)
        : player(*arena.player), mage(arena.mage->modelMatrix), cues(world.runeCues) {
        for (const auto& monster : crowd)
            monsters.push_back(*monster);
        for (int colour = 0; colour < 4; ++colour) {
            runes.push_back(*arena.runes[colour]);
            runeMatrices.push_back(arena.runeModels[colour]->modelMatrix);
        }
    }
    void restore(TestArena& arena, GameWorld& world,
                 std::vector<std::unique_ptr<Monster>>& crowd) const {
        *arena.player = player;
        arena.mage->modelMatrix = mage;
        world.runeCues = cues;
        world.events.clear();
        for (size_t i = 0; i < crowd.size(); ++i)
            *crowd[i] = monsters[i];
        for (int colour = 0; colour < 4; ++colour) {
            *arena.runes[colour] = runes[colour];
            arena.runeModels[colour]->modelMatrix = runeMatrices[colour];
        }
    }
    Player player;
    glm::mat4 mage;
    RuneCues cues;
    std::vector<Monster> monsters;
    std::vector<Rune> runes;
    std::vector<glm::mat4> runeMatrices;
};

// A rune's cue promises a kill to a mage that stands and sets it off: over
// seeded crowds walking up to a mage standing beyond a laid trap rune, at
// 20, 30 and 60 frames a second, a press of the rune's key in the frame
// after any frame that left it lit kills a monster of its colour. The cue
// lights before the monster reaches the square, so a person has time.
TEST_F(RulesTest, APressWhileTheRuneIsLitKillsWhenTheMageStands) {
    const int trapKeys[3] = {'1', '2', '3'};
    std::mt19937 random(2026);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    int litPresses = 0, litBeforeArriving = 0;
    setGameMessagesSilenced(true); // the crowd's strikes
    for (int scene = 0; scene < 60; ++scene) {
        const int colour = scene % 3;
        const int frameMs = std::vector<int>{50, 33, 16}[scene % 3];
        arena->placeMage(0.0f, 0.0f);
        arena->player->lifePoints = 1000;
        // The rune a little way off the mage, the crowd beyond it.
        const float bearing = 6.2831853f * unit(random);
        const glm::vec2 way(std::sin(bearing), std::cos(bearing));
        const glm::vec2 rune = way * (0.3f + 0.6f * unit(random));
        TrapFields trap = trapFields(*arena->player, colour);
        trap.laid = arena->runes[colour]->placed = true;
        trap.laidAt = glm::vec3(rune.x, 0.23f, rune.y);
        trap.cooldown = 0.0f;
        std::vector<std::unique_ptr<Monster>> crowd;
        world->monsters.clear();
        for (int i = 0; i < 4; ++i) {
            const glm::vec2 side(-way.y, way.x);
            const glm::vec2 at =
                rune + way * (0.5f + 2.0f * unit(random)) + side * (unit(random) - 0.5f) * 0.8f;
            const int kind = i == 0 ? colour : static_cast<int>(random() % 3);
            crowd.push_back(makeMonster(model.get(), kind, at.x, at.y));
            world->monsters.push_back(crowd.back().get());
        }
        world->paused = false;
        world->runeCues = RuneCues();
        const CrowdSnapshot start(*arena, *world, crowd);

        // Played once untouched: the frames that leave the rune lit.
        std::vector<int> litFrames;
        for (int frame = 0; frame < 3000 / frameMs; ++frame) {
            playFrame(*world, frameMs);
            if (world->runeCues.ready[colour])
                litFrames.push_back(frame);
        }
        for (size_t i = 0; i < litFrames.size(); i += 3) {
            start.restore(*arena, *world, crowd);
            ScriptedKeys keys;
            bool onTheSquare = false;
            for (int frame = 0; frame <= litFrames[i]; ++frame)
                playFrame(*world, frameMs);
            for (const auto& monster : crowd)
                onTheSquare = onTheSquare || (monster->kind == colour && monster->alive &&
                                              monster->isHitAt(trap.laidAt));
            keys.press(trapKeys[colour]);
            playFrame(*world, frameMs);
            keys.releaseAll();
            ASSERT_TRUE(trap.blasting) << "scene " << scene;
            while (trap.blasting)
                playFrame(*world, frameMs);
            bool killed = false;
            for (const auto& monster : crowd)
                killed = killed || (monster->kind == colour && !monster->alive);
            EXPECT_TRUE(killed) << "scene " << scene << ", lit frame " << litFrames[i];
            ++litPresses;
            litBeforeArriving += onTheSquare ? 0 : 1;
        }
        start.restore(*arena, *world, crowd);
        trap.laid = arena->runes[colour]->placed = false;
        world->monsters.clear();
    }
    setGameMessagesSilenced(false);
    // Both kinds of lit frame come up often enough to mean something.
    EXPECT_GT(litPresses, 100);
    EXPECT_GT(litBeforeArriving, 20);
}

TEST_F(RulesTest, ARunningTeleportFinishesDuringAPause) {
    ScriptedKeys keys;
    world->paused = false;
    arena->player->whiteCooldown = 0;
    arena->placeMage(1, 1);
    keys.press('E');
    playFrame(*world, 16);
    arena->placeMage(-2, 3);
    arena->player->whiteCooldown = 0;
    playFrame(*world, 16);
    ASSERT_GT(arena->player->teleportTime, 0);
    world->paused = true;
    for (int frame = 0; frame < 50; ++frame)
        playFrame(*world, 16);
    EXPECT_LE(arena->player->teleportTime, 0);
    EXPECT_NEAR(arena->magePosition().x, 1.0f, 1e-3f);
    EXPECT_NEAR(arena->magePosition().z, 1.0f, 1e-3f);
}

// A short game on a fixed 16 ms frame: a plain monster runs onto a blue rune
// and dies, shrinks away, and a second one reaches the mage and strikes.
TEST_F(RulesTest, ScriptedGame) {
    ScriptedKeys keys;
    Player& player = *arena->player;
    world->paused = false;
    auto runner = makeMonster(model.get(), 2, 0.0f, 7.0f, false);
    auto striker = makeMonster(model.get(), 2, 0.0f, 6.5f, false);
    world->monsters = {runner.get()};
    OutputCapture output;

    // Walk a unit ahead, wait out the first second, lay the rune, walk back.
    int frame = 0;
    keys.hold({'W'});
    for (; arena->magePosition().z < 1.0f; ++frame)
        playFrame(*world, 16);
    keys.releaseAll();
    for (; frame * 16 < 1000; ++frame)
        playFrame(*world, 16);
    keys.hold({'3'});
    playFrame(*world, 16);
    ASSERT_TRUE(player.bluePlaced);
    glm::vec3 rune = player.bluePos;
    keys.hold({'S'});
    while (arena->magePosition().z > 0.0f)
        playFrame(*world, 16);
    keys.releaseAll();

    // Trigger as the monster arrives on the rune.
    for (int i = 0; i < 400 && runner->position.z > rune.z + 0.35f; ++i)
        playFrame(*world, 16);
    ASSERT_TRUE(runner->alive);
    keys.hold({'3'});
    playFrame(*world, 16);
    keys.releaseAll();
    ASSERT_TRUE(player.blueActive);
    int blastFrames = 0;
    for (; runner->alive && player.blueActive; ++blastFrames)
        playFrame(*world, 16);
    EXPECT_FALSE(runner->alive);
    EXPECT_LT(blastFrames, 19);
    EXPECT_TRUE(runner->isHitAt(rune));

    // Dying: it shrinks while its 4000 ms run down twice per frame.
    float size = glm::length(glm::vec3(runner->worldMatrix[0]));
    int dyingFrames = 0;
    for (; runner->deathTimer > 0; ++dyingFrames)
        playFrame(*world, 16);
    EXPECT_EQ(dyingFrames, 4000 / 32);
    EXPECT_LT(glm::length(glm::vec3(runner->worldMatrix[0])), size * 0.5f);
    glm::mat4 gone = runner->worldMatrix;
    playFrame(*world, 16);
    EXPECT_EQ(runner->worldMatrix, gone);
    EXPECT_EQ(player.lifePoints, 20);

    // The second monster comes for the standing mage.
    world->monsters.push_back(striker.get());
    std::vector<int> strikeFrames;
    int lifeBefore = player.lifePoints;
    for (int f = 0; f < 600; ++f) {
        playFrame(*world, 16);
        if (player.lifePoints != lifeBefore) {
            EXPECT_EQ(lifeBefore - player.lifePoints, 1);
            lifeBefore = player.lifePoints;
            strikeFrames.push_back(f);
        }
    }
    output.finish();
    ASSERT_GE(strikeFrames.size(), 4u);
    for (size_t i = 1; i < strikeFrames.size(); ++i) {
        int gap = strikeFrames[i] - strikeFrames[i - 1];
        EXPECT_TRUE(gap == 62 || gap == 63) << gap; // 1000 ms of 16 ms frames
    }
    EXPECT_EQ(output.out(), repeated("lifePoints - 1\n", 20 - player.lifePoints));
    EXPECT_TRUE(world->hitFlash);
    EXPECT_FALSE(world->victory);
}
