#include "game/Monster.h"

#include "game/Angles.h"
#include "model/Model.h"
#include "render/Origin.h"

#include <glm/gtc/matrix_transform.hpp>

#include <cmath>

namespace {

const float TURN_DEAD_ZONE = 2.0f; // degrees
const float REACH_DISTANCE = 0.5f;
const float SPACING = 0.3f;
const float ARENA_HALF_WIDTH = 7.2f;

} // namespace

Monster::Monster(Model* model, glm::mat4 placement) : model(model) {
    model->createAnimator();
    facing = glm::vec3(glm::rotate(glm::mat4(1.0f), glm::radians(90.0f), glm::vec3(1, 0, 0)) *
                       glm::vec4(0, 0, 1, 1));
    worldMatrix = model->modelMatrix * placement;
}

void Monster::update(glm::vec3 target, int32_t elapsed) {
    position = originOf(worldMatrix);
    if (inArena)
        chase(target, elapsed);
    else
        walkIn(target, elapsed);
}

void Monster::chase(glm::vec3 target, int32_t elapsed) {
    if (attackCooldown > 0)
        attackCooldown -= elapsed;
    float dx = target.x - position.x;
    float dz = target.z - position.z;
    inReach = strictlyWithin(dx, dz, REACH_DISTANCE);

    // World x and z become x and y of the creation frame.
    glm::vec3 direction(0.0f);
    if (dx != 0 || dz != 0)
        direction = glm::vec3(dx, dz, 0) / std::sqrt(dz * dz + dx * dx);
    turnToward(direction);

    glm::vec3 step(0, -speed * elapsed, 0);
    bool free = stepIsFree(step);
    if (!strictlyWithin(dx, dz, MONSTER_STOP_DISTANCE) && free)
        worldMatrix = glm::translate(worldMatrix, step);
}

void Monster::walkIn(glm::vec3 target, int32_t elapsed) {
    glm::vec3 toCentre(-position.x, -position.z, 0);
    float distance = glm::length(toCentre);
    turnToward(distance > 0 ? toCentre / distance : glm::vec3(0.0f));

    glm::vec3 step(0, -speed * elapsed, 0);
    bool free = stepIsFree(step);
    float dx = target.x - position.x;
    float dz = target.z - position.z;
    if (!strictlyWithin(dx, dz, MONSTER_STOP_DISTANCE) && free)
        worldMatrix = glm::translate(worldMatrix, step);

    if (std::fabs(position.x) < ARENA_HALF_WIDTH && std::fabs(position.z) < ARENA_HALF_WIDTH)
        inArena = true;
}

// Turns the whole way at once, unless already within 2 degrees. A zero
// direction (standing exactly on the target) gives no turn.
void Monster::turnToward(glm::vec3 direction) {
    if (direction == glm::vec3(0.0f))
        return;
    float a0 = angleBetween(facing, direction);
    float a1 = angleBetween(facing, glm::vec3(-direction.y, direction.x, direction.z));
    float a2 = angleBetween(facing, glm::vec3(direction.y, -direction.x, direction.z));
    if (!(a0 > TURN_DEAD_ZONE))
        return;
    float angle = a2 <= a1 ? a0 : -a0;
    glm::mat4 turn = glm::rotate(glm::mat4(1.0f), glm::radians(angle), glm::vec3(0, 0, 1));
    facing = glm::vec3(turn * glm::vec4(facing, 1));
    worldMatrix = worldMatrix * turn;
}

bool Monster::stepIsFree(glm::vec3 step) const {
    glm::vec3 candidate = originOf(glm::translate(worldMatrix, step));
    for (uint32_t i = 0; i < others.size(); ++i) {
        const Monster* other = others[i];
        if (i == ownIndex || !other->alive)
            continue;
        if (strictlyWithin(other->position.x - candidate.x, other->position.z - candidate.z,
                           SPACING))
            return false;
    }
    return true;
}

void Monster::draw() {
    model->modelMatrix = worldMatrix;
    model->draw();
    model->restoreModelMatrix();
}

bool Monster::isHitAt(glm::vec3 point) const {
    return withinKillSquare(point.x - position.x, point.z - position.z);
}

bool Monster::stoodStill() const {
    return originOf(worldMatrix) == position;
}

void Monster::shrinkStep() {
    worldMatrix = glm::scale(worldMatrix, glm::vec3(0.99f));
    worldMatrix = glm::translate(worldMatrix, glm::vec3(0, 0, 0.03f));
}

int countSlain(const std::vector<Monster*>& monsters) {
    int slain = 0;
    for (const Monster* monster : monsters)
        slain += monster->alive ? 0 : 1;
    return slain;
}
