#include "players/ScriptedPlayer.h"

#include "world/GameWorld.h"
#include "players/ScriptedKeys.h"
#include "game/Keys.h"
#include "game/Monster.h"
#include "game/MonsterCourse.h"
#include "game/Player.h"
#include "game/Rune.h"
#include "model/Model.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Where the technique stands beyond its rune: a monster coming straight at
// the mage from any side stops with its centre on the kill square.
const float LURE_DISTANCE = 0.45f;
// Where the expert stands: the monster crosses the square out of its reach.
const float EXPERT_LURE_DISTANCE = 0.95f;
const float ARRIVED = 0.06f;
const float ARENA_KEEP_IN = 6.3f;
// A little more than the rules' spacing of the runes, and a little less than
// their kill square: it wants to be sure.
const float RUNE_SPACING_WIDENING = 0.05f;
const float KILL_SQUARE_INSET = 0.02f;
// The expert keeps every monster at least this far, centre to centre.
const float EXPERT_CLEARANCE = 0.9f;
// A rune laid closer to its monster than this cannot be walked beyond in time.
const float EXPERT_LAY_DISTANCE = 1.6f;
// The expert lays its white rune only with no monster nearer than this.
const float QUIET_DISTANCE = 3.0f;
const int PREDICTION_STEP_MS = 5;
// Monsters nearer than this push a mage that keeps away.
const float CROWD_DISTANCE = 2.5f;
// The expert escapes along one of so many ways, judged this far ahead;
// ways that end beyond the roomy middle cost it.
const int ESCAPE_WAYS = 16;
const float ESCAPE_LOOK_AHEAD = 1.0f;
const float ROOMY_RADIUS = 4.5f;
const float EDGE_PENALTY = 3.0f;
// How long the technique steps back when stuck waiting, and how long a
// monster held off its rune makes it wait.
const int HELD_MS = 1000;
const int STEP_BACK_MS = 600;
// How far ahead a step is looked at for monsters in the way.
const float LOOK_AHEAD = 0.05f;

glm::vec2 xz(glm::vec3 v) {
    return {v.x, v.z};
}

glm::vec2 originXz(const glm::mat4& matrix) {
    return {matrix[3].x, matrix[3].z};
}

glm::vec2 unitOr(glm::vec2 v, glm::vec2 fallback) {
    return glm::length(v) > 1e-6f ? glm::normalize(v) : fallback;
}

bool withinSquare(glm::vec2 offset, float halfWidth) {
    return strictlyWithin(offset.x, offset.y, halfWidth);
}

bool onKillSquare(glm::vec2 offset) {
    return withinKillSquare(offset.x, offset.y, KILL_SQUARE_INSET);
}

// The floor point of the mage's (x, z) for the rules that take a position.
glm::vec3 floorPoint(glm::vec2 at) {
    return {at.x, 0.0f, at.y};
}

// Whether a monster walking straight for the mage stands on the square
// centred at `rune` at some moment from `fromMs` to `toMs` ms from now. It
// stops short of the mage, as the rules make it.
bool onSquareWithin(const Monster& monster, glm::vec2 mage, glm::vec2 rune, float fromMs,
                    float toMs) {
    const glm::vec2 start = originXz(monster.worldMatrix);
    const glm::vec2 way = unitOr(mage - start, glm::vec2(0.0f));
    const float speed = monsterWorldSpeed(monster);
    for (float t = fromMs; t <= toMs; t += PREDICTION_STEP_MS) {
        const glm::vec2 at = start + way * speed * t;
        if (withinSquare(at - mage, MONSTER_STOP_DISTANCE))
            return onKillSquare(at - rune);
        if (onKillSquare(at - rune))
            return true;
    }
    return false;
}

} // namespace

ScriptedPlayer::ScriptedPlayer(GameWorld& world, ScriptedKeys& keys, PlayStyle style)
    : world(world), keys(keys), style(style) {}

void ScriptedPlayer::chooseKeys(int now) {
    keys.releaseAll();
    const float frameMs = static_cast<float>(std::max(1, now - previousNow));
    previousNow = now;
    this->now = now;
    const bool setOff = style.expert ? setOffBeforeArrival(frameMs) : setOffLitRune(now);
    if (setOff || watchingLitBlast())
        return;
    if (style.expert && escapeByTeleport())
        return;
    Monster* threat = style.expert ? nextToCatch() : nearestThreat();
    if (style.expert && layWhiteRuneAside())
        return;
    if (threat != nullptr)
        pursue(*threat);
}

