#include "players/HeadlessGame.h"

#include "world/FreshGame.h"
#include "world/GameRules.h"
#include "world/GameWorld.h"
#include "game/Keys.h"
#include "world/GameSchedule.h"
#include "players/ScriptedKeys.h"
#include "game/GameMessages.h"
#include "game/Monster.h"
#include "game/Player.h"

namespace {

// Follows each press of a lit rune's key to the end of the blast it sets off.
class LitPressLog {
  public:
    // After the keys are chosen, before the frame reads them.
    void notePresses(const GameWorld& world) {
        for (int colour = 0; colour < 3; ++colour) {
            if (isKeyDown(RUNE_KEYS[colour]) && world.runeCues.ready[colour] &&
                !following[colour]) {
                following[colour] = pressedThisFrame[colour] = true;
                kills[colour] = 0;
            }
        }
    }

    // After the frame's rules, with its events.
    void follow(const GameWorld& world) {
        bool setOff[3] = {false, false, false};
        for (const GameEvent& event : world.events) {
            if (event.kind == GameEventKind::RUNE_SET_OFF && event.colour < 3)
                setOff[event.colour] = true;
            if (event.kind == GameEventKind::MONSTER_DEATH && event.colour >= 0 && event.colour < 3)
                ++kills[event.colour];
        }
        for (int colour = 0; colour < 3; ++colour) {
            if (!following[colour])
                continue;
            if (pressedThisFrame[colour] && !setOff[colour]) {
                count(counts.ignored, colour);
            } else if (!world.player->trapState(colour).blasting) {
                count(kills[colour] > 0 ? counts.killed : counts.missed, colour);
            } else if (world.victory || world.defeat) {
                // The game ended during the blast: what it did so far counts.
                if (kills[colour] > 0)
                    count(counts.killed, colour);
            }
            pressedThisFrame[colour] = false;
        }
    }

    LitPresses counts;

  private:
    void count(int& outcome, int colour) {
        ++outcome;
        ++counts.presses;
        following[colour] = false;
    }

    bool following[3] = {false, false, false};
    bool pressedThisFrame[3] = {false, false, false};
    int kills[3] = {0, 0, 0};
};

// The spans for which each trap rune stays lit.
class LitSpans {
  public:
    // After the frame's rules, `now` ms into the game.
    void follow(const GameWorld& world, int now) {
        for (int colour = 0; colour < 3; ++colour) {
            if (world.runeCues.ready[colour] && since[colour] < 0)
                since[colour] = now;
            if (!world.runeCues.ready[colour] && since[colour] >= 0)
                end(colour, now);
        }
    }
    void endAll(int now) {
        for (int colour = 0; colour < 3; ++colour) {
            if (since[colour] >= 0)
                end(colour, now);
        }
    }

    std::vector<int> spans;

  private:
    void end(int colour, int now) {
        spans.push_back(now - since[colour]);
        since[colour] = -1;
    }
    int since[3] = {-1, -1, -1};
};

} // namespace

GameOutcome playHeadlessGame(Scene& scene, unsigned seed, const Difficulty& difficulty,
                             PlayStyle style, const std::vector<int>& frameTimes, int limitMs) {
    GameWorld& world = *scene.world;
    const bool wasDrawing = world.mode.drawing;
    const bool wasSilenced = gameMessagesSilenced();
    setGameMessagesSilenced(true);
    setDifficulty(world, scene.preparedMonsters, difficulty);
    makeFreshGame(scene, seed);
    world.mode.drawing = false;
    world.paused = world.mode.openingScreen = false;
    GameSchedule schedule;
    schedule.paused = false;

    ScriptedKeys keys;
    ScriptedPlayer player(world, keys, style);
    LitPressLog log;
    LitSpans spans;
    int now = 0;
    for (size_t frame = 0; now < limitMs && !world.victory && !world.defeat; ++frame) {
        const int elapsed = frameTimes[frame % frameTimes.size()];
        now += elapsed;
        player.chooseKeys(now);
        log.notePresses(world);
        releaseMonsters(schedule, world, scene.preparedMonsters, elapsed);
        playRules(world, elapsed);
        log.follow(world);
        spans.follow(world, now);
        world.events.clear();
    }
    spans.endAll(now);

    GameOutcome outcome;
    outcome.won = world.victory && !world.defeat;
    outcome.slain = countSlain(world.monsters);
    outcome.lifeLeft = world.player->lifePoints;
    outcome.playedMs = now;
    outcome.lit = log.counts;
    outcome.litSpansMs = spans.spans;
    world.mode.drawing = wasDrawing;
    setGameMessagesSilenced(wasSilenced);
    return outcome;
}
