#pragma once

#include <glm/glm.hpp>

// Where a sound is heard from: the bearing in degrees clockwise from straight
// ahead (0 ahead, 90 right, 270 left), and the volume its distance leaves it
// (1 near, falling toward 0 far away).
struct SoundPlacement {
    int angle = 0;
    float volume = 1.0f;
};

// Within this many world units of the camera's eye a sound plays at full
// volume: a little more than the resting camera's distance to the mage, so
// everything at the mage's feet is heard in full.
const float FULL_VOLUME_DISTANCE = 7.5f;

// A sound at `where` as the camera hears it, with its eye at `eye` looking at
// `target`: the bearing in the horizontal plane, and a volume that falls as
// one over the distance beyond FULL_VOLUME_DISTANCE.
SoundPlacement placeSound(glm::vec3 eye, glm::vec3 target, glm::vec3 where);

// The gain of each side for a placed sound. The head shades the ear turned
// away: a sound straight ahead or behind is as loud on both sides, one off
// to a side is heard on that side only, and between the two the far ear's
// gain goes linearly with the bearing. The volume scales both.
struct StereoGain {
    float left = 1.0f;
    float right = 1.0f;
};
StereoGain stereoGainOf(SoundPlacement placement);
