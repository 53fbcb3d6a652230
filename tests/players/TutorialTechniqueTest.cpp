// The game's scripted player that knows only what the tutorial teaches,
// playing whole seeded games headless through the key state, at 20 and at
// 60 frames a second of simulated time. Its results hold the floors below,
// so a change that breaks the cue, the technique or the difficulties'
// calibration fails here.
#include "world/GameWorld.h"
#include "players/HeadlessGame.h"
#include "world/SceneConstruction.h"
#include "game/Difficulty.h"

#include "GlContext.h"
#include "OutputCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const int GAMES = 40;
const unsigned FIRST_SEED = 1000;
const std::vector<int> SLOW_FRAMES = {50};         // 20 frames a second
const std::vector<int> FAST_FRAMES = {17, 17, 16}; // 60 frames a second

struct Games {
    std::vector<GameOutcome> outcomes;
    int wins() const {
        int wins = 0;
        for (const GameOutcome& outcome : outcomes)
            wins += outcome.won ? 1 : 0;
        return wins;
    }
};

Games play(Scene& scene, const Difficulty& difficulty, PlayStyle style,
           const std::vector<int>& frameTimes, int games = GAMES) {
    Games played;
    for (int game = 0; game < games; ++game)
        played.outcomes.push_back(
            playHeadlessGame(scene, FIRST_SEED + game, difficulty, style, frameTimes));
    return played;
}

Scene builtScene() {
    OutputCapture quiet;
    srand(1);
    return buildScene();
}

TEST(TutorialTechnique, LuringMonstersOntoRunesAndBlastingOnTheCueSlaysThem) {
    REQUIRE_GL_CONTEXT();
    Scene scene = builtScene();
    ASSERT_NE(scene.world->player, nullptr);
    const int games = 20;
    for (const std::vector<int>* frames : {&SLOW_FRAMES, &FAST_FRAMES}) {
        const Games played = play(scene, STANDARD, TUTORIAL_TECHNIQUE, *frames, games);
        std::string report = "slain:";
        int total = 0;
        for (const GameOutcome& outcome : played.outcomes) {
            report += " " + std::to_string(outcome.slain);
            total += outcome.slain;
        }
        // Measured: at least 3 a game, 130 in all at 20 fps and 136 at 60. The floor leaves
        // room for changes that do not touch the cue or the technique.
        for (const GameOutcome& outcome : played.outcomes)
            EXPECT_GE(outcome.slain, 2) << report;
        EXPECT_GE(total, 5 * games) << report;
    }
}

// The calibration of docs/difficulty.md, held: the technique at a person's
// reaction wins at least 90 % of the calm games and 60 % of the gentle and
// the brisk ones; reacting in 450 ms it still wins 60 % of the calm ones.
// Every press of a lit rune's key kills.
TEST(TutorialTechnique, WinsTheGentlerDifficultiesAsCalibratedAndEveryLitPressKills) {
    REQUIRE_GL_CONTEXT();
    Scene scene = builtScene();
    const Difficulty& calm = DIFFICULTIES[0];
    const Difficulty& gentle = DIFFICULTIES[1];
    const Difficulty& brisk = DIFFICULTIES[2];
    for (const std::vector<int>* frames : {&SLOW_FRAMES, &FAST_FRAMES}) {
        const std::string rate = frames == &SLOW_FRAMES ? "20 fps" : "60 fps";
        const Games calmGames = play(scene, calm, TUTORIAL_TECHNIQUE, *frames);
        const Games gentleGames = play(scene, gentle, TUTORIAL_TECHNIQUE, *frames);
        const Games briskGames = play(scene, brisk, TUTORIAL_TECHNIQUE, *frames);
        EXPECT_GE(calmGames.wins(), GAMES * 9 / 10) << rate;
        EXPECT_GE(play(scene, calm, SLOW_TUTORIAL_TECHNIQUE, *frames).wins(), GAMES * 6 / 10)
            << rate;
        EXPECT_GE(gentleGames.wins(), GAMES * 6 / 10) << rate;
        EXPECT_GE(briskGames.wins(), GAMES * 6 / 10) << rate;
        for (const Games* games : {&calmGames, &gentleGames, &briskGames}) {
            for (const GameOutcome& outcome : games->outcomes) {
                EXPECT_GT(outcome.lit.presses, 0) << rate;
                EXPECT_EQ(outcome.lit.killed, outcome.lit.presses) << rate;
            }
        }
    }
}

} // namespace
