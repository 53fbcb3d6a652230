// The rules of the game: strikes, blasts, dying monsters, victory and defeat.
#include "world/GameRules.h"

#include "world/FramePasses.h"
#include "world/GameWorld.h"

#include "game/Difficulty.h"
#include "game/GameMessages.h"
#include "game/Monster.h"
#include "game/Player.h"
#include "game/Rune.h"
#include "model/Model.h"
#include "render/Origin.h"

namespace {

const int DEATH_STEP_PACE = 3; // ms of deathStepTimer between two shrink steps

// A monster stands on the kill square of the trap rune of its own colour.
bool standsOnItsRune(const Monster* monster, const Player* player) {
    const int kind = monster->kind;
    return kind >= 0 && kind < TRAP_COLOURS && monster->isHitAt(player->trapState(kind).laidAt);
}

// A monster standing on the blast of the rune of its colour dies.
bool isBlastedByItsRune(const Monster* monster, const Player* player) {
    return standsOnItsRune(monster, player) && player->trapState(monster->kind).blasting;
}

int strikeDamage(const Difficulty& difficulty, int kind) {
    return kind >= 0 && kind < 3 ? difficulty.strikeDamage[kind] : 1;
}

// Strikes count even while paused: a monster already in reach with its
// cooldown spent still lands its blow.
void strikeIfInReach(GameWorld& world, Monster& monster) {
    if (!monster.inReach || monster.attackCooldown > 0)
        return;
    monster.attackCooldown = world.difficulty->strikeInterval;
    world.hitFlash = true;
    world.events.push_back(
        {GameEventKind::MONSTER_STRIKE, NO_COLOUR, originOf(monster.worldMatrix)});
    for (int point = 0; point < strikeDamage(*world.difficulty, monster.kind); ++point)
        world.player->hit();
}

// One timer paces the shrinking of every dying monster, so two dying at
// once share its steps.
void showDying(GameWorld& world, Monster& monster, int dt) {
    if (monster.deathTimer <= 0)
        return;
    monster.deathTimer -= dt;
    if (world.deathStepTimer < DEATH_STEP_PACE) {
        world.deathStepTimer += dt;
    } else {
        monster.shrinkStep();
        world.deathStepTimer = 0;
    }
    if (world.mode.drawing)
        monster.draw();
}

// The player's key for a trap rune would act now: the player's update runs
// and the rune is laid with its cooldown spent.
bool trapKeyWouldSetOff(const GameWorld& world, int colour) {
    const Player::TrapState trap = world.player->trapState(colour);
    return !world.paused && !world.gameOverShown && !world.player->isTeleporting() && trap.laid &&
           trap.cooldown <= 0.0f;
}

// The display blinks the icon of a rune whose key was refused, and shows
// the square of the rune that refused it.
void followPlayerEvents(GameWorld& world) {
    for (const GameEvent& event : world.player->events)
        world.refusals.note(event);
    world.events.insert(world.events.end(), world.player->events.begin(),
                        world.player->events.end());
    world.player->events.clear();
}

} // namespace

void playRules(GameWorld& world, int elapsed) {
    world.refusals.advance(elapsed);
    if (world.mode.drawing)
        beginShadowPass(world);
    world.updateMonsters(elapsed);
    if (world.mode.drawing)
        beginMainPass(world);
    world.updateMonsters(elapsed);
    world.updatePlayer(elapsed);
    judgeRuneReadiness(world, elapsed);
}

// Runs twice per frame (shadow and main pass) with the same dt, so monsters
// walk, count down and are judged against blasts twice per frame.
void GameWorld::updateMonsters(int dt) {
    if (player == nullptr)
        return;
    int deadCount = 0;
    for (uint32_t i = 0; i < monsters.size(); ++i) {
        Monster& monster = *monsters[i];
        if (!monster.alive) {
            ++deadCount;
            showDying(*this, monster, dt);
            continue;
        }
        monster.others = monsters;
        monster.ownIndex = i;
        if (!gameOverShown && !paused)
            monster.update(player->position, dt);
        if (mode.drawing)
            monster.draw();
        strikeIfInReach(*this, monster);
        // A monster may strike and die in the same run; it counts as dead
        // from the next run on.
        if (isBlastedByItsRune(&monster, player)) {
            monster.alive = false;
            events.push_back(
                {GameEventKind::MONSTER_DEATH, monster.kind, originOf(monster.worldMatrix)});
        }
    }
    if (deadCount == monsterTotal && !victory) {
        victory = true;
        printGameMessage("GAME OVER - VICTORY");
        events.push_back({GameEventKind::VICTORY, NO_COLOUR, glm::vec3(0.0f)});
    }
}

// The cues read the state the frame leaves, as if the mage stood where it
// stands: which runes would kill if set off now, which a monster is headed
// for, and where the monsters walking up will stop. A rune lighting up is
// an event, for its chime.
void judgeRuneReadiness(GameWorld& world, int frameMs) {
    if (world.player == nullptr)
        return;
    TrapCueInput traps[TRAP_COLOURS];
    for (int colour = 0; colour < TRAP_COLOURS; ++colour) {
        const Player::TrapState trap = world.player->trapState(colour);
        traps[colour] = {trap.laid, trapKeyWouldSetOff(world, colour), trap.laidAt,
                         TRAP_BLAST_MS[colour]};
    }
    bool wasReady[TRAP_COLOURS];
    std::copy(world.runeCues.ready, world.runeCues.ready + TRAP_COLOURS, wasReady);
    world.runeCues.pulseClock += frameMs;
    judgeRuneCues(world.runeCues, world.monsters, originOf(world.player->model->modelMatrix), traps,
                  frameMs);
    for (int colour = 0; colour < TRAP_COLOURS; ++colour) {
        if (world.runeCues.ready[colour] && !wasReady[colour])
            world.events.push_back(
                {GameEventKind::RUNE_READY, colour, world.player->trapState(colour).laidAt});
    }
}

void GameWorld::updatePlayer(int dt) {
    if (player == nullptr)
        return;
    const bool defeatBefore = defeat;
    if (player->lifePoints < 1)
        defeat = true;
    // A running teleport goes on while paused and after the game is over,
    // and past its 720 ms when long frames have left it unfinished.
    if (player->isTeleporting()) {
        player->teleportTime -= dt;
        player->teleportStep(static_cast<float>(dt));
    } else {
        player->monsters = monsters;
        if (!gameOverShown && !paused)
            player->update(static_cast<float>(dt));
    }
    followPlayerEvents(*this);
    if (defeat && !defeatBefore)
        events.push_back({GameEventKind::DEFEAT, NO_COLOUR, glm::vec3(0.0f)});
    if (mode.drawing)
        drawMage(*this);
}
