#include "render/RuneMarks.h"

#include "render/HudLayout.h"
#include "render/InterfaceDraw.h"
#include "render/MarkerAtlas.h"

namespace {

const float EDGE_WIDTH = 4.0f;    // pixels: the dark edge under the outline
const float OUTLINE_WIDTH = 2.0f; // pixels
const float HEADED_EDGE_WIDTH = 7.0f;
const float HEADED_OUTLINE_WIDTH = 4.0f;
// A spacing square is drawn bolder than a kill square, which it may enclose.
const float SPACING_EDGE_WIDTH = 6.0f;
const float SPACING_OUTLINE_WIDTH = 3.0f;

// A square on the floor in clip space, its corners going round it: within
// `halfWidth` of `centre` along the world's x and z axes.
void squareCorners(const glm::mat4& viewProjection, glm::vec3 centre, float halfWidth,
                   float corners[16]) {
    const float r = halfWidth;
    const glm::vec3 points[4] = {centre + glm::vec3(-r, 0, -r), centre + glm::vec3(r, 0, -r),
                                 centre + glm::vec3(r, 0, r), centre + glm::vec3(-r, 0, r)};
    projectToClip(viewProjection, points, 4, corners);
}

// The centre of a cell of the rune marks atlas.
glm::vec2 cellPoint(int column, int row) {
    return {(column * hud::MARK_CELL + hud::MARK_CELL * 0.5f) / hud::MARK_ATLAS_SIZE,
            1.0f - (row * hud::MARK_CELL + hud::MARK_CELL * 0.5f) / hud::MARK_ATLAS_SIZE};
}

} // namespace

void drawRuneMark(const ShaderProgram& program, GLuint atlas, const glm::mat4& viewProjection,
                  const RuneMark& mark, bool brightPhase) {
    float corners[16];
    squareCorners(viewProjection, mark.centre, mark.halfWidth, corners);
    if (mark.ready) {
        // Seen from any side: the square's winding on screen follows the camera.
        glDisable(GL_CULL_FACE);
        const glm::vec2 fill =
            cellPoint(brightPhase ? hud::MARK_FILL_BRIGHT : hud::MARK_FILL_DIM, mark.colour);
        float uvs[8];
        pointUvs(fill.s, fill.t, 4, uvs);
        drawInterfaceVertices(program, atlas, GL_QUADS, corners, uvs, 4);
        glEnable(GL_CULL_FACE);
    }
    const glm::vec2 edge = cellPoint(hud::MARK_OUTLINE, hud::MARK_EDGE_ROW);
    const glm::vec2 outline =
        cellPoint(mark.headed ? hud::MARK_HEADED : hud::MARK_OUTLINE, mark.colour);
    drawOutline(program, atlas, corners, 4,
                {edge.s, edge.t, outline.s, outline.t, mark.headed ? HEADED_EDGE_WIDTH : EDGE_WIDTH,
                 mark.headed ? HEADED_OUTLINE_WIDTH : OUTLINE_WIDTH});
}

void drawSpacingSquare(const ShaderProgram& program, GLuint markerAtlas,
                       const glm::mat4& viewProjection, int colour, glm::vec3 centre,
                       float halfWidth) {
    float corners[16];
    squareCorners(viewProjection, centre, halfWidth, corners);
    const glm::vec2 edge = markerSolidPoint(hud::SOLID_EDGE);
    const glm::vec2 outline = markerSolidPoint(hud::SOLID_SPACING_FIRST + colour);
    drawOutline(program, markerAtlas, corners, 4,
                {edge.s, edge.t, outline.s, outline.t, SPACING_EDGE_WIDTH, SPACING_OUTLINE_WIDTH});
}
