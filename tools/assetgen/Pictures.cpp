#include "Pictures.h"

#include "ControlRows.h"
#include "Image.h"
#include "PadOverlay.h"
#include "PictureStyle.h"
#include "MarkerAtlas.h"
#include "RuneGlyph.h"
#include "TextRenderer.h"
#include "app/MainLoop.h"
#include "game/Difficulty.h"
#include "render/HudLayout.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const char* const RUNE_NAMES[4] = {"red", "green", "blue", "white"};
const char* const RUNE_KEYS[4] = {"1", "2", "3", "E"};

struct Fonts {
    TextRenderer title;
    TextRenderer bold;
    TextRenderer regular;
    explicit Fonts(const std::string& folder)
        : title(folder + "/DejaVuSerif-Bold.ttf"), bold(folder + "/DejaVuSans-Bold.ttf"),
          regular(folder + "/DejaVuSans.ttf") {}
    bool ok() const { return title.ok() && bold.ok() && regular.ok(); }
};

Image screen() {
    return Image(PICTURE_WIDTH, PICTURE_HEIGHT, glm::vec4(0.0f));
}

const glm::vec4 LABEL(0.95f, 0.78f, 0.35f, 1.0f);
const glm::vec4 DIGIT(0.96f, 0.93f, 0.86f, 1.0f);
const glm::vec4 LIFE(0.93f, 0.2f, 0.14f, 1.0f);

// One pip of the life meter, full or spent.
void lifePip(Image& image, int x, int y, bool full) {
    const float left = static_cast<float>(x), top = static_cast<float>(y);
    const float right = left + hud::PIP_WIDTH, bottom = top + hud::METER_HEIGHT;
    if (!full) {
        image.roundedRect(left, top, right, bottom, 1.5f, glm::vec4(0.3f, 0.06f, 0.05f, 0.9f));
        return;
    }
    image.roundedRect(left, top, right, bottom, 1.5f, LIFE);
    // A lighter stripe down the left edge, so the pips read as raised.
    image.fillRect(x + 1, y + 2, x + 2, y + hud::METER_HEIGHT - 2,
                   glm::vec4(glm::mix(glm::vec3(LIFE), glm::vec3(1.0f), 0.45f), 1.0f));
}

void lifeMeter(Image& image, int left, int top, bool full) {
    for (int pip = 0; pip < hud::METER_PIPS; ++pip)
        lifePip(image, left + pip * (hud::PIP_WIDTH + hud::PIP_GAP), top, full);
}

// The life and monster sections of the bar: their labels and what stays
// when the counters are empty. The numbers and the full pips are drawn by
// the game over it, from the counter glyph atlas.
void barCounters(Image& image, Fonts& fonts) {
    fonts.bold.draw(image, "LIFE", 15, hud::LIFE_LABEL_LEFT, hud::LIFE_LABEL_BASELINE, LABEL);
    lifeMeter(image, hud::METER_LEFT, hud::METER_TOP, false);
    fonts.bold.draw(image, "SLAIN", 15, hud::MONSTER_LABEL_LEFT, hud::SLAIN_LABEL_BASELINE, LABEL);
    const std::string ofAll = "of " + std::to_string(PREPARED_MONSTER_COUNT);
    fonts.regular.draw(image, ofAll, 18, hud::SLAIN_NUMBER.right + 8.0f,
                       hud::SLAIN_NUMBER.top + 27.0f, glm::vec4(0.8f, 0.78f, 0.72f, 1.0f));
    fonts.bold.draw(image, "TO COME", 15, hud::MONSTER_LABEL_LEFT, hud::TO_COME_LABEL_BASELINE,
                    LABEL);
}

Image background(Fonts& fonts) {
    Image image = screen();
    image.roundedRect(hud::BAR_LEFT, hud::BAR_TOP, hud::BAR_RIGHT, hud::BAR_BOTTOM, 16.0f, PANEL);
    image.roundedRect(hud::BAR_LEFT, hud::BAR_TOP, hud::BAR_RIGHT, hud::BAR_BOTTOM, 16.0f, GOLD,
                      2.5f);
    for (int slot = 0; slot < 4; ++slot) {
        const float x = static_cast<float>(hud::slotLeft(slot)), y = hud::SLOT_TOP;
        const float size = hud::SLOT_SIZE;
        image.roundedRect(x, y, x + size, y + size, 10.0f, glm::vec4(0.02f, 0.02f, 0.04f, 0.85f));
        image.roundedRect(x, y, x + size, y + size, 10.0f,
                          glm::vec4(glm::vec3(RUNE_COLOURS[slot]) * 0.6f, 1.0f), 2.0f);
        // The key label stays visible while the rune recharges.
        fonts.bold.draw(image, RUNE_KEYS[slot], 16, x + size - 15.0f, y + size - 5.0f,
                        glm::vec4(0.9f, 0.88f, 0.8f, 1.0f));
    }
    barCounters(image, fonts);
    return image;
}

