// The difficulties measured by the scripted players (scripts/calibrate.sh):
// whole seeded games played headless at every difficulty, at 20 and at 60
// frames a second of simulated time, by the tutorial's technique at a
// person's and at a slow person's reaction, and by the expert.
//
// usage (from a folder beside the staged bin/): play_calibration <games>
// [style ...]; styles: technique, slow, expert, patient (all by default).
// Prints one Markdown table per style on standard output.
#include "players/HeadlessGame.h"
#include "world/SceneConstruction.h"
#include "game/Difficulty.h"
#include "tools/common/ToolGame.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <string>
#include <vector>

namespace {

const unsigned FIRST_SEED = 1000;

struct Style {
    const char* name;
    const char* title;
    PlayStyle play;
};

const Style STYLES[] = {
    {"technique", "The tutorial's technique, reacting in 200 ms", TUTORIAL_TECHNIQUE},
    {"slow", "The tutorial's technique, reacting in 450 ms", SLOW_TUTORIAL_TECHNIQUE},
    {"expert", "The expert", EXPERT},
    // Not a player to calibrate with: it shows how long the cue stays lit
    // by itself, as a crowd gathers round a player slow to press.
    {"patient", "The tutorial's technique, reacting in 1.5 s", {1500, false}},
};

struct Rate {
    const char* name;
    std::vector<int> frameTimes;
};

const Rate RATES[] = {{"20 fps", {50}}, {"60 fps", {17, 17, 16}}};

struct Cell {
    int games = 0;
    int wins = 0;
    int slain = 0;
    int fewestSlain = 1000;
    int lifeLeftInWins = 0;
    int unfinished = 0; // neither won nor lost in the games' ten minutes
    LitPresses lit;
    std::vector<int> litSpansMs;
};

// The value below which `share` of the spans lie (0.5: the median).
int percentile(std::vector<int> spans, double share) {
    if (spans.empty())
        return 0;
    std::sort(spans.begin(), spans.end());
    return spans[static_cast<size_t>(share * static_cast<double>(spans.size() - 1))];
}

Cell playCell(Scene& scene, const Difficulty& difficulty, const PlayStyle& style, const Rate& rate,
              int games) {
    Cell cell;
    for (int game = 0; game < games; ++game) {
        const GameOutcome outcome =
            playHeadlessGame(scene, FIRST_SEED + game, difficulty, style, rate.frameTimes);
        ++cell.games;
        cell.wins += outcome.won ? 1 : 0;
        cell.slain += outcome.slain;
        cell.fewestSlain = std::min(cell.fewestSlain, outcome.slain);
        cell.lifeLeftInWins += outcome.won ? outcome.lifeLeft : 0;
        cell.unfinished += !outcome.won && outcome.lifeLeft > 0 ? 1 : 0;
        cell.lit.presses += outcome.lit.presses;
        cell.lit.killed += outcome.lit.killed;
        cell.lit.ignored += outcome.lit.ignored;
        cell.lit.missed += outcome.lit.missed;
        cell.litSpansMs.insert(cell.litSpansMs.end(), outcome.litSpansMs.begin(),
                               outcome.litSpansMs.end());
    }
    return cell;
}

void printTable(Scene& scene, const Style& style, int games) {
    std::printf("\n### %s\n\n", style.title);
    std::printf("| difficulty | rate | wins | unfinished | slain a game (fewest) | "
                "life left in a win | lit presses | killed | ignored | missed | lit for, median "
                "(10th percentile) |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|\n");
    for (const Difficulty& difficulty : DIFFICULTIES) {
        for (const Rate& rate : RATES) {
            const Cell c = playCell(scene, difficulty, style.play, rate, games);
            std::printf("| %s | %s | %d of %d (%d %%) | %d | %.1f (%d) | %.1f | %d | %d | %d | %d "
                        "| %d ms (%d ms) |\n",
                        difficulty.name, rate.name, c.wins, c.games, 100 * c.wins / c.games,
                        c.unfinished, static_cast<double>(c.slain) / c.games, c.fewestSlain,
                        c.wins > 0 ? static_cast<double>(c.lifeLeftInWins) / c.wins : 0.0,
                        c.lit.presses, c.lit.killed, c.lit.ignored, c.lit.missed,
                        percentile(c.litSpansMs, 0.5), percentile(c.litSpansMs, 0.1));
            std::fflush(stdout);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    const int games = argc > 1 ? std::atoi(argv[1]) : 40;
    if (games < 1 || !openToolWindow(1)) {
        std::fprintf(stderr, "usage: play_calibration <games> [technique|slow|expert ...]\n");
        return 1;
    }
    // The scene's loading reports go to standard error, out of the tables.
    std::fflush(stdout);
    const int saved = dup(1);
    dup2(2, 1);
    Scene scene = buildScene();
    std::fflush(stdout);
    dup2(saved, 1);
    for (const Style& style : STYLES) {
        bool chosen = argc <= 2;
        for (int i = 2; i < argc; ++i)
            chosen = chosen || std::strcmp(argv[i], style.name) == 0;
        if (chosen)
            printTable(scene, style, games);
    }
    return 0;
}
