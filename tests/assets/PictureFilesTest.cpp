#include "GlContext.h"
#include "OutputCapture.h"
#include "render/GL.h"
#include "render/PictureSize.h"
#include "render/Texture.h"
#include "render/HudLayout.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace {

const std::string INTERFACE = "../bin/objects/interface/";
const char* const PICTURES[13] = {"victory.bmp",
                                  "defeat.bmp",
                                  "tutorial.bmp",
                                  "hit.bmp",
                                  "backgroundINTERFACE.bmp",
                                  "redruneINTERFACE.bmp",
                                  "greenruneINTERFACE.bmp",
                                  "blueruneINTERFACE.bmp",
                                  "whiteruneINTERFACE.bmp",
                                  "redactiveINTERFACE.bmp",
                                  "greenactiveINTERFACE.bmp",
                                  "blueactiveINTERFACE.bmp",
                                  "whiteactiveINTERFACE.bmp"};
const char* const TEXTURES[8] = {"mage.bmp",      "redmonster.bmp", "greenmonster.bmp",
                                 "monster.bmp",   "arenafloor.bmp", "arenaemblem.bmp",
                                 "arenawall.bmp", "sky.bmp"};

struct BmpHeader {
    bool ok = false;
    std::string magic;
    uint32_t dataOffset = 0, infoSize = 0, compression = 0;
    int32_t width = 0, height = 0;
    uint16_t planes = 0, bitsPerPixel = 0;
};

uint32_t little(const unsigned char* p, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

BmpHeader readHeader(const std::string& path) {
    BmpHeader header;
    unsigned char bytes[54];
    std::ifstream file(path, std::ios::binary);
    if (!file.read(reinterpret_cast<char*>(bytes), sizeof bytes))
        return header;
    header.ok = true;
    header.magic = std::string(reinterpret_cast<char*>(bytes), 2);
    header.dataOffset = little(bytes + 10, 4);
    header.infoSize = little(bytes + 14, 4);
    header.width = static_cast<int32_t>(little(bytes + 18, 4));
    header.height = static_cast<int32_t>(little(bytes + 22, 4));
    header.planes = static_cast<uint16_t>(little(bytes + 26, 2));
    header.bitsPerPixel = static_cast<uint16_t>(little(bytes + 28, 2));
    header.compression = little(bytes + 30, 4);
    return header;
}

bool powerOfTwo(int value) {
    return value > 0 && (value & (value - 1)) == 0;
}

// A picture as the game shows it: decoded by the game's loader, uploaded by
// the game's texture code, read back from GL as RGBA (row 0 at the top).
struct Picture {
    int width = 0, height = 0, bytesPerPixel = 0;
    uint32_t redMask = 0;
    std::vector<unsigned char> rgba;
    const unsigned char* at(int x, int y) const {
        return &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
    }
    int alpha(int x, int y) const { return at(x, y)[3]; }
};

Picture loadPicture(const std::string& path) {
    Picture picture;
    SDL_Surface* image = loadBmp(path);
    if (image == nullptr)
        return picture;
    picture.width = image->w;
    picture.height = image->h;
    picture.bytesPerPixel = image->format->BytesPerPixel;
    picture.redMask = image->format->Rmask;
    OutputCapture quiet;
    const GLuint texture = uploadTexture(image);
    quiet.finish();
    picture.rgba.resize(static_cast<std::size_t>(picture.width) * picture.height * 4);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, picture.rgba.data());
    glDeleteTextures(1, &texture);
    return picture;
}

// Counts pixels outside the rectangle that are not fully transparent, and
// the opaque pixels inside it.
void paintedAround(const Picture& p, int left, int top, int right, int bottom, int& outside,
                   int& inside) {
    outside = inside = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const bool in = x >= left && x < right && y >= top && y < bottom;
            if (!in && p.alpha(x, y) != 0)
                ++outside;
            if (in && p.alpha(x, y) > 240)
                ++inside;
        }
}

} // namespace