// The banner over the game while it plays itself: a dark panel with the
// bar's gold edge, saying how to stop it.
void demoBanner(Image& image, Fonts& fonts) {
    const float left = hud::DEMO_BANNER_CELL.left + 1.0f, top = hud::DEMO_BANNER_CELL.top + 1.0f;
    const float right = left + hud::DEMO_BANNER_WIDTH - 2.0f;
    const float bottom = top + hud::DEMO_BANNER_HEIGHT - 2.0f;
    image.roundedRect(left, top, right, bottom, 10.0f, PANEL);
    image.roundedRect(left, top, right, bottom, 10.0f, GOLD, 2.0f);
    fonts.bold.drawCentred(image, "DEMO \u2014 press any key", 17, (left + right) * 0.5f,
                           top + 26.0f, GOLD);
}

// The glyphs the counters are cut from: each digit centred in its cell,
// with its baseline near the cell's foot, and the full life meter.
Image counterGlyphs(Fonts& fonts) {
    Image image(hud::ATLAS_WIDTH, hud::ATLAS_HEIGHT, glm::vec4(0.0f));
    const int size = 32;
    for (int digit = 0; digit < 10; ++digit) {
        const std::string text(1, static_cast<char>('0' + digit));
        const float left =
            digit * hud::DIGIT_WIDTH + (hud::DIGIT_WIDTH - fonts.bold.measure(text, size)) * 0.5f;
        fonts.bold.draw(image, text, size, left, hud::DIGIT_HEIGHT - 5.0f, DIGIT);
    }
    lifeMeter(image, 0, hud::METER_ATLAS_TOP, true);
    for (int difficulty = 0; difficulty < DIFFICULTY_COUNT; ++difficulty) {
        std::string name = DIFFICULTIES[difficulty].name;
        std::transform(name.begin(), name.end(), name.begin(), ::toupper);
        const hud::AtlasCell cell = hud::difficultyLabelCell(difficulty);
        fonts.bold.draw(image, name, 15, cell.left + 1.0f, cell.top + hud::LABEL_BASELINE, LABEL);
    }
    fonts.regular.draw(image, "Difficulty (L):", 15, hud::DIFFICULTY_HINT_CELL.left + 1.0f,
                       hud::DIFFICULTY_HINT_CELL.top + hud::LABEL_BASELINE,
                       glm::vec4(0.93f, 0.91f, 0.86f, 1.0f));
    demoBanner(image, fonts);
    return image;
}

// The solid cells the marks over a laid trap rune are drawn from: for each
// trap colour its outline and its ready fill, bright and dim, and the dark
// edge under every outline, so an outline reads on the pale floor and on
// dark robes alike.
Image runeMarks() {
    Image image(hud::MARK_ATLAS_SIZE, hud::MARK_ATLAS_SIZE, glm::vec4(0.0f));
    auto cell = [&](int column, int row, glm::vec4 colour) {
        const int x = column * hud::MARK_CELL, y = row * hud::MARK_CELL;
        image.fillRect(x, y, x + hud::MARK_CELL, y + hud::MARK_CELL, colour);
    };
    for (int rune = 0; rune < 3; ++rune) {
        const glm::vec3 light =
            glm::mix(glm::vec3(RUNE_COLOURS[rune]), glm::vec3(1.0f), MARK_FILL_WHITENING);
        cell(hud::MARK_OUTLINE, rune, RUNE_COLOURS[rune]);
        cell(hud::MARK_FILL_BRIGHT, rune, glm::vec4(light, 0.8f));
        cell(hud::MARK_FILL_DIM, rune, glm::vec4(light, 0.45f));
        cell(hud::MARK_HEADED, rune,
             glm::vec4(glm::mix(light, glm::vec3(1.0f), MARK_HEADED_WHITENING), 1.0f));
    }
    cell(hud::MARK_OUTLINE, hud::MARK_EDGE_ROW, glm::vec4(0.0f, 0.0f, 0.0f, 0.7f));
    return image;
}

