#include "render/StopMarks.h"

#include "render/EdgeMarkers.h"
#include "render/InterfaceDraw.h"
#include "render/MarkerAtlas.h"
#include "render/PictureSize.h"

#include <algorithm>

namespace {

const float EDGE_WIDTH = 3.0f;    // pixels: the dark edge under the square's line
const float LINE_WIDTH = 1.5f;    // pixels
const float ARRIVAL_SIZE = 24.0f; // pixels across an arrival pin's disc

// A floor point in picture pixels, x from the left, y down from the top;
// false behind the eye.
bool pictureAt(const glm::mat4& viewProjection, glm::vec3 point, glm::vec2& pixel) {
    const glm::vec4 clip = viewProjection * glm::vec4(point.x, 0.0f, point.z, 1.0f);
    if (clip.w <= 0.0f)
        return false;
    pixel = {(clip.x / clip.w + 1.0f) * 0.5f * PICTURE_WIDTH,
             (1.0f - clip.y / clip.w) * 0.5f * PICTURE_HEIGHT};
    return true;
}

} // namespace

void drawStopSquare(const ShaderProgram& program, GLuint markerAtlas,
                    const glm::mat4& viewProjection, glm::vec3 mageAt, float halfWidth) {
    const float r = halfWidth;
    const glm::vec3 centre(mageAt.x, 0.0f, mageAt.z);
    const glm::vec3 points[4] = {centre + glm::vec3(-r, 0, -r), centre + glm::vec3(r, 0, -r),
                                 centre + glm::vec3(r, 0, r), centre + glm::vec3(-r, 0, r)};
    float corners[16];
    projectToClip(viewProjection, points, 4, corners);
    const glm::vec2 edge = markerSolidPoint(hud::SOLID_EDGE);
    const glm::vec2 line = markerSolidPoint(hud::SOLID_STOP);
    drawOutline(program, markerAtlas, corners, 4,
                {edge.s, edge.t, line.s, line.t, EDGE_WIDTH, LINE_WIDTH});
}

void drawArrivalMarks(const ShaderProgram& program, GLuint markerAtlas,
                      const glm::mat4& viewProjection, glm::vec3 mageAt,
                      const std::vector<ArrivalMark>& arrivals) {
    glm::vec2 mage;
    if (arrivals.empty() || !pictureAt(viewProjection, mageAt, mage))
        return;
    // The nearest monster's pin is drawn last, over the others.
    std::vector<ArrivalMark> farthestFirst = arrivals;
    std::sort(farthestFirst.begin(), farthestFirst.end(),
              [](const ArrivalMark& a, const ArrivalMark& b) { return a.distance > b.distance; });
    std::vector<EdgeMarker> pins;
    for (const ArrivalMark& arrival : farthestFirst) {
        glm::vec2 at;
        if (!pictureAt(viewProjection, arrival.at, at) || glm::length(mage - at) < 1.0f)
            continue;
        pins.push_back({arrival.kind, {true, at, glm::normalize(mage - at)}, ARRIVAL_SIZE});
    }
    drawEdgeMarkers(program, markerAtlas, pins);
}
