#pragma once

// The rules judge nearness on the floor by squares along the world's x and
// z axes: a point lies strictly within the square of half-width `halfWidth`
// about a centre when both its offsets from the centre are less than that.
// A rune's kill square, the runes' spacing, a monster's reach and where it
// stops, and the monsters' spacing all use it.
inline bool strictlyWithin(float dx, float dz, float halfWidth) {
    return -halfWidth < dx && dx < halfWidth && -halfWidth < dz && dz < halfWidth;
}
