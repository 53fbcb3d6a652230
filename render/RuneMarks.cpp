#include "render/RuneMarks.h"

#include "game/Monster.h"
#include "render/HudLayout.h"
#include "render/InterfaceDraw.h"

namespace {

const float EDGE_WIDTH = 4.0f;    // pixels: the dark edge under the outline
const float OUTLINE_WIDTH = 2.0f; // pixels

// The kill square's corners in clip space, going round it. The blast kills
// within BLAST_REACH of the rune's centre along the world's x and z axes.
void killSquareCorners(const glm::mat4& viewProjection, glm::vec3 centre, float corners[16]) {
    const float r = BLAST_REACH;
    const glm::vec3 offsets[4] = {{-r, 0, -r}, {r, 0, -r}, {r, 0, r}, {-r, 0, r}};
    for (int i = 0; i < 4; ++i) {
        const glm::vec4 clip = viewProjection * glm::vec4(centre + offsets[i], 1.0f);
        for (int k = 0; k < 4; ++k)
            corners[4 * i + k] = clip[k];
    }
}

// The same atlas cell at all four corners: the shape takes its one colour.
void cellUvs(int column, int row, float uvs[8]) {
    const float s = (column * hud::MARK_CELL + hud::MARK_CELL * 0.5f) / hud::MARK_ATLAS_SIZE;
    const float t = 1.0f - (row * hud::MARK_CELL + hud::MARK_CELL * 0.5f) / hud::MARK_ATLAS_SIZE;
    for (int i = 0; i < 4; ++i) {
        uvs[2 * i] = s;
        uvs[2 * i + 1] = t;
    }
}

} // namespace

void drawRuneMark(const ShaderProgram& program, GLuint atlas, const glm::mat4& viewProjection,
                  const RuneMark& mark, bool brightPhase) {
    float corners[16];
    killSquareCorners(viewProjection, mark.centre, corners);
    float uvs[8];
    if (mark.ready) {
        // Seen from any side: the square's winding on screen follows the camera.
        glDisable(GL_CULL_FACE);
        cellUvs(brightPhase ? hud::MARK_FILL_BRIGHT : hud::MARK_FILL_DIM, mark.colour, uvs);
        drawInterfaceVertices(program, atlas, GL_QUADS, corners, uvs, 4);
        glEnable(GL_CULL_FACE);
    }
    glLineWidth(EDGE_WIDTH);
    cellUvs(hud::MARK_OUTLINE, hud::MARK_EDGE_ROW, uvs);
    drawInterfaceVertices(program, atlas, GL_LINE_LOOP, corners, uvs, 4);
    glLineWidth(OUTLINE_WIDTH);
    cellUvs(hud::MARK_OUTLINE, mark.colour, uvs);
    drawInterfaceVertices(program, atlas, GL_LINE_LOOP, corners, uvs, 4);
    glLineWidth(1.0f);
}
