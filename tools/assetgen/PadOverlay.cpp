#include "PadOverlay.h"

#include "ControlRows.h"
#include "PictureStyle.h"
#include "TextRenderer.h"
#include "render/PictureSize.h"

#include <algorithm>
#include <string>

namespace {

const glm::vec4 CHROME(0.86f, 0.85f, 0.8f, 1.0f);
const glm::vec4 DARK(0.1f, 0.09f, 0.13f, 0.95f);
const glm::vec4 YELLOW(0.98f, 0.84f, 0.25f, 1.0f);
const float RADIUS = 8.0f;    // of a face button and of a stick
const float GAP = 6.0f;       // between two glyphs of a row
const float KEYS_GAP = 12.0f; // between a row's pad buttons and its keys

// Draws the glyphs of the pad, each by its left edge and the middle of its
// row; `width` measures one without drawing it.
class PadPainter {
  public:
    PadPainter(Image& image, TextRenderer& bold, TextRenderer& regular)
        : image(image), bold(bold), regular(regular) {}

    float width(PadGlyph glyph) { return paint(glyph, 0.0f, 0.0f, false); }
    void draw(PadGlyph glyph, float left, float middle) { paint(glyph, left, middle, true); }
    // Start beside the prompt to play, in the prompt's size.
    void drawLargePill(const char* label, float left, float middle) {
        pill(label, left, middle, true, 16);
    }

  private:
    float paint(PadGlyph glyph, float left, float middle, bool drawing) {
        switch (glyph) {
        case PadGlyph::A:
            return faceButton("A", RUNE_COLOURS[1], left, middle, drawing);
        case PadGlyph::B:
            return faceButton("B", RUNE_COLOURS[0], left, middle, drawing);
        case PadGlyph::X:
            return faceButton("X", RUNE_COLOURS[2], left, middle, drawing);
        case PadGlyph::Y:
            return faceButton("Y", YELLOW, left, middle, drawing);
        case PadGlyph::LEFT_BUMPER:
            return pill("LB", left, middle, drawing);
        case PadGlyph::RIGHT_BUMPER:
            return pill("RB", left, middle, drawing);
        case PadGlyph::BACK:
            return pill("Back", left, middle, drawing);
        case PadGlyph::START:
            return pill("Start", left, middle, drawing);
        case PadGlyph::LEFT_STICK_UP_DOWN:
            return stick("L", UP_DOWN, left, middle, drawing);
        case PadGlyph::LEFT_STICK_SIDEWAYS:
            return stick("L", SIDEWAYS, left, middle, drawing);
        case PadGlyph::RIGHT_STICK_UP_DOWN:
            return stick("R", UP_DOWN, left, middle, drawing);
        case PadGlyph::RIGHT_STICK_SIDEWAYS:
            return stick("R", SIDEWAYS, left, middle, drawing);
        case PadGlyph::RIGHT_STICK_PRESS:
            return stick("R", PRESS, left, middle, drawing);
        case PadGlyph::DPAD_UP_DOWN:
            return dpad(UP_DOWN, left, middle, drawing);
        case PadGlyph::DPAD_SIDEWAYS:
            return dpad(SIDEWAYS, left, middle, drawing);
        case PadGlyph::NONE:
            break;
        }
        return 0.0f;
    }

    // What moving a stick or the d-pad, or pressing a stick, does.
    enum Motion { UP_DOWN, SIDEWAYS, PRESS };

    // A disc in the button's colour with its letter.
    float faceButton(const char* letter, glm::vec4 colour, float left, float middle, bool drawing) {
        if (drawing) {
            const float cx = left + RADIUS;
            image.disc(cx, middle, RADIUS, colour);
            image.ring(cx, middle, RADIUS, 1.2f, glm::vec4(glm::vec3(colour) * 0.55f, 1.0f));
            bold.drawCentred(image, letter, 11, cx, middle + 4.0f, DARK, glm::vec4(0.0f));
        }
        return 2.0f * RADIUS;
    }

    // A rounded label: the bumpers, Back and Start.
    float pill(const char* label, float left, float middle, bool drawing, int textSize = 10) {
        const float half = textSize * 0.75f, width = bold.measure(label, textSize) + 2.0f * half;
        if (drawing) {
            const float top = middle - half, bottom = middle + half;
            image.roundedRect(left, top, left + width, bottom, half, DARK);
            image.roundedRect(left, top, left + width, bottom, half, CHROME, 1.2f);
            bold.draw(image, label, textSize, left + half, middle + textSize * 0.36f, CHROME);
        }
        return width;
    }

