#include "render/FacingMark.h"

#include "render/Origin.h"
#include "render/HudLayout.h"
#include "render/InterfaceDraw.h"
#include "render/MarkerAtlas.h"

#include <glm/gtc/matrix_transform.hpp>

namespace {

// World units along the floor: the chevron's middle ahead of the mage's
// centre, clear of its robe, and its size.
const float AHEAD = 1.3f;
const float HALF_SPAN = 0.2f; // from its axis to either back corner
const float LENGTH = 0.26f;   // from its back corners to its tip
const float THICKNESS = 0.11f;
const float EDGE_WIDTH = 4.0f; // pixels of dark edge round it

} // namespace

glm::vec3 facingOnFloor(const glm::mat4& modelMatrix, const glm::mat4& orientation) {
    const glm::vec3 forward(orientation * glm::vec4(0.0f, 0.0f, 1.0f, 1.0f));
    const glm::vec3 step =
        originOf(modelMatrix * glm::translate(glm::mat4(1.0f), forward)) - originOf(modelMatrix);
    const glm::vec3 along(step.x, 0.0f, step.z);
    const float length = glm::length(along);
    return length > 0.0f ? along / length : glm::vec3(0.0f, 0.0f, 1.0f);
}

void drawFacingMark(const ShaderProgram& program, GLuint markerAtlas,
                    const glm::mat4& viewProjection, glm::vec3 mageAt, glm::vec3 facing) {
    const glm::vec3 ahead = facing, side(facing.z, 0.0f, -facing.x);
    const glm::vec3 back = glm::vec3(mageAt.x, 0.0f, mageAt.z) + ahead * (AHEAD - LENGTH * 0.5f);
    // The chevron's outline, going round it: its outer edge from one back
    // corner over the tip to the other, then its inner edge back.
    const glm::vec3 outline[6] = {back - side * HALF_SPAN,
                                  back + ahead * LENGTH,
                                  back + side * HALF_SPAN,
                                  back + side * HALF_SPAN - ahead * THICKNESS,
                                  back + ahead * (LENGTH - THICKNESS),
                                  back - side * HALF_SPAN - ahead * THICKNESS};
    float corners[24];
    projectToClip(viewProjection, outline, 6, corners);
    // Its two arms, as quads of the outline's corners.
    const int arms[8] = {0, 1, 4, 5, 1, 2, 3, 4};
    float armCorners[32];
    for (int i = 0; i < 8; ++i)
        for (int k = 0; k < 4; ++k)
            armCorners[4 * i + k] = corners[4 * arms[i] + k];

    const glm::vec2 edge = markerSolidPoint(hud::SOLID_EDGE);
    const glm::vec2 fill = markerSolidPoint(hud::SOLID_FACING);
    glLineWidth(EDGE_WIDTH);
    float uvs[16];
    pointUvs(edge.s, edge.t, 6, uvs);
    drawInterfaceVertices(program, markerAtlas, GL_LINE_LOOP, corners, uvs, 6);
    glLineWidth(1.0f);
    // Seen from any side: its winding on screen follows the camera.
    glDisable(GL_CULL_FACE);
    pointUvs(fill.s, fill.t, 8, uvs);
    drawInterfaceVertices(program, markerAtlas, GL_QUADS, armCorners, uvs, 8);
    glEnable(GL_CULL_FACE);
}
