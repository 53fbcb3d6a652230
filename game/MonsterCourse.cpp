#include "game/MonsterCourse.h"

#include "game/Monster.h"
#include "render/Origin.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const float INFINITE_MS = std::numeric_limits<float>::infinity();

glm::vec2 floorOf(glm::vec3 point) {
    return {point.x, point.z};
}

// The distances along a ray at which it is strictly inside the open square
// of `halfWidth` about `centre`: the ray's entry and exit, empty when it
// misses the square.
TimeSpan rayThroughSquare(glm::vec2 from, glm::vec2 way, glm::vec2 centre, float halfWidth) {
    float enter = -INFINITE_MS, leave = INFINITE_MS;
    for (int axis = 0; axis < 2; ++axis) {
        const float low = centre[axis] - halfWidth - from[axis];
        const float high = centre[axis] + halfWidth - from[axis];
        if (way[axis] == 0.0f) {
            if (!(low < 0.0f && 0.0f < high))
                return {1.0f, 0.0f};
            continue;
        }
        const float a = low / way[axis], b = high / way[axis];
        enter = std::max(enter, std::min(a, b));
        leave = std::min(leave, std::max(a, b));
    }
    return {enter, leave};
}

// How far the monster walks before a step would bring it within
// MONSTER_STOP_DISTANCE of another living monster standing where it is now.
float freeLength(const Monster& monster, glm::vec2 from, glm::vec2 way,
                 const std::vector<Monster*>& crowd) {
    float free = INFINITE_MS;
    for (const Monster* other : crowd) {
        if (other == &monster || !other->alive)
            continue;
        const TimeSpan near = rayThroughSquare(from, way, floorOf(originOf(other->worldMatrix)),
                                               MONSTER_STOP_DISTANCE);
        if (!near.empty() && near.end > 0.0f)
            free = std::min(free, std::max(0.0f, near.begin));
    }
    return free;
}

} // namespace

float monsterWorldSpeed(const Monster& monster) {
    return 2.0f * monster.speed * glm::length(glm::vec3(monster.worldMatrix[0]));
}

MonsterCourse courseOf(const Monster& monster, glm::vec3 mage, const std::vector<Monster*>& crowd) {
    MonsterCourse course;
    course.from = floorOf(originOf(monster.worldMatrix));
    course.speed = monsterWorldSpeed(monster);
    if (!monster.alive || !monster.inArena)
        return course;
    const glm::vec2 toMage = floorOf(mage) - course.from;
    const float distance = glm::length(toMage);
    const float farther = std::max(std::fabs(toMage.x), std::fabs(toMage.y));
    if (!(farther >= MONSTER_STOP_DISTANCE) || distance <= 0.0f)
        return course;
    course.way = toMage / distance;
    // It walks until its centre is strictly inside the mage's square.
    course.length = distance * (1.0f - MONSTER_STOP_DISTANCE / farther);
    course.held = freeLength(monster, course.from, course.way, crowd) < course.length;
    return course;
}

bool courseClearFor(const MonsterCourse& course, const Monster& monster,
                    const std::vector<Monster*>& crowd, float ms) {
    const float walked = std::min(course.speed * ms, course.length);
    for (const Monster* other : crowd) {
        if (other == &monster || !other->alive)
            continue;
        const float reach = MONSTER_STOP_DISTANCE + monsterWorldSpeed(*other) * ms;
        const glm::vec2 at = floorOf(originOf(other->worldMatrix));
        const TimeSpan near = rayThroughSquare(course.from, course.way, at, reach);
        if (!near.empty() && near.end > 0.0f && near.begin <= walked)
            return false;
    }
    return true;
}

namespace {

TimeSpan timeWithinWalking(const MonsterCourse& course, glm::vec2 centre, float halfWidth) {
    const TimeSpan along = rayThroughSquare(course.from, course.way, centre, halfWidth);
    if (along.empty() || along.end <= 0.0f || along.begin >= course.length) {
        // Beyond its stop the monster stays where it stopped.
        const glm::vec2 offset = course.stop() - centre;
        const bool stopsInside = std::fabs(offset.x) < halfWidth && std::fabs(offset.y) < halfWidth;
        return stopsInside ? TimeSpan{course.speed > 0.0f ? course.length / course.speed : 0.0f,
                                      INFINITE_MS}
                           : TimeSpan{1.0f, 0.0f};
    }
    const float speed = std::max(course.speed, 1e-9f);
    const float begin = std::max(0.0f, along.begin) / speed;
    const float end = along.end >= course.length ? INFINITE_MS : along.end / speed;
    return {begin, end};
}

} // namespace

TimeSpan timeWithin(const MonsterCourse& course, glm::vec2 centre, float halfWidth) {
    const TimeSpan walking = timeWithinWalking(course, centre, halfWidth);
    if (!course.held || walking.empty())
        return walking;
    return walking.begin <= 0.0f ? walking : TimeSpan{1.0f, 0.0f};
}
