#include "app/SoundPlacement.h"

#include <cmath>

namespace {

const float DEGREES_PER_RADIAN = 57.2957795f;
const float FARTHEST = 255.0f; // the mixer's distance scale

int distanceFor(float worldDistance) {
    if (worldDistance <= FULL_VOLUME_DISTANCE)
        return 0;
    const float volume = FULL_VOLUME_DISTANCE / worldDistance;
    return static_cast<int>(std::lround(FARTHEST * (1.0f - volume)));
}

} // namespace

SoundPlacement placeSound(glm::vec3 eye, glm::vec3 target, glm::vec3 where) {
    SoundPlacement placement;
    placement.distance = distanceFor(glm::length(where - eye));

    const glm::vec3 ahead(target.x - eye.x, 0.0f, target.z - eye.z);
    const glm::vec3 toward(where.x - eye.x, 0.0f, where.z - eye.z);
    if (glm::length(ahead) == 0.0f || glm::length(toward) == 0.0f)
        return placement; // straight down, or right under the eye: ahead
    // The screen's right as the view matrix (glm::lookAt) lays it out; as
    // long as `ahead`, since both lie in the floor plane at right angles.
    const glm::vec3 right = glm::cross(ahead, glm::vec3(0.0f, 1.0f, 0.0f));
    const float bearing =
        std::atan2(glm::dot(toward, right), glm::dot(toward, ahead)) * DEGREES_PER_RADIAN;
    placement.angle = static_cast<int>(std::lround(bearing + 360.0f)) % 360;
    return placement;
}
