#include "Models.h"
#include "WorldFit.h"
#include "game/Monster.h"
#include "game/Rune.h"

#include <cmath>

namespace {

const float PI = 3.14159265358979f;
const float RUNE_RADIUS = 0.3f;
// Heights above the floor; far enough apart for the depth buffer at the
// camera's distances, low enough to read as lying on the floor.
const float RUNE_DISC_HEIGHT = 0.008f;
const float RUNE_RING_HEIGHT = 0.011f;
const float RUNE_FRAME_HEIGHT = 0.017f;
const float RUNE_GLYPH_HEIGHT = 0.02f;
const float RUNE_FRAME_WIDTH = 0.022f;

glm::vec3 runeColour(RuneColour colour) {
    switch (colour) {
    case RED_RUNE:
        return {1.0f, 0.3f, 0.22f};
    case GREEN_RUNE:
        return {0.35f, 1.0f, 0.3f};
    case BLUE_RUNE:
        return {0.3f, 0.6f, 1.0f};
    case WHITE_RUNE:
        break;
    }
    return {1.0f, 1.0f, 1.0f};
}

const char* colourName(RuneColour colour) {
    const char* names[4] = {"Red", "Green", "Blue", "White"};
    return names[colour];
}

using Strokes = std::vector<std::pair<glm::vec2, glm::vec2>>;

// Each colour has its own glyph, drawn as strokes on the disc (x, z).
Strokes glyph(RuneColour colour) {
    const float r = 0.17f;
    switch (colour) {
    case RED_RUNE: { // a flame: a triangle over a stem
        const glm::vec2 top(0.0f, -r), left(-0.13f, 0.08f), right(0.13f, 0.08f);
        return {{left, right}, {right, top}, {top, left}, {{0.0f, -0.02f}, {0.0f, 0.17f}}};
    }
    case GREEN_RUNE: // a branch
        return {{{0.0f, r}, {0.0f, -r}},
                {{0.0f, -0.02f}, {-0.12f, -0.13f}},
                {{0.0f, -0.02f}, {0.12f, -0.13f}},
                {{0.0f, 0.08f}, {-0.09f, 0.0f}},
                {{0.0f, 0.08f}, {0.09f, 0.0f}}};
    case BLUE_RUNE: { // a snowflake of three crossing strokes
        Strokes strokes;
        for (int i = 0; i < 3; ++i) {
            const float a = PI * i / 3.0f;
            const glm::vec2 d(r * std::sin(a), r * std::cos(a));
            strokes.push_back({-d, d});
        }
        return strokes;
    }
    case WHITE_RUNE: // a diamond around a cross: the anchor of the teleport
        break;
    }
    return {{{0.0f, -r}, {r, 0.0f}},         {{r, 0.0f}, {0.0f, r}},
            {{0.0f, r}, {-r, 0.0f}},         {{-r, 0.0f}, {0.0f, -r}},
            {{-0.07f, 0.0f}, {0.07f, 0.0f}}, {{0.0f, -0.07f}, {0.0f, 0.07f}}};
}

// The square a trap rune's blast kills in, bright, framed and carrying the
// glyph in the rune's dark shade: exactly the blast's reach either side of
// the centre, along the world's axes (the rune model turns with nothing).
void trapFace(MeshBuilder& b, glm::vec3 c) {
    const float reach = BLAST_REACH;
    b.color = glm::vec4(c * 1.1f, 0.92f);
    b.flatStrip({-reach, 0.0f}, {reach, 0.0f}, 2.0f * reach, RUNE_FACE_HEIGHT);
    b.color = glm::vec4(glm::mix(c, glm::vec3(1.0f), 0.3f) * 1.3f, 1.0f);
    const float inset = reach - 0.5f * RUNE_FRAME_WIDTH;
    b.flatStrip({-reach, -inset}, {reach, -inset}, RUNE_FRAME_WIDTH, RUNE_FRAME_HEIGHT);
    b.flatStrip({-reach, inset}, {reach, inset}, RUNE_FRAME_WIDTH, RUNE_FRAME_HEIGHT);
    b.flatStrip({-inset, -inset}, {-inset, inset}, RUNE_FRAME_WIDTH, RUNE_FRAME_HEIGHT);
    b.flatStrip({inset, -inset}, {inset, inset}, RUNE_FRAME_WIDTH, RUNE_FRAME_HEIGHT);
    b.color = glm::vec4(c * 0.22f, 1.0f);
}

// The teleport anchor kills nothing: a ring of ticks around a glowing glyph.
void anchorFace(MeshBuilder& b, glm::vec3 c) {
    for (int i = 0; i < 8; ++i) {
        const float a = PI * (i + 0.5f) / 4.0f;
        const glm::vec2 d(std::sin(a), std::cos(a));
        b.color = glm::vec4(glm::mix(c, glm::vec3(1.0f), 0.35f) * 1.3f, 1.0f);
        b.flatStrip(d * 0.2f, d * 0.245f, 0.02f, RUNE_GLYPH_HEIGHT);
    }
    // Above 1 on purpose: the dim scene light then still leaves the glyph glowing.
    b.color = glm::vec4(glm::mix(c, glm::vec3(1.0f), 0.35f) * 1.3f, 1.0f);
}

} // namespace

