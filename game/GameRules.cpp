// The rules of the game: strikes, blasts, dying monsters, victory and defeat.
#include "app/GameWorld.h"

#include "game/Difficulty.h"
#include "game/GameMessages.h"
#include "game/Monster.h"
#include "game/Player.h"
#include "model/Model.h"
#include "model/Origin.h"

namespace {

const int DEATH_STEP_PACE = 3; // ms of deathStepTimer between two shrink steps

const int TRAP_COLOURS = 3; // red, green and blue runes kill monster kinds 0, 1 and 2

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
    if (world.drawing)
        monster.draw();
}

// The player's key for a trap rune would act now: the player's update runs
// and the rune is laid with its cooldown spent.
bool trapKeyWouldSetOff(const GameWorld& world, int colour) {
    const Player::TrapState trap = world.player->trapState(colour);
    return !world.paused && !world.gameOverShown && !world.player->isTeleporting() && trap.laid &&
           trap.cooldown <= 0.0f;
}

} // namespace

void GameWorld::playRules(int elapsed) {
    if (drawing)
        beginShadowPass();
    updateMonsters(elapsed);
    if (drawing)
        beginMainPass();
    updateMonsters(elapsed);
    updatePlayer(elapsed);
    judgeRuneReadiness();
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
        if (drawing)
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

// A laid trap rune is ready while its key, pressed now, would set it off
// and the blast would kill: the key would act, and the hit rule holds for a
// living monster of the rune's colour that stands still, held by the mage's
// nearness or by another monster. One that is walking over the square may
// have left it by the time a key pressed on seeing the cue is read.
void GameWorld::judgeRuneReadiness() {
    if (player == nullptr)
        return;
    bool ready[TRAP_COLOURS] = {false, false, false};
    for (const Monster* monster : monsters) {
        if (monster->alive && monster->stoodStill() && standsOnItsRune(monster, player) &&
            trapKeyWouldSetOff(*this, monster->kind))
            ready[monster->kind] = true;
    }
    for (int colour = 0; colour < TRAP_COLOURS; ++colour) {
        if (ready[colour] && !runeReady[colour])
            events.push_back({GameEventKind::RUNE_READY, colour, player->trapState(colour).laidAt});
        runeReady[colour] = ready[colour];
    }
}

// The display blinks the icon of a rune whose key was refused, and shows
// the square of the rune that refused it.
void GameWorld::followPlayerEvents() {
    for (const GameEvent& event : player->events) {
        if (event.kind != GameEventKind::RUNE_REFUSED)
            continue;
        iconBlinkTime[event.colour] = REFUSED_BLINK_MS;
        spacingSquareColour = event.cause;
        spacingSquareTime = SPACING_SQUARE_MS;
    }
    events.insert(events.end(), player->events.begin(), player->events.end());
    player->events.clear();
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
    followPlayerEvents();
    if (defeat && !defeatBefore)
        events.push_back({GameEventKind::DEFEAT, NO_COLOUR, glm::vec3(0.0f)});
    if (drawing)
        player->model->draw();
}

void Player::hit() {
    if (lifePoints <= 0)
        return;
    --lifePoints;
    printGameMessage("lifePoints - 1");
    if (lifePoints == 0)
        printGameMessage("GAME OVER - DEFEAT");
}
