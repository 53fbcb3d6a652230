#include "game/Player.h"

#include "game/GameMessages.h"
#include "game/Keys.h"
#include "game/FloorSquare.h"
#include "game/Monster.h"
#include "game/ParticleSystem.h"
#include "game/Rune.h"
#include "model/Animator.h"
#include "model/Model.h"
#include "render/Origin.h"
#include "render/Camera.h"

#include <glm/gtc/matrix_transform.hpp>

#include <cmath>

namespace {

const float TURN_SPEED = 0.3f;     // degrees per ms
const float CAMERA_SPEED = 0.003f; // world units per ms
const float ARENA_RADIUS = 7.2f;
const float MONSTER_SPACING = 0.3f;
const float JUMP_FLOOR = 0.23f; // jump steps move the mage only above this height
const float JUMP_PULL = 0.00003f;
const float LAY_COOLDOWN = 500.0f;
const float TRIGGER_COOLDOWN = 2000.0f;
// The camera reset looks at the mage as the camera starts out looking at
// the arena's centre.
const glm::vec3 CAMERA_OFFSET = CAMERA_START_EYE - CAMERA_START_TARGET;

const glm::mat4 IDENTITY(1.0f);

glm::mat4 turnAboutZ(float degrees) {
    return glm::rotate(IDENTITY, glm::radians(degrees), glm::vec3(0, 0, 1));
}

// Counts a timer down while it is above 0; true on the step it runs out.
bool countDown(float& timer, float dt) {
    if (timer <= 0)
        return false;
    timer -= dt;
    return timer <= 0;
}

} // namespace

Player::Player(Model* model, Rune* redRune, Rune* greenRune, Rune* blueRune, Rune* whiteRune)
    : model(model), camera(model->camera), redRune(redRune), greenRune(greenRune),
      blueRune(blueRune), whiteRune(whiteRune) {
    redRune->park();
    greenRune->park();
    blueRune->park();
    whiteRune->park();
    orientation = glm::rotate(orientation, glm::radians(90.0f), glm::vec3(1, 0, 0));
    orientation = glm::rotate(orientation, glm::radians(180.0f), glm::vec3(0, 0, 1));
}

Player::TrapRune Player::trap(int colour) {
    if (colour == RUNE_RED)
        return {redRune,      redPos,        redCooldown,  redPlaced, redActive,
                redBlastTime, redRecharging, RED_BLAST_MS, RUNE_RED};
    if (colour == RUNE_GREEN)
        return {greenRune,      greenPos,        greenCooldown,  greenPlaced, greenActive,
                greenBlastTime, greenRecharging, GREEN_BLAST_MS, RUNE_GREEN};
    return {blueRune,      bluePos,        blueCooldown,  bluePlaced, blueActive,
            blueBlastTime, blueRecharging, BLUE_BLAST_MS, RUNE_BLUE};
}

Player::TrapState Player::trapState(int colour) const {
    if (colour == RUNE_RED)
        return {redRune, redPlaced, redActive, redPos, redCooldown};
    if (colour == RUNE_GREEN)
        return {greenRune, greenPlaced, greenActive, greenPos, greenCooldown};
    return {blueRune, bluePlaced, blueActive, bluePos, blueCooldown};
}

Rune* Player::rune(int colour) const {
    Rune* const runes[RUNE_COLOURS] = {redRune, greenRune, blueRune, whiteRune};
    return colour >= 0 && colour < RUNE_COLOURS ? runes[colour] : nullptr;
}

Player::RuneFlags Player::runeFlags(int colour) const {
    if (colour == RUNE_RED)
        return {redPlaced, redRecharging};
    if (colour == RUNE_GREEN)
        return {greenPlaced, greenRecharging};
    if (colour == RUNE_BLUE)
        return {bluePlaced, blueRecharging};
    return {whitePlaced, whiteRecharging};
}

void Player::update(float dt) {
    countDownTimers(dt);

    position = originOf(model->modelMatrix);
    forward = glm::vec3(orientation * glm::vec4(0, 0, 1, 1));

    glm::vec3 eye = camera->eye;
    glm::vec3 target = camera->target;
    moveCamera(dt, eye, target);

    glm::vec3 walk(0.0f);
    glm::mat4 turn(1.0f);
    readWalkKeys(dt, walk, turn);
    handleRuneKeys();
    handleCameraToggles(eye, target);
    handleJumpKey(dt);
    applyWalk(dt, walk, eye, target);
    // A turn is never blocked.
    model->multiplyModelMatrix(turn);
    orientation = orientation * turn;

    camera->eye = eye;
    camera->target = target;
}