BuiltModel buildRune(RuneColour colour) {
    BuiltModel built;
    XModel& model = built.model;
    model.name = std::string(colourName(colour)) + "Rune";
    model.vertexColors = true;
    model.materials.push_back({glm::vec4(runeColour(colour), 1.0f), ""});
    MeshBuilder b(model.mesh);
    b.fixedNormal = glm::vec3(0.0f, 1.0f, 0.0f);
    const glm::vec3 c = runeColour(colour);
    // Dim decoration around the face: a disc and its ring.
    b.color = glm::vec4(c * 0.3f, 0.6f);
    b.flatDisc(RUNE_DISC_HEIGHT, RUNE_RADIUS - 0.04f, 24);
    const bool trap = colour != WHITE_RUNE;
    b.color = trap ? glm::vec4(c * 0.45f, 0.8f) : glm::vec4(c, 0.95f);
    b.flatRing(RUNE_RING_HEIGHT, RUNE_RADIUS - 0.045f, RUNE_RADIUS, 24);
    if (trap)
        trapFace(b, c);
    else
        anchorFace(b, c);
    // Glyphs are drawn with their top towards +z, away from the start camera.
    for (const auto& stroke : glyph(colour))
        b.flatStrip(stroke.first * glm::vec2(1.0f, -1.0f), stroke.second * glm::vec2(1.0f, -1.0f),
                    0.035f, RUNE_GLYPH_HEIGHT);
    // The model origin is the rune's centre on the floor: laying the rune
    // moves that point to the mage's feet and keeps its height.
    model.placement.axes = uprightAxes();
    if (!fitExactly(model, 1.0f, glm::vec3(0.0f), runePlacement()))
        built.error = "no scale lays the rune flat on the floor";
    return built;
}

BuiltModel buildParticle(RuneColour colour) {
    BuiltModel built;
    XModel& model = built.model;
    model.name = std::string(colourName(colour)) + "Particle";
    model.vertexColors = true;
    model.materials.push_back({glm::vec4(runeColour(colour), 1.0f), ""});
    MeshBuilder b(model.mesh);
    // Lit from straight above whatever way it turns, so every face glows alike.
    b.fixedNormal = glm::vec3(0.0f, 1.0f, 0.0f);
    // Brighter than 1 so the lit gem still glows in the dim scene light.
    b.color = glm::vec4(glm::mix(runeColour(colour), glm::vec3(1.0f), 0.25f) * 1.4f, 0.9f);
    // A small gem set above the model origin. The load scales by one over the
    // bounds' size (about 0.55 here), and the fountain rises about 1.1 times
    // that scale in world units while each gem shows about 0.12 across.
    const float radius = 0.56f;
    b.ellipsoid({0.0f, 1.5f * radius, 0.0f}, glm::vec3(radius), 2, 4);
    return built;
}
