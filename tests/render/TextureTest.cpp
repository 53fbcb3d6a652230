#include "BmpWriter.h"
#include "GlContext.h"
#include "OutputCapture.h"
#include "RenderTestSupport.h"
#include "render/Texture.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

const uint32_t RED = 0xFFFF0000;
const uint32_t GREEN = 0xFF00FF00;
const uint32_t BLUE = 0xFF0000FF;
const uint32_t WHITE = 0xFFFFFFFF;

// Top row red, green; bottom row blue, white. Two 3-byte pixels make a
// padded 8-byte row, so the upload also proves the row alignment.
BmpImage cornersImage(uint32_t alphaOfRed = 0xFF) {
    BmpImage image;
    image.width = 2;
    image.height = 2;
    image.pixels = {(alphaOfRed << 24) | (RED & 0xFFFFFF), GREEN, BLUE, WHITE};
    return image;
}

struct Upload {
    GLuint texture;
    std::string out;
    std::string err;
};

Upload uploadCaptured(SDL_Surface* image) {
    OutputCapture capture;
    const GLuint texture = uploadTexture(image);
    capture.finish();
    return Upload{texture, capture.out(), capture.err()};
}

GLint levelSize(GLuint texture, GLenum which) {
    GLint size = -1;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, which, &size);
    return size;
}

// Texels as 0xAARRGGBB, first row (t = 0) first.
std::vector<uint32_t> texels(GLuint texture) {
    const GLint width = levelSize(texture, GL_TEXTURE_WIDTH);
    const GLint height = levelSize(texture, GL_TEXTURE_HEIGHT);
    std::vector<uint8_t> bytes(static_cast<size_t>(width * height * 4));
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
    std::vector<uint32_t> result;
    for (size_t i = 0; i + 3 < bytes.size(); i += 4)
        result.push_back(static_cast<uint32_t>(bytes[i + 3]) << 24 | bytes[i] << 16 |
                         bytes[i + 1] << 8 | bytes[i + 2]);
    return result;
}

class TextureTest : public ::testing::Test {
  protected:
    void SetUp() override { folder = makeScratchFolder(); }
    std::string folder;
};

} // namespace

TEST_F(TextureTest, TwentyFourBitFileBecomesBgrTextureWithTopRowFirst) {
    REQUIRE_GL_CONTEXT();
    const std::string path = folder + "/corners24.bmp";
    writeBmp24(path, cornersImage());
    SDL_Surface* image = loadBmp(path);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->format->BytesPerPixel, 3);
    const Upload upload = uploadCaptured(image);
    EXPECT_EQ(upload.out, "Texture loaded in program-memory Format: BGR\n");
    EXPECT_EQ(upload.err, "");
    ASSERT_NE(upload.texture, 0u);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), upload.texture);
    EXPECT_EQ(texels(upload.texture), (std::vector<uint32_t>{RED, GREEN, BLUE, WHITE}));
}

TEST_F(TextureTest, ThirtyTwoBitFilesChooseFormatByRedMaskAndKeepAlpha) {
    REQUIRE_GL_CONTEXT();
    const std::string bgraPath = folder + "/bgra.bmp";
    writeBmp32(bgraPath, cornersImage(0x80), false);
    const Upload bgra = uploadCaptured(loadBmp(bgraPath));
    EXPECT_EQ(bgra.out, "Texture loaded in program-memory Format: BGRA\n");
    EXPECT_EQ(texels(bgra.texture), (std::vector<uint32_t>{0x80FF0000, GREEN, BLUE, WHITE}));

    const std::string rgbaPath = folder + "/rgba.bmp";
    writeBmp32(rgbaPath, cornersImage(0x40), true);
    SDL_Surface* image = loadBmp(rgbaPath);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->format->Rmask, 0xFFu);
    const Upload rgba = uploadCaptured(image);
    EXPECT_EQ(rgba.out, "Texture loaded in program-memory Format: RGBA\n");
    EXPECT_EQ(texels(rgba.texture), (std::vector<uint32_t>{0x40FF0000, GREEN, BLUE, WHITE}));
}

// The BMP decoder never reports red in the low byte for 3-byte pixels, so this
// image is made in memory.
TEST_F(TextureTest, ThreeByteImageWithRedInLowByteBecomesRgb) {
    REQUIRE_GL_CONTEXT();
    SDL_Surface* image =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 2, 24, 0x0000FF, 0x00FF00, 0xFF0000, 0);
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->format->BytesPerPixel, 3);
    const uint8_t rows[2][6] = {{255, 0, 0, 0, 255, 0}, {0, 0, 255, 255, 255, 255}};
    for (int y = 0; y < 2; ++y) {
        uint8_t* row = static_cast<uint8_t*>(image->pixels) + y * image->pitch;
        for (int i = 0; i < 6; ++i)
            row[i] = rows[y][i];
    }
    const Upload upload = uploadCaptured(image);
    EXPECT_EQ(upload.out, "Texture loaded in program-memory Format: RGB\n");
    EXPECT_EQ(texels(upload.texture), (std::vector<uint32_t>{RED, GREEN, BLUE, WHITE}));
}

TEST_F(TextureTest, SizesThatAreNotPowersOfTwoOnlyWarn) {
    REQUIRE_GL_CONTEXT();
    struct Case {
        int width, height;
        const char* expected;
    };
    const Case cases[] = {
        {100, 64,
         "Texture loaded in program-memorywarning: image width is not a power of 2\n Format: "
         "BGR\n"},
        {64, 48,
         "Texture loaded in program-memorywarning: image height is not a power of 2\n Format: "
         "BGR\n"},
        {100, 48,
         "Texture loaded in program-memorywarning: image width is not a power of 2\n"
         "warning: image height is not a power of 2\n Format: BGR\n"},
    };
    for (const Case& c : cases) {
        BmpImage image;
        image.width = c.width;
        image.height = c.height;
        image.pixels.assign(static_cast<size_t>(c.width * c.height), GREEN);
        const std::string path = folder + "/odd.bmp";
        writeBmp24(path, image);
        const Upload upload = uploadCaptured(loadBmp(path));
        EXPECT_EQ(upload.out, c.expected);
        EXPECT_EQ(levelSize(upload.texture, GL_TEXTURE_WIDTH), c.width);
        EXPECT_EQ(levelSize(upload.texture, GL_TEXTURE_HEIGHT), c.height);
    }
}

TEST_F(TextureTest, PalettedImageGivesTextureWithoutImage) {
    REQUIRE_GL_CONTEXT();
    const std::string path = folder + "/paletted.bmp";
    writeBmp8(path, 4, 4, {0x000000, 0xFF0000, 0x00FF00, 0x0000FF}, std::vector<uint8_t>(16, 1));
    SDL_Surface* image = loadBmp(path);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->format->BytesPerPixel, 1);
    const Upload upload = uploadCaptured(image);
    EXPECT_EQ(upload.out, "Texture loaded in program-memorywarning: the image is not truecolor.\n");
    ASSERT_NE(upload.texture, 0u);
    EXPECT_TRUE(glIsTexture(upload.texture));
    EXPECT_EQ(levelSize(upload.texture, GL_TEXTURE_WIDTH), 0);
}

TEST_F(TextureTest, MissingOrInvalidFileGivesNothing) {
    OutputCapture capture;
    EXPECT_EQ(loadBmp(folder + "/nowhere.bmp"), nullptr);
    const std::string text = folder + "/notes.bmp";
    writeTextFile(text, "this is not a picture\n");
    EXPECT_EQ(loadBmp(text), nullptr);
    capture.finish();
    EXPECT_EQ(capture.out(), "");
}
