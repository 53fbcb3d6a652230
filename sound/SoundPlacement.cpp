#include "sound/SoundPlacement.h"

#include "game/Angles.h"

#include <cmath>
#include <cstdlib>

SoundPlacement placeSound(glm::vec3 eye, glm::vec3 target, glm::vec3 where) {
    SoundPlacement placement;
    const float distance = glm::length(where - eye);
    if (distance > FULL_VOLUME_DISTANCE)
        placement.volume = FULL_VOLUME_DISTANCE / distance;

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

StereoGain stereoGainOf(SoundPlacement placement) {
    const int angle = ((placement.angle % 360) + 360) % 360;
    // 1 straight ahead or behind, 0 at the side the sound comes from.
    const float farEar = std::abs(angle % 180 - 90) / 90.0f;
    StereoGain gain;
    if (angle < 180)
        gain.left = farEar; // from the right
    else
        gain.right = farEar;
    gain.left *= placement.volume;
    gain.right *= placement.volume;
    return gain;
}