void ScriptedPlayer::press(int key) {
    keys.press(key);
}

glm::vec2 ScriptedPlayer::mage() const {
    return originXz(world.player->model->modelMatrix);
}

// The mage walks along its model's local -y axis.
glm::vec2 ScriptedPlayer::facing() const {
    const glm::vec4 ahead = world.player->model->modelMatrix * glm::vec4(0, -1, 0, 0);
    return unitOr(glm::vec2(ahead.x, ahead.z), glm::vec2(0, 1));
}

// Sets off a lit rune once the reaction time since it lit up has passed.
bool ScriptedPlayer::setOffLitRune(int now) {
    for (int colour = 0; colour < 3; ++colour) {
        if (!world.runeCues.ready[colour]) {
            litSince[colour] = -1;
            continue;
        }
        if (litSince[colour] < 0)
            litSince[colour] = now;
        if (now - litSince[colour] >= style.reactionMs) {
            press(RUNE_KEYS[colour]);
            litSince[colour] = -1;
            return true;
        }
    }
    return false;
}

// A rune set off while it was lit kills as long as the mage stands: the
// expert, which sets runes off by its own foresight, then stands too while
// the blast lasts.
bool ScriptedPlayer::watchingLitBlast() {
    if (litBlastWatched >= 0 && !world.player->trapState(litBlastWatched).blasting)
        litBlastWatched = -1;
    return litBlastWatched >= 0;
}

// The expert sets a rune off as soon as a monster of its colour will stand
// on it while the blast lasts, or waits a frame when a second one would
// then walk into the same blast.
bool ScriptedPlayer::setOffBeforeArrival(float frameMs) {
    for (int colour = 0; colour < 3; ++colour) {
        const Player::TrapState trap = world.player->trapState(colour);
        if (!trap.laid || trap.cooldown > 0.0f)
            continue;
        const glm::vec2 rune = xz(trap.laidAt);
        int now = 0, later = 0;
        bool lostByWaiting = false;
        for (const Monster* monster : world.monsters) {
            if (!monster->alive || monster->kind != colour)
                continue;
            const bool caughtNow =
                onSquareWithin(*monster, mage(), rune, frameMs, TRAP_BLAST_MS[colour]);
            const bool caughtLater = onSquareWithin(*monster, mage(), rune, 2.0f * frameMs,
                                                    TRAP_BLAST_MS[colour] + frameMs);
            now += caughtNow ? 1 : 0;
            later += caughtLater ? 1 : 0;
            lostByWaiting = lostByWaiting || (caughtNow && !caughtLater);
        }
        if (now > 0 && (later <= now || lostByWaiting)) {
            press(RUNE_KEYS[colour]);
            litBlastWatched = world.runeCues.ready[colour] ? colour : -1;
            return true;
        }
    }
    return false;
}

// The nearest living monster, keeping the one chased while it lives.
Monster* ScriptedPlayer::nearestThreat() {
    if (target != nullptr && target->alive)
        return target;
    target = nullptr;
    float best = 1e9f;
    for (Monster* monster : world.monsters) {
        const float distance = glm::length(originXz(monster->worldMatrix) - mage());
        if (monster->alive && distance < best) {
            best = distance;
            target = monster;
        }
    }
    return target;
}

// The expert catches first the monster that reaches it soonest among those
// whose rune it can use, the fastest kinds coming soonest.
Monster* ScriptedPlayer::nextToCatch() const {
    Monster* best = nullptr;
    float soonest = 1e9f;
    for (Monster* monster : world.monsters) {
        if (!monster->alive)
            continue;
        const Player::TrapState trap = world.player->trapState(monster->kind);
        const bool usable = trap.laid || mayLay(monster->kind);
        const float arrival =
            glm::length(originXz(monster->worldMatrix) - mage()) / monsterWorldSpeed(*monster);
        const float rank = usable ? arrival : arrival + 1e5f;
        if (rank < soonest) {
            soonest = rank;
            best = monster;
        }
    }
    return best;
}

// A trap rune of this colour may be laid where the mage stands now: its key
// acts, and the other runes keep their distance.
bool ScriptedPlayer::mayLay(int colour) const {
    const Player& p = *world.player;
    const Player::TrapState trap = p.trapState(colour);
    if (trap.laid || trap.blasting || p.runeFlags(colour).recharging || trap.cooldown > 0.0f)
        return false;
    return p.runeTooCloseAt(floorPoint(mage()), trap.rune, RUNE_SPACING_WIDENING) == NO_COLOUR;
}