TEST(PictureFiles, InterfacePicturesAre32BitWithAPlainInfoHeader) {
    for (const char* name : PICTURES) {
        const BmpHeader header = readHeader(INTERFACE + name);
        ASSERT_TRUE(header.ok) << name;
        EXPECT_EQ(header.magic, "BM") << name;
        EXPECT_EQ(header.infoSize, 40u) << name;
        EXPECT_EQ(header.dataOffset, 54u) << name;
        EXPECT_EQ(header.width, PICTURE_WIDTH) << name;
        EXPECT_EQ(header.height, PICTURE_HEIGHT) << name;
        EXPECT_EQ(header.planes, 1) << name;
        EXPECT_EQ(header.bitsPerPixel, 32) << name;
        EXPECT_EQ(header.compression, 0u) << name;
    }
}

TEST(PictureFiles, ModelTexturesAre24BitWithPowerOfTwoSizes) {
    for (const char* name : TEXTURES) {
        const BmpHeader header = readHeader("../bin/objects/" + std::string(name));
        ASSERT_TRUE(header.ok) << name;
        EXPECT_EQ(header.bitsPerPixel, 24) << name;
        EXPECT_EQ(header.infoSize, 40u) << name;
        EXPECT_TRUE(powerOfTwo(header.width)) << name;
        EXPECT_TRUE(powerOfTwo(header.height)) << name;
        SDL_Surface* image = loadBmp("../bin/objects/" + std::string(name));
        ASSERT_NE(image, nullptr) << name;
        EXPECT_EQ(image->format->BytesPerPixel, 3) << name;
        SDL_FreeSurface(image);
    }
}

// The game uploads 4-byte pictures whose red mask is not 0xFF as BGRA, so the
// fourth byte of each pixel is the alpha the head-up display blends with.
TEST(PictureFiles, PicturesReachTheGameWithTheirAlphaAndColours) {
    REQUIRE_GL_CONTEXT();
    for (const char* name : PICTURES) {
        const Picture p = loadPicture(INTERFACE + name);
        ASSERT_EQ(p.width, PICTURE_WIDTH) << name;
        ASSERT_EQ(p.height, PICTURE_HEIGHT) << name;
        EXPECT_EQ(p.bytesPerPixel, 4) << name;
        EXPECT_NE(p.redMask, 0xFFu) << name;
    }

    const Picture hit = loadPicture(INTERFACE + "hit.bmp");
    const unsigned char* corner = hit.at(3, 3);
    EXPECT_GT(corner[3], 128);
    EXPECT_GT(corner[0], 3 * corner[1]) << "the flash is red";
    EXPECT_EQ(hit.alpha(512, 384), 0) << "the middle of the screen stays clear";
    EXPECT_EQ(hit.alpha(512, 200), 0);

    const Picture tutorial = loadPicture(INTERFACE + "tutorial.bmp");
    EXPECT_EQ(tutorial.alpha(5, 5), 0);
    EXPECT_EQ(tutorial.alpha(1018, 762), 0);
    EXPECT_GT(tutorial.alpha(512, 400), 200);

    for (const char* name : {"victory.bmp", "defeat.bmp"}) {
        const Picture p = loadPicture(INTERFACE + name);
        EXPECT_EQ(p.alpha(512, 60), 0) << name;
        EXPECT_EQ(p.alpha(512, 700), 0) << name;
        // A translucent band behind the text, the text itself opaque.
        EXPECT_GT(p.alpha(20, 384), 60) << name;
        EXPECT_LT(p.alpha(20, 384), 230) << name;
        int opaque = 0;
        for (int y = 280; y < 480; ++y)
            for (int x = 200; x < 824; ++x)
                opaque += p.alpha(x, y) > 245 ? 1 : 0;
        EXPECT_GT(opaque, 5000) << name << ": large text";
    }
}