// A rune ready to lay (active = false) or laid and waiting to be set off.
Image runeIcon(int slot, bool active) {
    Image image = screen();
    const float size = hud::SLOT_SIZE;
    const float cx = hud::slotLeft(slot) + size * 0.5f, cy = hud::SLOT_TOP + size * 0.5f - 2.0f;
    const glm::vec4 colour = RUNE_COLOURS[slot];
    if (active) {
        for (int i = 6; i >= 1; --i)
            image.disc(cx, cy, 30.0f + i * 1.1f, glm::vec4(glm::vec3(colour), 0.08f));
        image.disc(cx, cy, 30.0f,
                   glm::vec4(glm::mix(glm::vec3(colour), glm::vec3(1.0f), 0.25f), 1.0f));
        image.ring(cx, cy, 30.0f, 3.0f, glm::vec4(1.0f));
        runeGlyph(image, slot, cx, cy, 22.0f, glm::vec4(1.0f));
    } else {
        image.disc(cx, cy, 29.0f, glm::vec4(glm::vec3(colour) * 0.35f, 0.95f));
        image.ring(cx, cy, 29.0f, 3.0f, colour);
        runeGlyph(image, slot, cx, cy, 21.0f, colour);
    }
    return image;
}

// The one technique that works: monsters stop short of the mage, so a rune
// catches one only when the mage lures it across; and the way out of a
// crowd.
void tutorialTechnique(Image& image, Fonts& fonts, float top) {
    image.roundedRect(142.0f, top, 882.0f, top + 116.0f, 12.0f,
                      glm::vec4(0.16f, 0.12f, 0.05f, 0.9f));
    image.roundedRect(142.0f, top, 882.0f, top + 116.0f, 12.0f, GOLD, 1.5f);
    const glm::vec4 text(0.96f, 0.93f, 0.84f, 1.0f);
    const char* const lines[] = {
        "Monsters stop an arm's length away, where the pins on the floor show them:",
        "a rune at your own feet never catches one. Lay a rune, step back beyond it, so",
        "that a monster of its colour walks onto it, and set it off when it lights up.",
        "Runes keep a step apart and rest after each use: a key refused blinks its icon.",
        "Boxed in by monsters? Space jumps free, with W or S held.",
    };
    float y = top + 21.0f;
    for (const char* line : lines) {
        fonts.regular.drawCentred(image, line, 16, 512.0f, y, text);
        y += 21.0f;
    }
}

Image tutorial(Fonts& fonts) {
    Image image = screen();
    // Above the head-up display bar, which stays visible below it.
    const float left = 102.0f, top = 24.0f, right = 922.0f, bottom = 636.0f;
    image.roundedRect(left, top, right, bottom, 24.0f, glm::vec4(0.05f, 0.04f, 0.09f, 0.9f));
    image.roundedRect(left, top, right, bottom, 24.0f, GOLD, 3.0f);
    const glm::vec4 text(0.93f, 0.91f, 0.86f, 1.0f), muted(0.75f, 0.73f, 0.7f, 1.0f);
    fonts.title.drawCentred(image, "TALMORAK ARENA", 48, 512.0f, 80.0f, GOLD);
    fonts.regular.drawCentred(
        image, "Twenty monsters walk in through the four gates, one every few seconds.", 18, 512.0f,
        114.0f, text);
    fonts.regular.drawCentred(
        image, "Slay them all with your runes before they take all your life points.", 18, 512.0f,
        137.0f, text);
    tutorialTechnique(image, fonts, 148.0f);
    float y = CONTROL_ROWS_TOP;
    for (const ControlRow& row : CONTROL_ROWS) {
        const int width = fonts.bold.measure(row.keys, CONTROL_TEXT_SIZE);
        fonts.bold.draw(image, row.keys, CONTROL_TEXT_SIZE, CONTROL_KEYS_RIGHT - width, y, GOLD);
        fonts.regular.draw(image, row.action, CONTROL_TEXT_SIZE, CONTROL_ACTIONS_LEFT, y, muted);
        y += CONTROL_ROW_STEP;
    }
    // The same picture opens the game and covers every pause.
    const PromptBox& prompt = PLAY_PROMPT;
    image.roundedRect(prompt.left, prompt.top, prompt.right, prompt.bottom, 12.0f,
                      glm::vec4(0.55f, 0.4f, 0.12f, 0.9f));
    fonts.bold.drawCentred(image, "Press P to play", 24, (prompt.left + prompt.right) * 0.5f,
                           prompt.baseline, glm::vec4(1.0f, 0.95f, 0.7f, 1.0f));
    return image;
}