// The mage animates while any walk or turn key is down, even when they
// cancel each other out.
void Player::readWalkKeys(float dt, glm::vec3& walk, glm::mat4& turn) {
    bool moved = false;
    if (isKeyDown('W')) {
        walk += MAGE_WALK_SPEED * dt * forward;
        moved = true;
    }
    if (isKeyDown('S')) {
        walk -= MAGE_WALK_SPEED * dt * forward;
        moved = true;
    }
    if (isKeyDown('A')) {
        turn = turn * turnAboutZ(-TURN_SPEED * dt);
        moved = true;
    }
    if (isKeyDown('D')) {
        turn = turn * turnAboutZ(TURN_SPEED * dt);
        moved = true;
    }
    if (moved) {
        model->createAnimator();
    } else if (model->animator != nullptr) {
        delete model->animator;
        model->animator = nullptr;
    }
}

void Player::handleCameraToggles(glm::vec3& eye, glm::vec3& target) {
    if (isKeyDown('C') && followToggleDelay <= 0) {
        followToggleDelay = DEBOUNCE_MS;
        cameraFollow = !cameraFollow;
    }
    if (isKeyDown('X') && cameraResetDelay <= 0) {
        eye += (position - camera->eye) + CAMERA_OFFSET;
        target = position;
        cameraResetDelay = DEBOUNCE_MS;
    }
}

void Player::handleJumpKey(float dt) {
    if (!isKeyDown(GLFW_KEY_SPACE) || jumpElapsed < jumpDuration)
        return;
    jumpElapsed = 0;
    jumpVelocity = glm::vec3(0, 0, -0.009f);
    jumpTakeOffHeight = position.y;
    // The first step lifts the mage whatever its height.
    model->multiplyModelMatrix(glm::translate(IDENTITY, dt * jumpVelocity));
}

// A jumping mage passes over monsters but stays inside the arena disc; there
// is no sliding along the edge.
void Player::applyWalk(float dt, glm::vec3 walk, glm::vec3& eye, glm::vec3& target) {
    glm::vec3 candidate = originOf(model->modelMatrix * glm::translate(IDENTITY, walk));
    bool blocked = false;
    if (jumpElapsed < jumpDuration) {
        int steps = static_cast<int>(dt);
        jumpElapsed += steps;
        jumpStep(steps);
    } else {
        blocked = walkIsBlocked(candidate);
    }
    if (blocked ||
        !(std::sqrt(candidate.x * candidate.x + candidate.z * candidate.z) < ARENA_RADIUS))
        return;
    if (cameraFollow) {
        glm::vec3 shift = originOf(model->modelMatrix * glm::translate(IDENTITY, walk)) -
                          originOf(model->modelMatrix);
        eye += shift;
        target += shift;
    }
    model->multiplyModelMatrix(glm::translate(IDENTITY, walk));
}

void Player::countDownTimers(float dt) {
    for (int colour : MAGE_RUNE_ORDER) {
        if (colour != RUNE_WHITE)
            countDownTrap(trap(colour), dt);
        else if (countDown(whiteCooldown, dt))
            whiteRecharging = false;
    }
    countDown(followToggleDelay, dt);
    countDown(cameraResetDelay, dt);
}

// The recharging flag clears with the cooldown, later than the blast ends.
void Player::countDownTrap(TrapRune trap, float dt) {
    if (countDown(trap.cooldown, dt))
        trap.recharging = false;
    if (countDown(trap.blastTime, dt)) {
        trap.active = false;
        trap.rune->placed = false;
        trap.rune->park();
        trap.rune->particles->resetAll();
    }
}

// The camera vectors are taken once, before any key acts.
void Player::moveCamera(float dt, glm::vec3& eye, glm::vec3& target) const {
    glm::vec3 f = glm::normalize(target - eye);
    glm::vec3 s(f.z, 0, -f.x);
    glm::vec3 u(f.x * f.y, -(f.x * f.x + f.z * f.z), f.y * f.z);
    float k = CAMERA_SPEED * dt;
    if (isKeyDown(GLFW_KEY_UP))
        eye += k * f;
    if (isKeyDown(GLFW_KEY_DOWN))
        eye -= k * f;
    if (isKeyDown(GLFW_KEY_RIGHT)) {
        eye -= k * s;
        target -= k * s;
    }
    if (isKeyDown(GLFW_KEY_LEFT)) {
        eye += k * s;
        target += k * s;
    }
    if (isKeyDown(GLFW_KEY_KP_6))
        eye += k * s;
    if (isKeyDown(GLFW_KEY_KP_4))
        eye -= k * s;
    if (isKeyDown(GLFW_KEY_KP_8))
        eye -= k * u;
    if (isKeyDown(GLFW_KEY_KP_2))
        eye += k * u;
}

