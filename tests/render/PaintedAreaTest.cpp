// Where an interface picture is painted: found from the picture's own
// pixels, for the odd pictures a modder might drop in too, and drawn there
// alone it blends exactly the pixels the whole-window quad blends.
#include "BmpWriter.h"
#include "GlContext.h"
#include "OutputCapture.h"
#include "RenderTestSupport.h"
#include "render/InterfaceDraw.h"
#include "render/PaintedArea.h"
#include "render/RenderTargets.h"
#include "render/ShaderProgram.h"
#include "render/Texture.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

const uint32_t CLEAR = 0x00000000;
const uint32_t SOLID = 0xFF3080C0;

struct Picture {
    const char* name;
    int width;
    int height;
    int bitsPerPixel; // 32 with alpha, 24 without, 8 paletted
    std::function<uint32_t(int x, int y)> pixel;
    bool exact; // the rectangles below are the answer, not just a cover
    std::vector<PixelRect> expected;
};

std::vector<Picture> oddPictures() {
    return {
        {"nothing painted", 64, 48, 32, [](int, int) { return CLEAR; }, true, {}},
        {"all painted", 64, 48, 32, [](int, int) { return SOLID; }, true, {{0, 0, 64, 48}}},
        {"one faint pixel in a corner",
         64,
         48,
         32,
         [](int x, int y) { return x == 63 && y == 47 ? 0x01FFFFFFu : CLEAR; },
         false,
         {}},
        {"not a power of two",
         100,
         60,
         32,
         [](int x, int y) { return x >= 37 && x < 71 && y >= 5 && y < 9 ? SOLID : CLEAR; },
         true,
         {{36, 4, 72, 10}}},
        {"a frame round the edges",
         160,
         120,
         32,
         [](int x, int y) {
             const bool edge = x < 20 || x >= 140 || y < 20 || y >= 100;
             return edge ? 0x80FF0000u : CLEAR;
         },
         false,
         {}},
        {"no alpha", 64, 48, 24, [](int, int) { return SOLID; }, true, {{0, 0, 64, 48}}},
        {"paletted", 64, 48, 8, [](int, int) { return SOLID; }, true, {{0, 0, 64, 48}}},
    };
}

SDL_Surface* loadPicture(const Picture& picture) {
    static const std::string folder = makeScratchFolder();
    const std::string path = folder + "/picture.bmp";
    if (picture.bitsPerPixel == 8) {
        const std::vector<uint8_t> indices(picture.width * picture.height, 0);
        writeBmp8(path, picture.width, picture.height, {SOLID}, indices);
    } else {
        BmpImage image;
        image.width = picture.width;
        image.height = picture.height;
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x)
                image.pixels.push_back(picture.pixel(x, y));
        if (picture.bitsPerPixel == 32)
            writeBmp32(path, image, false);
        else
            writeBmp24(path, image);
    }
    return loadBmp(path);
}

int containing(const PaintedArea& area, int x, int y) {
    int count = 0;
    for (const PixelRect& r : area.rects)
        count += x >= r.left && x < r.right && y >= r.top && y < r.bottom ? 1 : 0;
    return count;
}

TEST(PaintedArea, HoldsEveryPaintedPixelOnceAndNoMore) {
    for (const Picture& picture : oddPictures()) {
        SCOPED_TRACE(picture.name);
        SDL_Surface* image = loadPicture(picture);
        ASSERT_NE(image, nullptr);
        const PaintedArea area = findPaintedArea(image);
        SDL_FreeSurface(image);
        if (picture.exact) {
            ASSERT_EQ(area.rects.size(), picture.expected.size());
            for (size_t i = 0; i < area.rects.size(); ++i) {
                const PixelRect& got = area.rects[i];
                const PixelRect& want = picture.expected[i];
                EXPECT_EQ(std::vector<int>({got.left, got.top, got.right, got.bottom}),
                          std::vector<int>({want.left, want.top, want.right, want.bottom}));
            }
        }
        if (picture.bitsPerPixel != 32)
            continue;
        int covered = 0;
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x) {
                const bool painted = (picture.pixel(x, y) >> 24) != 0;
                const int count = containing(area, x, y);
                EXPECT_LE(count, 1) << "rectangles overlap at " << x << ", " << y;
                if (painted) {
                    EXPECT_EQ(count, 1) << "painted pixel left out at " << x << ", " << y;
                }
                covered += count;
            }
        // A frame round the edges, or a pixel, leaves most of the picture out.
        if (!picture.exact) {
            EXPECT_LT(covered, picture.width * picture.height * 3 / 4);
        }
    }
}

// The window after blending the picture over a coloured window, through
// the whole-window quad or only where it is painted.
std::vector<uint8_t> blended(GLuint texture, const PaintedArea* area) {
    const GameShaders& shaders = gameShaders();
    ScreenQuad quad;
    buildScreenQuad(quad, shaders.postProcess);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    glViewport(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    glClearColor(0.2f, 0.5f, 0.7f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_DEPTH_TEST);
    glUseProgram(shaders.interface->program);
    if (area == nullptr) {
        quad.texture = texture;
        drawScreenQuad(quad);
    } else {
        drawPaintedPicture(quad, texture, *area);
    }
    glUseProgram(0);
    glDisable(GL_BLEND);
    std::vector<uint8_t> pixels(SCREEN_WIDTH * SCREEN_HEIGHT * 4);
    glReadPixels(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

TEST(PaintedArea, DrawnWhereItIsPaintedTheWindowIsTheSameToThePixel) {
    REQUIRE_GL_CONTEXT();
    for (const Picture& picture : oddPictures()) {
        SCOPED_TRACE(picture.name);
        SDL_Surface* image = loadPicture(picture);
        ASSERT_NE(image, nullptr);
        const PaintedArea area = findPaintedArea(image);
        OutputCapture quiet;
        const GLuint texture = uploadTexture(image);
        quiet.finish();
        const std::vector<uint8_t> whole = blended(texture, nullptr);
        const std::vector<uint8_t> painted = blended(texture, &area);
        EXPECT_TRUE(whole == painted);
        glDeleteTextures(1, &texture);
    }
}

} // namespace
