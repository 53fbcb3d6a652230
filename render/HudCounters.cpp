#include "render/HudCounters.h"

#include "render/HudLayout.h"
#include "render/InterfaceDraw.h"

namespace {

// A rectangle in pixels, row 0 at the top.
struct PixelRect {
    int left;
    int top;
    int width;
    int height;
};

// Draws a rectangle of the atlas onto the same-sized rectangle of the screen.
// The corners run clockwise on screen, as the screen quad's do, since front
// faces are culled.
void drawAtlasRect(const ShaderProgram& program, GLuint atlas, PixelRect from, PixelRect to) {
    const float x0 = 2.0f * to.left / PICTURE_WIDTH - 1.0f;
    const float x1 = 2.0f * (to.left + to.width) / PICTURE_WIDTH - 1.0f;
    const float y0 = 1.0f - 2.0f * to.top / PICTURE_HEIGHT;
    const float y1 = 1.0f - 2.0f * (to.top + to.height) / PICTURE_HEIGHT;
    const float positions[16] = {x0, y0, 0, 1, x1, y0, 0, 1, x1, y1, 0, 1, x0, y1, 0, 1};
    // The interface program flips t, as picture rows arrive top row first.
    const float s0 = static_cast<float>(from.left) / hud::ATLAS_WIDTH;
    const float s1 = static_cast<float>(from.left + from.width) / hud::ATLAS_WIDTH;
    const float t0 = 1.0f - static_cast<float>(from.top) / hud::ATLAS_HEIGHT;
    const float t1 = 1.0f - static_cast<float>(from.top + from.height) / hud::ATLAS_HEIGHT;
    const float uvs[8] = {s0, t0, s1, t0, s1, t1, s0, t1};

    drawInterfaceVertices(program, atlas, GL_QUADS, positions, uvs, 4);
}

} // namespace

void drawCounterNumber(const ShaderProgram& program, GLuint atlas, int value, int right, int top) {
    value = value > 0 ? value : 0;
    int left = right;
    do {
        left -= hud::DIGIT_WIDTH;
        const int digit = value % 10;
        drawAtlasRect(program, atlas,
                      {digit * hud::DIGIT_WIDTH, 0, hud::DIGIT_WIDTH, hud::DIGIT_HEIGHT},
                      {left, top, hud::DIGIT_WIDTH, hud::DIGIT_HEIGHT});
        value /= 10;
    } while (value > 0);
}

int lifeMeterPips(int lifePoints, int fullLife) {
    if (lifePoints <= 0 || fullLife <= 0)
        return 0;
    const int pips = (lifePoints * hud::METER_PIPS + fullLife - 1) / fullLife;
    return pips < hud::METER_PIPS ? pips : hud::METER_PIPS;
}

void drawLifeMeter(const ShaderProgram& program, GLuint atlas, int lifePoints, int fullLife) {
    const int width = hud::meterWidth(lifeMeterPips(lifePoints, fullLife));
    if (width <= 0)
        return;
    drawAtlasRect(program, atlas, {0, hud::METER_ATLAS_TOP, width, hud::METER_HEIGHT},
                  {hud::METER_LEFT, hud::METER_TOP, width, hud::METER_HEIGHT});
}

void drawCounterLabel(const ShaderProgram& program, GLuint atlas, hud::AtlasCell cell,
                      hud::AtlasCell place) {
    drawAtlasRect(program, atlas, {cell.left, cell.top, hud::LABEL_WIDTH, hud::LABEL_HEIGHT},
                  {place.left, place.top, hud::LABEL_WIDTH, hud::LABEL_HEIGHT});
}

void drawDemoBanner(const ShaderProgram& program, GLuint atlas) {
    const hud::AtlasCell cell = hud::DEMO_BANNER_CELL, place = hud::DEMO_BANNER_PLACE;
    drawAtlasRect(program, atlas,
                  {cell.left, cell.top, hud::DEMO_BANNER_WIDTH, hud::DEMO_BANNER_HEIGHT},
                  {place.left, place.top, hud::DEMO_BANNER_WIDTH, hud::DEMO_BANNER_HEIGHT});
}
