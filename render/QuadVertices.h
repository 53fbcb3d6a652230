#pragma once

#include "render/PixelRect.h"

#include <glm/glm.hpp>

#include <array>

// One quad as the interface draws take it: four corners, each a clip-space
// position (x, y, 0, 1) and texture coordinates (s, t).
struct QuadVertices {
    float positions[16];
    float uvs[8];
};

// A quad's corners in pixels, x from the left, y down from the top.
using PixelCorners = std::array<glm::vec2, 4>;

// The quad whose corners lie at `onScreen` on a screen of `screenSize`
// pixels and show the points `inTexture` of a texture of `textureSize`
// pixels. The corners must run clockwise on screen, as the screen quad's
// do, since front faces are culled. The interface program flips t, as
// picture rows arrive top row first, so the texture's row 0 is at t = 1.
QuadVertices quadVertices(const PixelCorners& onScreen, glm::ivec2 screenSize,
                          const PixelCorners& inTexture, glm::ivec2 textureSize);

// A rectangle of a texture drawn upright onto a rectangle of the screen:
// top-left, top-right, bottom-right, bottom-left.
QuadVertices quadVertices(PixelRect onScreen, glm::ivec2 screenSize, PixelRect inTexture,
                          glm::ivec2 textureSize);
