#include "render/QuadVertices.h"

namespace {

PixelCorners cornersOf(PixelRect r) {
    const float left = static_cast<float>(r.left), right = static_cast<float>(r.right);
    const float top = static_cast<float>(r.top), bottom = static_cast<float>(r.bottom);
    return {glm::vec2(left, top), glm::vec2(right, top), glm::vec2(right, bottom),
            glm::vec2(left, bottom)};
}

} // namespace

QuadVertices quadVertices(const PixelCorners& onScreen, glm::ivec2 screenSize,
                          const PixelCorners& inTexture, glm::ivec2 textureSize) {
    QuadVertices quad;
    for (int i = 0; i < 4; ++i) {
        const glm::vec2 pixel = onScreen[i], texel = inTexture[i];
        quad.positions[4 * i] = 2.0f * pixel.x / screenSize.x - 1.0f;
        quad.positions[4 * i + 1] = 1.0f - 2.0f * pixel.y / screenSize.y;
        quad.positions[4 * i + 2] = 0.0f;
        quad.positions[4 * i + 3] = 1.0f;
        quad.uvs[2 * i] = texel.x / textureSize.x;
        quad.uvs[2 * i + 1] = 1.0f - texel.y / textureSize.y;
    }
    return quad;
}

QuadVertices quadVertices(PixelRect onScreen, glm::ivec2 screenSize, PixelRect inTexture,
                          glm::ivec2 textureSize) {
    return quadVertices(cornersOf(onScreen), screenSize, cornersOf(inTexture), textureSize);
}
