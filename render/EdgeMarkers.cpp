#include "render/EdgeMarkers.h"

#include "render/HudLayout.h"
#include "render/InterfaceDraw.h"
#include "render/QuadVertices.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <vector>

namespace {

// The visible picture in pixels from the picture's centre, y up.
const float HALF_WIDTH = PICTURE_WIDTH * 0.5f;
const float HALF_HEIGHT = PICTURE_HEIGHT * 0.5f;
const float VISIBLE_TOP = HALF_HEIGHT;
const float VISIBLE_BOTTOM = HALF_HEIGHT - hud::BAR_TOP;

// A monster at the mage's side gets the largest marker, one across the
// arena the smallest (world units, pixels).
const float NEAR_DISTANCE = 2.0f;
const float FAR_DISTANCE = 12.0f;
const float NEAR_SIZE = 48.0f;
const float FAR_SIZE = 24.0f;

// How far from the centre, in steps of `d`, a line reaches the side of the
// span from `low` (below 0) to `high` (above 0) it heads for.
float reachAlong(float d, float low, float high) {
    if (d > 0.0f)
        return high / d;
    if (d < 0.0f)
        return low / d;
    return std::numeric_limits<float>::infinity();
}

// A rectangle of the atlas, by its corners in atlas pixels, laid onto the
// screen: `origin` is where the atlas point (0, 0) lands and `x`, `y` are the
// screen's steps in pixels (y down) for one atlas pixel along the atlas's
// rows and columns. Its corners go clockwise on screen, as the screen
// quad's do, since front faces are culled.
struct AtlasQuad {
    glm::vec2 low, high;
    glm::vec2 origin, x, y;
};

void appendQuad(const AtlasQuad& quad, std::vector<float>& positions, std::vector<float>& uvs) {
    const PixelCorners inAtlas = {quad.low, glm::vec2(quad.high.x, quad.low.y), quad.high,
                                  glm::vec2(quad.low.x, quad.high.y)};
    PixelCorners onScreen;
    for (size_t i = 0; i < inAtlas.size(); ++i)
        onScreen[i] = quad.origin + inAtlas[i].x * quad.x + inAtlas[i].y * quad.y;
    const QuadVertices vertices = quadVertices(onScreen, {PICTURE_WIDTH, PICTURE_HEIGHT}, inAtlas,
                                               {hud::MARKER_ATLAS_WIDTH, hud::MARKER_ATLAS_HEIGHT});
    positions.insert(positions.end(), std::begin(vertices.positions), std::end(vertices.positions));
    uvs.insert(uvs.end(), std::begin(vertices.uvs), std::end(vertices.uvs));
}

// The marker's body, turned so that its tip points toward the monster, and
// its symbol upright over the disc: only the painted parts of their cells.
void appendMarker(const EdgeMarker& marker, std::vector<float>& positions,
                  std::vector<float>& uvs) {
    const float scale = marker.size / (2.0f * hud::MARKER_DISC_RADIUS);
    const glm::vec2 along = scale * marker.place.toward, across(-along.y, along.x);
    const float left = static_cast<float>(marker.kind * hud::MARKER_CELL);
    const glm::vec2 disc(left + hud::MARKER_DISC_X, hud::MARKER_CELL * 0.5f);
    const float rim = hud::MARKER_DISC_RADIUS + hud::MARKER_MARGIN;
    const glm::vec2 bodyLow = disc - glm::vec2(rim);
    const glm::vec2 bodyHigh(left + hud::MARKER_TIP_X + hud::MARKER_MARGIN, disc.y + rim);
    appendQuad(
        {bodyLow, bodyHigh, marker.place.centre - disc.x * along - disc.y * across, along, across},
        positions, uvs);
    const glm::vec2 symbol((marker.kind + 0.5f) * hud::MARKER_CELL,
                           (hud::MARKER_SYMBOL_ROW + 0.5f) * hud::MARKER_CELL);
    const glm::vec2 half(static_cast<float>(hud::MARKER_SYMBOL_HALF));
    appendQuad({symbol - half, symbol + half, marker.place.centre - scale * symbol,
                glm::vec2(scale, 0.0f), glm::vec2(0.0f, scale)},
               positions, uvs);
}

} // namespace

EdgeMarkerPlace edgeMarkerPlace(glm::vec4 clip, float inset) {
    if (clip.w > 0.0f) {
        const float x = clip.x / clip.w * HALF_WIDTH, y = clip.y / clip.w * HALF_HEIGHT;
        if (x >= -HALF_WIDTH && x <= HALF_WIDTH && y >= VISIBLE_BOTTOM && y <= VISIBLE_TOP)
            return {false, glm::vec2(0.0f), glm::vec2(0.0f)};
    }
    // Dividing by w > 0 keeps the direction; by w < 0 it would turn it round.
    glm::vec2 direction(clip.x * HALF_WIDTH, clip.y * HALF_HEIGHT);
    if (std::fabs(direction.x) + std::fabs(direction.y) < 1e-6f)
        direction = glm::vec2(0.0f, -1.0f);
    const float reach =
        std::min(reachAlong(direction.x, -HALF_WIDTH + inset, HALF_WIDTH - inset),
                 reachAlong(direction.y, VISIBLE_BOTTOM + inset, VISIBLE_TOP - inset));
    const glm::vec2 at = reach * direction;
    const glm::vec2 toward = glm::normalize(direction);
    return {true, glm::vec2(HALF_WIDTH + at.x, HALF_HEIGHT - at.y), glm::vec2(toward.x, -toward.y)};
}

float edgeMarkerSize(float distance) {
    const float far =
        std::clamp((distance - NEAR_DISTANCE) / (FAR_DISTANCE - NEAR_DISTANCE), 0.0f, 1.0f);
    return NEAR_SIZE + (FAR_SIZE - NEAR_SIZE) * far;
}

// The body's tip, its farthest painted point, whichever way it turns.
float edgeMarkerInset(float size) {
    return size / (2.0f * hud::MARKER_DISC_RADIUS) *
           (hud::MARKER_TIP_X + hud::MARKER_MARGIN - hud::MARKER_DISC_X);
}

void drawEdgeMarkers(const ShaderProgram& program, GLuint atlas,
                     const std::vector<EdgeMarker>& markers) {
    std::vector<float> positions, uvs;
    for (const EdgeMarker& marker : markers)
        appendMarker(marker, positions, uvs);
    drawInterfaceVertices(program, atlas, GL_QUADS, positions.data(), uvs.data(),
                          static_cast<int>(positions.size() / 4));
}
