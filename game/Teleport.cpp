// The white rune: laying it, and carrying the mage back to it.
#include "game/Player.h"

#include "game/Keys.h"
#include "game/Angles.h"
#include "game/Rune.h"
#include "model/Model.h"
#include "render/Origin.h"
#include "render/Camera.h"

#include <glm/gtc/matrix_transform.hpp>

#include <cmath>

namespace {

const float TURN_DEAD_ZONE = 2.0f; // degrees
const float SHRINK = 0.99f;
const float GROW = 1.0101009607315063f; // 1 / 0.99
const float SINK = 0.005f;              // model units per frame, along local z (down)
const float WHITE_LAY_COOLDOWN = 1000.0f;
const float WHITE_TELEPORT_COOLDOWN = 5000.0f;

const glm::mat4 IDENTITY(1.0f);

} // namespace

void Player::handleWhiteKey() {
    if (!runeKeys[RUNE_WHITE].read(isKeyDown(RUNE_KEYS[RUNE_WHITE])) ||
        !cooldownSpentOrRefused(whiteCooldown, RUNE_WHITE))
        return;
    if (whitePlaced) {
        runeKeys[RUNE_WHITE].acted();
        startTeleport();
        return;
    }
    if (!layAllowedOrRefused(whiteRune, RUNE_WHITE))
        return;
    runeKeys[RUNE_WHITE].acted();
    whiteRune->moveTo(position.x, position.y, position.z);
    whiteRune->placed = true;
    whiteRunePos = position;
    whitePlaced = true;
    whiteCooldown = WHITE_LAY_COOLDOWN;
    events.push_back({GameEventKind::RUNE_LAID, RUNE_WHITE, whiteRunePos});
}

// The offset d as a step in the mage's own frame, scaled so that it covers d
// in the world under the current model matrix. Only horizontal offsets are
// handed in: the mage's local x and y span the floor.
glm::vec3 Player::localStepFor(glm::vec3 d) const {
    glm::vec3 e(-d.x, -d.z, 0.0f);
    glm::vec3 q(model->modelMatrix * glm::translate(IDENTITY, e) * glm::vec4(0, 0, 0, 1));
    float worldLength = std::sqrt((position.z - q.z) * (position.z - q.z) +
                                  (position.x - q.x) * (position.x - q.x));
    return (glm::length(e) / worldLength) * e;
}

// Only the horizontal offset to the rune counts: a rune laid in mid-jump, or
// a teleport begun in mid-jump, must not carry the mage off the floor plane
// or out of the arena. Standing right above or on the rune does nothing.
void Player::startTeleport() {
    glm::vec3 d(whiteRunePos.x - position.x, 0.0f, whiteRunePos.z - position.z);
    if (d.x == 0 && d.z == 0)
        return;
    glm::vec3 e = localStepFor(d);

    // The mage's facing and the direction to the rune, in the same plane.
    glm::vec4 m = orientation * glm::rotate(IDENTITY, glm::radians(45.0f), glm::vec3(0, 0, 1)) *
                  glm::vec4(1, 1, 1, 1);
    glm::vec3 a = glm::normalize(glm::vec3(m.x, m.z, 0));
    glm::vec3 b = glm::normalize(glm::vec3(e.x, e.y, 0));
    float a1 = degreesFromCosine(b.x * a.x + b.y * a.y);
    float a2 = degreesFromCosine(b.x * a.y - b.y * a.x);
    float a3 = degreesFromCosine(b.y * a.x - b.x * a.y);
    teleportTurn = IDENTITY;
    if (a1 > TURN_DEAD_ZONE) {
        float angle = a3 <= a2 ? a1 : -a1;
        teleportTurn = glm::rotate(IDENTITY, glm::radians(angle), glm::vec3(0, 0, 1));
    }

    teleportCameraShift = cameraFollow ? d : glm::vec3(0.0f);
    teleportTime = TELEPORT_MS;
    shrinkTime = TELEPORT_SINK_MS;
    growTime = TELEPORT_RISE_MS;
    teleportDelta = d;
    unmatchedShrinkFrames = 0;
    whitePlaced = false;
    whiteRecharging = true;
    whiteCooldown = WHITE_TELEPORT_COOLDOWN;
    // The mage sinks where it stands.
    events.push_back({GameEventKind::TELEPORT_SINK, NO_COLOUR, originOf(model->modelMatrix)});
}

// The mage sinks and shrinks, is turned toward the rune and carried onto it,
// then rises and grows back.
void Player::teleportStep(float dt) {
    if (shrinkTime > 0) {
        model->multiplyModelMatrix(glm::scale(IDENTITY, glm::vec3(SHRINK)));
        model->multiplyModelMatrix(glm::translate(IDENTITY, glm::vec3(0, 0, SINK)));
        ++unmatchedShrinkFrames;
        shrinkTime = static_cast<int>(shrinkTime - dt);
        if (shrinkTime <= 0) {
            jumpToWhiteRune();
            // ...and rises where the white rune lies.
            events.push_back(
                {GameEventKind::TELEPORT_RISE, NO_COLOUR, originOf(model->modelMatrix)});
        }
    } else if (growTime > 0) {
        growStep();
        growTime = static_cast<int>(growTime - dt);
        if (growTime <= 0) {
            // Frame times decide how many frames each phase gets; without
            // evening them out every teleport would leave the mage a little
            // smaller or larger, and lower or higher, than before.
            while (unmatchedShrinkFrames > 0)
                growStep();
            while (unmatchedShrinkFrames < 0)
                undoGrowStep();
            whiteRune->placed = false;
            whiteRune->park();
        }
    }
}

void Player::growStep() {
    model->multiplyModelMatrix(glm::scale(IDENTITY, glm::vec3(GROW)));
    model->multiplyModelMatrix(glm::translate(IDENTITY, glm::vec3(0, 0, -SINK)));
    --unmatchedShrinkFrames;
}

void Player::undoGrowStep() {
    model->multiplyModelMatrix(glm::translate(IDENTITY, glm::vec3(0, 0, SINK)));
    model->multiplyModelMatrix(glm::scale(IDENTITY, glm::vec3(SHRINK)));
    ++unmatchedShrinkFrames;
}

void Player::jumpToWhiteRune() {
    // Measured again: the shrinking has changed the scale since the set-up.
    float distance = glm::length(localStepFor(teleportDelta));
    model->multiplyModelMatrix(teleportTurn);
    orientation = orientation * teleportTurn;
    model->multiplyModelMatrix(glm::translate(IDENTITY, glm::vec3(0, -distance, 0)));
    camera->eye += teleportCameraShift;
    camera->target += teleportCameraShift;
}