// The bar, the rune icons and the edge markers' cells are painted where the
// game draws them.
TEST(PictureFiles, TheBarAndEveryIconSitInTheirPlaces) {
    REQUIRE_GL_CONTEXT();
    int outside = 0, inside = 0;
    const Picture bar = loadPicture(INTERFACE + "backgroundINTERFACE.bmp");
    paintedAround(bar, hud::BAR_LEFT, hud::BAR_TOP, hud::BAR_RIGHT, hud::BAR_BOTTOM, outside,
                  inside);
    EXPECT_EQ(outside, 0);
    EXPECT_GT(bar.alpha((hud::BAR_LEFT + hud::BAR_RIGHT) / 2, hud::BAR_TOP + 4), 150);

    const char* colours[4] = {"red", "green", "blue", "white"};
    for (int slot = 0; slot < 4; ++slot) {
        const int left = hud::slotLeft(slot), top = hud::SLOT_TOP;
        EXPECT_GE(left, hud::BAR_LEFT);
        EXPECT_LE(left + hud::SLOT_SIZE, hud::BAR_RIGHT);
        for (const char* kind : {"rune", "active"}) {
            const std::string name = std::string(colours[slot]) + kind + "INTERFACE.bmp";
            const Picture icon = loadPicture(INTERFACE + name);
            paintedAround(icon, left, top, left + hud::SLOT_SIZE, top + hud::SLOT_SIZE, outside,
                          inside);
            EXPECT_EQ(outside, 0) << name;
            EXPECT_GT(inside, 1000) << name;
            // The middle of the icon shows the rune's colour.
            int red = 0, green = 0, blue = 0;
            for (int y = top + 10; y < top + hud::SLOT_SIZE - 10; ++y)
                for (int x = left + 10; x < left + hud::SLOT_SIZE - 10; ++x) {
                    red += icon.at(x, y)[0];
                    green += icon.at(x, y)[1];
                    blue += icon.at(x, y)[2];
                }
            // Red, green and blue icons lead with their own channel; white is even.
            const int own[4] = {red, green, blue, red};
            const int others[4][2] = {{green, blue}, {red, blue}, {red, red}, {blue, blue}};
            if (slot < 3) {
                EXPECT_GT(own[slot], others[slot][0] * 13 / 10) << name;
                EXPECT_GT(own[slot], others[slot][1]) << name;
            } else {
                EXPECT_NEAR(red, blue, red / 5) << name;
            }
        }
    }

    // The game draws only the parts of the edge markers' cells that the
    // layout names; whatever the generator painted beyond them would be cut off.
    const Picture atlas = loadPicture(INTERFACE + "markersINTERFACE.bmp");
    ASSERT_EQ(atlas.width, hud::MARKER_ATLAS_WIDTH);
    ASSERT_EQ(atlas.height, hud::MARKER_ATLAS_HEIGHT);
    // Painted pixels of a cell outside the drawn rectangle, opaque ones inside.
    auto count = [&atlas](int cellLeft, int cellTop, int left, int top, int right, int bottom,
                          int& outside, int& inside) {
        outside = inside = 0;
        for (int y = cellTop; y < cellTop + hud::MARKER_CELL; ++y)
            for (int x = cellLeft; x < cellLeft + hud::MARKER_CELL; ++x) {
                const bool in = x >= left && x < right && y >= top && y < bottom;
                outside += !in && atlas.alpha(x, y) != 0 ? 1 : 0;
                inside += in && atlas.alpha(x, y) > 240 ? 1 : 0;
            }
    };
    const int cell = hud::MARKER_CELL, rim = hud::MARKER_DISC_RADIUS + hud::MARKER_MARGIN;
    const int half = hud::MARKER_SYMBOL_HALF;
    for (int kind = 0; kind < 3; ++kind) {
        const int left = kind * cell, symbolTop = hud::MARKER_SYMBOL_ROW * cell;
        count(left, 0, left + hud::MARKER_DISC_X - rim, cell / 2 - rim,
              left + hud::MARKER_TIP_X + hud::MARKER_MARGIN, cell / 2 + rim, outside, inside);
        EXPECT_EQ(outside, 0) << "body " << kind;
        EXPECT_GT(inside, 1000) << "body " << kind;
        count(left, symbolTop, left + cell / 2 - half, symbolTop + cell / 2 - half,
              left + cell / 2 + half, symbolTop + cell / 2 + half, outside, inside);
        EXPECT_EQ(outside, 0) << "symbol " << kind;
        EXPECT_GT(inside, 100) << "symbol " << kind;
    }
}