    // A stick seen from above, its letter on the knob, and which way it
    // moves, or that it is pressed.
    float stick(const char* letter, Motion motion, float left, float middle, bool drawing) {
        const float cx = left + RADIUS;
        if (drawing) {
            image.ring(cx, middle, RADIUS, 1.5f, CHROME);
            image.disc(cx, middle, RADIUS - 2.5f, DARK);
            bold.drawCentred(image, letter, 10, cx, middle + 3.5f, CHROME, glm::vec4(0.0f));
        }
        return 2.0f * RADIUS + arrow(motion, left + 2.0f * RADIUS, middle, drawing);
    }

    // The d-pad's cross.
    float dpad(Motion motion, float left, float middle, bool drawing) {
        if (drawing) {
            const float cx = left + RADIUS, arm = RADIUS, half = 2.8f;
            image.roundedRect(cx - half, middle - arm, cx + half, middle + arm, 1.5f, CHROME);
            image.roundedRect(cx - arm, middle - half, cx + arm, middle + half, 1.5f, CHROME);
        }
        return 2.0f * RADIUS + arrow(motion, left + 2.0f * RADIUS, middle, drawing);
    }

    // Two small triangles after a stick or the cross, pointing the ways it
    // moves, or the word for a press.
    float arrow(Motion motion, float left, float middle, bool drawing) {
        if (motion == PRESS) {
            const float gap = 4.0f;
            if (drawing)
                regular.draw(image, "press", 12, left + gap, middle + 4.0f, CHROME);
            return gap + regular.measure("press", 12);
        }
        const float cx = left + 9.0f;
        auto triangle = [&](glm::vec2 tip, glm::vec2 back) {
            const glm::vec2 side = glm::vec2(back.y, -back.x) * 0.7f;
            image.polygon({tip, tip + back + side, tip + back - side}, GOLD);
        };
        if (drawing && motion == UP_DOWN) {
            triangle({cx, middle - 8.5f}, {0.0f, 6.0f});
            triangle({cx, middle + 8.5f}, {0.0f, -6.0f});
        } else if (drawing) {
            triangle({cx - 7.5f, middle}, {6.0f, 0.0f});
            triangle({cx + 7.5f, middle}, {-6.0f, 0.0f});
        }
        return 17.0f;
    }

    Image& image;
    TextRenderer& bold;
    TextRenderer& regular;
};

float rowWidth(PadPainter& painter, const ControlRow& row) {
    float width = 0.0f;
    for (PadGlyph glyph : row.pad) {
        if (glyph != PadGlyph::NONE)
            width += (width > 0.0f ? GAP : 0.0f) + painter.width(glyph);
    }
    return width;
}

} // namespace

// Each row's pad buttons stand just left of its keys, "beside the keys".
Image tutorialPadOverlay(TextRenderer& bold, TextRenderer& regular) {
    Image image(PICTURE_WIDTH, PICTURE_HEIGHT, glm::vec4(0.0f));
    PadPainter painter(image, bold, regular);
    // The text's middle, a little above its baseline.
    const float middleAboveBaseline = CONTROL_TEXT_SIZE * 0.35f;
    float baseline = CONTROL_ROWS_TOP;
    for (const ControlRow& row : CONTROL_ROWS) {
        const float keysLeft = CONTROL_KEYS_RIGHT - bold.measure(row.keys, CONTROL_TEXT_SIZE);
        float left = keysLeft - KEYS_GAP - rowWidth(painter, row);
        for (PadGlyph glyph : row.pad) {
            if (glyph == PadGlyph::NONE)
                continue;
            painter.draw(glyph, left, baseline - middleAboveBaseline);
            left += painter.width(glyph) + GAP;
        }
        baseline += CONTROL_ROW_STEP;
    }

    const PromptBox& prompt = PLAY_PROMPT;
    const float middle = (prompt.top + prompt.bottom) * 0.5f;
    const float orLeft = prompt.right + 14.0f;
    regular.draw(image, "or", 20, orLeft, middle + 7.0f, CHROME);
    painter.drawLargePill("Start", orLeft + regular.measure("or", 20) + 10.0f, middle);
    return image;
}