bool Player::walkIsBlocked(glm::vec3 candidate) const {
    for (const Monster* monster : monsters) {
        if (monster->alive && strictlyWithin(monster->position.x - candidate.x,
                                             monster->position.z - candidate.z, MONSTER_SPACING))
            return true;
    }
    return false;
}

void Player::jumpStep(int dt) {
    if (!(position.y > JUMP_FLOOR))
        return;
    int quotient = jumpElapsed / jumpDuration;
    jumpVelocity.z += dt * JUMP_PULL * std::cos(static_cast<float>(quotient));
    glm::vec3 step = static_cast<float>(dt) * jumpVelocity;
    // Falling on past the take-off height would sink a mage that stands
    // above the jump floor into the ground: it lands where it took off.
    float height = originOf(model->modelMatrix).y;
    float next = originOf(model->modelMatrix * glm::translate(IDENTITY, step)).y;
    if (next < jumpTakeOffHeight)
        step *= height > jumpTakeOffHeight ? (height - jumpTakeOffHeight) / (height - next) : 0.0f;
    model->multiplyModelMatrix(glm::translate(IDENTITY, step));
}

void Player::handleRuneKeys() {
    for (int colour : MAGE_RUNE_ORDER) {
        if (colour == RUNE_WHITE)
            handleWhiteKey();
        else
            handleTrapKey(RUNE_KEYS[colour], trap(colour));
    }
}

// Runes keep 0.7 apart: the mage may not lay one inside the open square of
// half-width 0.7 around any of the other three.
int Player::runeTooCloseAt(glm::vec3 at, const Rune* rune, float widening) const {
    for (int colour = 0; colour < RUNE_COLOURS; ++colour) {
        const Rune* other = this->rune(colour);
        if (other != rune && strictlyWithin(at.x - other->position.x, at.z - other->position.z,
                                            RUNE_SPACING + widening))
            return colour;
    }
    return NO_COLOUR;
}

// A refusal says so once per press: the event blinks the rune's icon and
// buzzes, and when another rune stands too close (`cause`), shows its square.
void Player::refuse(int colour, int cause) {
    if (runeKeys[colour].refuse())
        events.push_back({GameEventKind::RUNE_REFUSED, colour, position, cause});
}

bool Player::layAllowedOrRefused(const Rune* rune, int colour) {
    const int tooClose = runeTooCloseAt(position, rune);
    if (tooClose == NO_COLOUR)
        return true;
    refuse(colour, tooClose);
    return false;
}

bool Player::cooldownSpentOrRefused(float cooldown, int colour) {
    if (cooldown <= 0)
        return true;
    refuse(colour, NO_COLOUR);
    return false;
}

void Player::handleTrapKey(int key, TrapRune trap) {
    if (!runeKeys[trap.colour].read(isKeyDown(key)) ||
        !cooldownSpentOrRefused(trap.cooldown, trap.colour))
        return;
    if (!trap.placed) {
        if (!layAllowedOrRefused(trap.rune, trap.colour))
            return;
        runeKeys[trap.colour].acted();
        trap.rune->moveTo(position.x, position.y, position.z);
        trap.rune->placed = true;
        trap.laidPos = position;
        trap.placed = true;
        trap.cooldown = LAY_COOLDOWN;
        events.push_back({GameEventKind::RUNE_LAID, trap.colour, trap.laidPos});
        return;
    }
    runeKeys[trap.colour].acted();
    // The rune itself stays placed, so it keeps being drawn while it blasts.
    trap.rune->particles->burst();
    trap.blastTime = trap.blastLength;
    trap.placed = false;
    trap.active = true;
    trap.cooldown = TRIGGER_COOLDOWN;
    trap.recharging = true;
    events.push_back({GameEventKind::RUNE_SET_OFF, trap.colour, trap.laidPos});
}

void Player::hit() {
    if (lifePoints <= 0)
        return;
    --lifePoints;
    printGameMessage("lifePoints - 1");
    if (lifePoints == 0)
        printGameMessage("GAME OVER - DEFEAT");
}