Image gameOver(Fonts& fonts, const char* title, const char* line, glm::vec4 band,
               glm::vec4 colour) {
    Image image = screen();
    const int bandTop = 244, bandBottom = 544;
    for (int y = bandTop; y < bandBottom; ++y) {
        // The band fades out towards its top and bottom edges.
        const float edge = std::min(y - bandTop, bandBottom - 1 - y) / 40.0f;
        const float fade = std::min(1.0f, edge);
        for (int x = 0; x < PICTURE_WIDTH; ++x)
            image.blend(x, y, band, fade);
    }
    fonts.title.drawCentred(image, title, 124, 512.0f, 400.0f, colour, glm::vec4(0, 0, 0, 0.9f));
    fonts.regular.drawCentred(image, line, 28, 512.0f, 458.0f, glm::vec4(1.0f, 0.97f, 0.9f, 1.0f));
    fonts.bold.drawCentred(image, "Enter: play again \u00b7 Esc: quit", 24, 512.0f, 506.0f, GOLD);
    return image;
}

Image hitFlash() {
    Image image = screen();
    const float reach = 150.0f;
    for (int y = 0; y < PICTURE_HEIGHT; ++y)
        for (int x = 0; x < PICTURE_WIDTH; ++x) {
            const float d = static_cast<float>(
                std::min(std::min(x, PICTURE_WIDTH - 1 - x), std::min(y, PICTURE_HEIGHT - 1 - y)));
            if (d >= reach)
                continue;
            const float t = 1.0f - d / reach;
            image.at(x, y) = glm::vec4(0.9f, 0.06f, 0.04f, 0.6f * t * t);
        }
    return image;
}

// The game's icon: the red rune, laid and glowing, on the panels' dark colour, opaque,
// in a rounded tile with the bar's gold edge.
Image icon(int size) {
    const float s = static_cast<float>(size);
    Image image(size, size, glm::vec4(0.0f));
    image.roundedRect(s * 0.03f, s * 0.03f, s * 0.97f, s * 0.97f, s * 0.18f,
                      glm::vec4(glm::vec3(PANEL), 1.0f));
    image.roundedRect(s * 0.03f, s * 0.03f, s * 0.97f, s * 0.97f, s * 0.18f, GOLD, s * 0.035f);
    const glm::vec4 colour = RUNE_COLOURS[0];
    const float c = s * 0.5f, r = s * 0.32f;
    for (int i = 6; i >= 1; --i)
        image.disc(c, c, r * (1.0f + i * 0.04f), glm::vec4(glm::vec3(colour), 0.1f));
    image.disc(c, c, r, glm::vec4(glm::mix(glm::vec3(colour), glm::vec3(1.0f), 0.25f), 1.0f));
    image.ring(c, c, r, s * 0.035f, glm::vec4(1.0f));
    runeGlyph(image, 0, c, c, r * 0.72f, glm::vec4(1.0f));
    return image;
}

} // namespace

bool writeIcons(const std::string& folder, const std::vector<int>& sizes) {
    bool ok = true;
    for (int size : sizes)
        ok = icon(size).writePng(folder + "/talmorak-arena-" + std::to_string(size) + ".png") && ok;
    return ok;
}

bool writePictures(const std::string& folder, const std::string& fontFolder) {
    Fonts fonts(fontFolder);
    if (!fonts.ok())
        return false;
    bool ok = true;
    auto write = [&](const Image& image, const std::string& name) {
        ok = image.writeBmp(folder + "/" + name, true) && ok;
    };
    write(background(fonts), "backgroundINTERFACE.bmp");
    for (int rune = 0; rune < 4; ++rune) {
        write(runeIcon(rune, false), std::string(RUNE_NAMES[rune]) + "runeINTERFACE.bmp");
        write(runeIcon(rune, true), std::string(RUNE_NAMES[rune]) + "activeINTERFACE.bmp");
    }
    write(tutorial(fonts), "tutorial.bmp");
    write(tutorialPadOverlay(fonts.bold, fonts.regular), "tutorialpad.bmp");
    write(gameOver(fonts, "VICTORY", "All twenty monsters are slain.",
                   glm::vec4(0.25f, 0.2f, 0.05f, 0.65f), GOLD),
          "victory.bmp");
    write(gameOver(fonts, "DEFEAT", "The mage has fallen.", glm::vec4(0.2f, 0.02f, 0.02f, 0.7f),
                   glm::vec4(1.0f, 0.25f, 0.2f, 1.0f)),
          "defeat.bmp");
    write(hitFlash(), "hit.bmp");
    write(counterGlyphs(fonts), "countersINTERFACE.bmp");
    write(runeMarks(), "runemarksINTERFACE.bmp");
    write(markerAtlas(), "markersINTERFACE.bmp");
    return ok;
}