void ScriptedPlayer::pursue(const Monster& threat) {
    const int colour = threat.kind;
    const Player::TrapState trap = world.player->trapState(colour);
    const glm::vec2 monster = originXz(threat.worldMatrix);
    if (trap.laid) {
        // Stand beyond the rune, so the monster's way to the mage crosses it.
        const glm::vec2 rune = xz(trap.laidAt);
        const glm::vec2 away = unitOr(rune - monster, glm::vec2(0, 1));
        const float lure = style.expert ? EXPERT_LURE_DISTANCE : LURE_DISTANCE;
        // A monster that cannot be outrun is led over its rune whatever
        // else comes near.
        const bool outrunnable = monsterWorldSpeed(threat) < mageSpeed();
        if (stuckWaiting(threat) || (style.expert && outrunnable && otherMonsterTooClose(threat)))
            keepAway(nearestMonster());
        else
            walkTo(rune + away * lure, &threat);
        return;
    }
    // The expert lays only where it can stand beyond the rune, and in time,
    // unless the monster cannot be outrun anyway.
    const glm::vec2 lurePoint =
        mage() + unitOr(mage() - monster, glm::vec2(0, 1)) * EXPERT_LURE_DISTANCE;
    const bool inTime = glm::length(monster - mage()) > EXPERT_LAY_DISTANCE ||
                        monsterWorldSpeed(threat) >= mageSpeed();
    const bool farEnough = !style.expert || (inTime && glm::length(lurePoint) < ARENA_KEEP_IN);
    if (mayLay(colour) && farEnough) {
        press(RUNE_KEYS[colour]);
        return;
    }
    keepAway(monster);
}

// Waiting beyond a rune that does not light while the monster lured stands
// still: held short of the rune by another monster standing on it, or
// beside the mage off the rune, having come in from the side. The mage
// steps away for a moment, so that they follow in a line, then lures again.
bool ScriptedPlayer::stuckWaiting(const Monster& threat) {
    const bool held = threat.stoodStill() && !world.runeCues.ready[threat.kind];
    heldSince = held ? (heldSince < 0 ? now : heldSince) : -1;
    if (heldSince >= 0 && now - heldSince > HELD_MS) {
        steppingBackUntil = now + STEP_BACK_MS;
        heldSince = -1;
    }
    return steppingBackUntil > now;
}

// Nothing to lay yet: walk away from the monster, staying in the arena.
void ScriptedPlayer::keepAway(glm::vec2 from) {
    if (style.expert) {
        walkTo(mage() + roomiestWay(), nullptr);
        return;
    }
    const glm::vec2 away = unitOr(mage() - from, glm::vec2(0, 1));
    glm::vec2 goal = mage() + away;
    if (glm::length(goal) > ARENA_KEEP_IN) {
        // Along the edge, the way that turns least from the monster.
        const glm::vec2 inward = -glm::normalize(goal);
        const glm::vec2 along(-inward.y, inward.x);
        const glm::vec2 side = glm::dot(along, away) >= 0.0f ? along : -along;
        goal = mage() + glm::normalize(side + inward * 0.5f);
    }
    walkTo(goal, nullptr);
}

// The expert's way out: of sixteen ways, the one whose step ahead leaves
// the nearest monster farthest, away from the arena's edge, where it would
// be cornered.
glm::vec2 ScriptedPlayer::roomiestWay() const {
    glm::vec2 best(0, 1);
    float bestScore = -1e9f;
    for (int i = 0; i < ESCAPE_WAYS; ++i) {
        const float a = 2.0f * 3.14159265f * i / ESCAPE_WAYS;
        const glm::vec2 way(std::cos(a), std::sin(a));
        const glm::vec2 ahead = mage() + way * ESCAPE_LOOK_AHEAD;
        float nearest = 1e9f;
        for (const Monster* monster : world.monsters) {
            if (monster->alive)
                nearest = std::fmin(nearest, glm::length(originXz(monster->worldMatrix) - ahead));
        }
        const float score = std::fmin(nearest, CROWD_DISTANCE) -
                            EDGE_PENALTY * std::fmax(0.0f, glm::length(ahead) - ROOMY_RADIUS);
        if (score > bestScore) {
            bestScore = score;
            best = way;
        }
    }
    return best;
}

// How far the mage walks in the world per ms.
float ScriptedPlayer::mageSpeed() const {
    return MAGE_WALK_SPEED * glm::length(glm::vec3(world.player->model->modelMatrix[0]));
}

