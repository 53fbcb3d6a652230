#include "render/HudCounters.h"

#include "render/HudLayout.h"
#include "render/InterfaceDraw.h"
#include "render/QuadVertices.h"

namespace {

// Draws a rectangle of the atlas, `width` by `height` pixels from `from`,
// onto the same-sized rectangle of the picture at `to`: pixel for pixel.
void drawAtlasRect(const ShaderProgram& program, GLuint atlas, hud::AtlasCell from,
                   hud::AtlasCell to, int width, int height) {
    const QuadVertices quad = quadVertices(PixelRect::sized(to.left, to.top, width, height),
                                           {PICTURE_WIDTH, PICTURE_HEIGHT},
                                           PixelRect::sized(from.left, from.top, width, height),
                                           {hud::ATLAS_WIDTH, hud::ATLAS_HEIGHT});
    drawInterfaceVertices(program, atlas, GL_QUADS, quad.positions, quad.uvs, 4);
}

} // namespace

void drawCounterNumber(const ShaderProgram& program, GLuint atlas, int value, int right, int top) {
    value = value > 0 ? value : 0;
    int left = right;
    do {
        left -= hud::DIGIT_WIDTH;
        const int digit = value % 10;
        drawAtlasRect(program, atlas, {digit * hud::DIGIT_WIDTH, 0}, {left, top}, hud::DIGIT_WIDTH,
                      hud::DIGIT_HEIGHT);
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
    drawAtlasRect(program, atlas, {0, hud::METER_ATLAS_TOP}, {hud::METER_LEFT, hud::METER_TOP},
                  width, hud::METER_HEIGHT);
}

void drawCounterLabel(const ShaderProgram& program, GLuint atlas, hud::AtlasCell cell,
                      hud::AtlasCell place) {
    drawAtlasRect(program, atlas, cell, place, hud::LABEL_WIDTH, hud::LABEL_HEIGHT);
}

void drawDemoBanner(const ShaderProgram& program, GLuint atlas) {
    drawAtlasRect(program, atlas, hud::DEMO_BANNER_CELL, hud::DEMO_BANNER_PLACE,
                  hud::DEMO_BANNER_WIDTH, hud::DEMO_BANNER_HEIGHT);
}
