#include "RuneGlyph.h"

#include "Image.h"

#include <cmath>

namespace {
const float PI = 3.14159265358979f;
}


void runeGlyph(Image& image, int rune, float cx, float cy, float r, glm::vec4 color, float width) {
    const float w = width > 0.0f ? width : r * 0.16f;
    auto at = [&](float x, float y) { return glm::vec2(cx + x * r, cy + y * r); };
    switch (rune) {
    case 0:
        image.line(at(-0.6f, 0.35f), at(0.6f, 0.35f), w, color);
        image.line(at(0.6f, 0.35f), at(0.0f, -0.75f), w, color);
        image.line(at(0.0f, -0.75f), at(-0.6f, 0.35f), w, color);
        image.line(at(0.0f, -0.1f), at(0.0f, 0.75f), w, color);
        break;
    case 1:
        image.line(at(0.0f, -0.75f), at(0.0f, 0.75f), w, color);
        image.line(at(0.0f, -0.1f), at(-0.5f, -0.55f), w, color);
        image.line(at(0.0f, -0.1f), at(0.5f, -0.55f), w, color);
        image.line(at(0.0f, 0.35f), at(-0.4f, 0.0f), w, color);
        image.line(at(0.0f, 0.35f), at(0.4f, 0.0f), w, color);
        break;
    case 2:
        for (int i = 0; i < 3; ++i) {
            const float a = PI * i / 3.0f;
            image.line(at(-0.75f * std::sin(a), -0.75f * std::cos(a)),
                       at(0.75f * std::sin(a), 0.75f * std::cos(a)), w, color);
        }
        break;
    default:
        image.line(at(0.0f, -0.75f), at(0.75f, 0.0f), w, color);
        image.line(at(0.75f, 0.0f), at(0.0f, 0.75f), w, color);
        image.line(at(0.0f, 0.75f), at(-0.75f, 0.0f), w, color);
        image.line(at(-0.75f, 0.0f), at(0.0f, -0.75f), w, color);
        image.line(at(-0.3f, 0.0f), at(0.3f, 0.0f), w, color);
        image.line(at(0.0f, -0.3f), at(0.0f, 0.3f), w, color);
        break;
    }
}