glm::vec2 ScriptedPlayer::nearestMonster() const {
    glm::vec2 nearest(0.0f);
    float best = 1e9f;
    for (const Monster* monster : world.monsters) {
        const glm::vec2 at = originXz(monster->worldMatrix);
        if (monster->alive && glm::length(at - mage()) < best) {
            best = glm::length(at - mage());
            nearest = at;
        }
    }
    return nearest;
}

// The expert keeps clear of every monster but the one it lures.
bool ScriptedPlayer::otherMonsterTooClose(const Monster& lured) const {
    for (const Monster* monster : world.monsters) {
        if (monster->alive && monster != &lured &&
            glm::length(originXz(monster->worldMatrix) - mage()) < EXPERT_CLEARANCE)
            return true;
    }
    return false;
}

// The expert leaves a crowd for its white rune: two monsters or more close
// by and none about to die.
bool ScriptedPlayer::escapeByTeleport() {
    const Player& p = *world.player;
    if (!p.whitePlaced || p.whiteCooldown > 0.0f || p.isTeleporting())
        return false;
    int close = 0;
    for (const Monster* monster : world.monsters) {
        if (monster->alive && glm::length(originXz(monster->worldMatrix) - mage()) < 1.2f)
            ++close;
    }
    const glm::vec2 rune = xz(p.whiteRunePos);
    bool runeClear = glm::length(rune - mage()) > 3.0f;
    for (const Monster* monster : world.monsters)
        runeClear = runeClear &&
                    (!monster->alive || glm::length(originXz(monster->worldMatrix) - rune) > 2.0f);
    if (close < 2 || !runeClear)
        return false;
    press(RUNE_KEYS[RUNE_WHITE]);
    return true;
}

// While no monster is near, the expert lays its white rune where no other
// rune lies, to teleport back to from a crowd.
bool ScriptedPlayer::layWhiteRuneAside() {
    const Player& p = *world.player;
    if (p.whitePlaced || p.whiteRecharging || p.whiteCooldown > 0.0f ||
        glm::length(nearestMonster() - mage()) < QUIET_DISTANCE || glm::length(mage()) > 2.0f)
        return false;
    if (p.runeTooCloseAt(floorPoint(mage()), p.whiteRune, RUNE_SPACING_WIDENING) != NO_COLOUR)
        return false;
    press(RUNE_KEYS[RUNE_WHITE]);
    return true;
}

// Turns toward the goal and walks; backs up to a goal behind the mage. A
// way a monster blocks is walked round, the nearest free way first, but for
// the monster being lured, which is to come after the mage; with no way
// free, the mage jumps over.
void ScriptedPlayer::walkTo(glm::vec2 goal, const Monster* lured) {
    const glm::vec2 offset = goal - mage();
    if (glm::length(offset) < ARRIVED)
        return;
    bool free = true;
    const glm::vec2 direction = freeWayToward(glm::normalize(offset), lured, free);
    if (!free)
        press(GLFW_KEY_SPACE);
    const glm::vec2 f = facing();
    const bool backwards = glm::dot(f, direction) < 0.0f;
    const glm::vec2 along = backwards ? -f : f;
    const float turn =
        std::atan2(along.x * direction.y - along.y * direction.x, glm::dot(along, direction));
    if (std::fabs(turn) > glm::radians(3.0f))
        press(turn > 0.0f ? 'D' : 'A');
    if (std::fabs(turn) < glm::radians(30.0f))
        press(backwards ? 'S' : 'W');
}

// The way nearest to `wanted` in which a step leaves every monster out of
// the square in which it blocks the mage.
glm::vec2 ScriptedPlayer::freeWayToward(glm::vec2 wanted, const Monster* lured, bool& free) const {
    const float turns[] = {0.0f, 30.0f, -30.0f, 60.0f, -60.0f, 90.0f, -90.0f, 120.0f, -120.0f};
    for (float degrees : turns) {
        const float a = glm::radians(degrees);
        const glm::vec2 way(wanted.x * std::cos(a) - wanted.y * std::sin(a),
                            wanted.x * std::sin(a) + wanted.y * std::cos(a));
        if (!stepBlocked(mage() + way * LOOK_AHEAD, lured))
            return way;
    }
    free = false;
    return wanted;
}

bool ScriptedPlayer::stepBlocked(glm::vec2 to, const Monster* lured) const {
    if (glm::length(to) > ARENA_KEEP_IN + 0.5f)
        return true;
    for (const Monster* monster : world.monsters) {
        if (monster->alive && monster != lured &&
            withinSquare(originXz(monster->worldMatrix) - to, MONSTER_STOP_DISTANCE))
            return true;
    }
    return false;
}
