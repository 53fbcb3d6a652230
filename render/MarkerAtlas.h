#pragma once

#include "render/HudLayout.h"

#include <glm/glm.hpp>

// Texture coordinates in the fight's marks atlas, as the interface program
// takes them: the picture's row 0 at t = 1.
inline glm::vec2 markerAtlasPoint(float x, float y) {
    return {x / hud::MARKER_ATLAS_WIDTH, 1.0f - y / hud::MARKER_ATLAS_HEIGHT};
}

// The centre of a solid cell, where a sample takes its one colour alone.
inline glm::vec2 markerSolidPoint(int cell) {
    return markerAtlasPoint(hud::MARKER_SOLID_LEFT + (cell + 0.5f) * hud::MARKER_SOLID,
                            hud::MARKER_SOLID * 0.5f);
}
