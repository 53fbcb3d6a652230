#pragma once

#include <glm/glm.hpp>

// Where a sound is heard from, in the mixer's terms: the bearing in degrees
// clockwise from straight ahead (0 ahead, 90 right, 270 left) and the
// distance from 0 (full volume) to 255 (all but silent).
struct SoundPlacement {
    int angle = 0;
    int distance = 0;
};

// Within this many world units of the camera's eye a sound plays at full
// volume: a little more than the resting camera's distance to the mage, so
// everything at the mage's feet is heard in full.
const float FULL_VOLUME_DISTANCE = 7.5f;

// A sound at `where` as the camera hears it, with its eye at `eye` looking at
// `target`: the bearing in the horizontal plane, and a volume that falls as
// one over the distance beyond FULL_VOLUME_DISTANCE.
SoundPlacement placeSound(glm::vec3 eye, glm::vec3 target, glm::vec3 where);
