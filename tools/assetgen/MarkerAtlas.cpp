#include "MarkerAtlas.h"

#include "Image.h"
#include "RuneGlyph.h"
#include "render/HudLayout.h"

#include <cmath>
#include <vector>

namespace {

const glm::vec4 DARK(0.04f, 0.03f, 0.06f, 0.85f);
const glm::vec4 SYMBOL(1.0f, 1.0f, 1.0f, 1.0f);
const glm::vec4 FACING(1.0f, 0.88f, 0.45f, 1.0f);
// Faint: the square round the mage is always there.
const glm::vec4 STOP(0.95f, 0.95f, 0.9f, 0.55f);
const float SYMBOL_STROKE = 3.5f;  // thick enough to read at the smallest marker
const float SYMBOL_OUTLINE = 2.5f; // dark on either side of a stroke
const float SMOOTHING = 1.0f;      // pixels of soft edge a shape may spill
// A rune's glyph reaches three quarters of its size from its centre.
const float SYMBOL_REACH =
    (hud::MARKER_SYMBOL_HALF - SMOOTHING - SYMBOL_STROKE * 0.5f - SYMBOL_OUTLINE) / 0.75f;

// A disc with a tip pointing right, as a pin lies on its side: the disc of
// `radius` about `centre` and the triangle from its two tangents to `tip`.
void pin(Image& image, glm::vec2 centre, float radius, float tipX, glm::vec4 colour) {
    const float reach = tipX - centre.x;
    const float tangent = std::acos(radius / reach);
    const glm::vec2 side(std::cos(tangent) * radius, std::sin(tangent) * radius);
    image.disc(centre.x, centre.y, radius, colour);
    image.polygon(
        {centre + glm::vec2(side.x, -side.y), glm::vec2(tipX, centre.y), centre + side, centre},
        colour);
}

// The marker's body for monster kind `kind`: its colour on a dark rim, so it
// reads on the pale floor and the dark sky alike.
void markerBody(Image& image, int kind) {
    const float left = static_cast<float>(kind * hud::MARKER_CELL);
    const glm::vec2 centre(left + hud::MARKER_DISC_X, hud::MARKER_CELL * 0.5f);
    const float radius = hud::MARKER_DISC_RADIUS, tipX = left + hud::MARKER_TIP_X;
    // The rim keeps its width at the tip, whose half-angle is asin(r / reach),
    // where it reaches farthest: to the margin, less the smoothing.
    const float tipHalfAngle = std::asin(radius / (tipX - centre.x));
    const float tipRim = hud::MARKER_MARGIN - SMOOTHING;
    pin(image, centre, radius + tipRim * std::sin(tipHalfAngle), tipX + tipRim, DARK);
    pin(image, centre, radius, tipX, RUNE_COLOURS[kind]);
}

// The kind's symbol: the glyph of the rune that kills it, white on a dark
// outline, so that it tells the kinds apart without their colours.
void markerSymbol(Image& image, int kind) {
    const float cx = (kind + 0.5f) * hud::MARKER_CELL;
    const float cy = (hud::MARKER_SYMBOL_ROW + 0.5f) * hud::MARKER_CELL;
    runeGlyph(image, kind, cx, cy, SYMBOL_REACH, DARK, SYMBOL_STROKE + 2.0f * SYMBOL_OUTLINE);
    runeGlyph(image, kind, cx, cy, SYMBOL_REACH, SYMBOL, SYMBOL_STROKE);
}

void solid(Image& image, int cell, glm::vec4 colour) {
    const int x = hud::MARKER_SOLID_LEFT + cell * hud::MARKER_SOLID;
    image.fillRect(x, 0, x + hud::MARKER_SOLID, hud::MARKER_SOLID, colour);
}

} // namespace

Image markerAtlas() {
    Image image(hud::MARKER_ATLAS_WIDTH, hud::MARKER_ATLAS_HEIGHT, glm::vec4(0.0f));
    for (int kind = 0; kind < 3; ++kind) {
        markerBody(image, kind);
        markerSymbol(image, kind);
    }
    solid(image, hud::SOLID_EDGE, DARK);
    solid(image, hud::SOLID_FACING, FACING);
    for (int rune = 0; rune < 4; ++rune)
        solid(image, hud::SOLID_SPACING_FIRST + rune, RUNE_COLOURS[rune]);
    solid(image, hud::SOLID_STOP, STOP);
    return image;
}
