#include "TextRenderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// The characters of UTF-8 text, so that a '·' is one character, not two.
std::vector<FT_ULong> characters(const std::string& text) {
    std::vector<FT_ULong> decoded;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        FT_ULong code = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (int k = 1; k < length && i + k < text.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        decoded.push_back(code);
        i += static_cast<std::size_t>(length);
    }
    return decoded;
}

} // namespace

TextRenderer::TextRenderer(const std::string& fontPath) {
    if (FT_Init_FreeType(&library) != 0) {
        library = nullptr;
        std::fprintf(stderr, "assetgen: FreeType does not start\n");
        return;
    }
    if (FT_New_Face(library, fontPath.c_str(), 0, &face) != 0) {
        face = nullptr;
        std::fprintf(stderr, "assetgen: cannot open font %s\n", fontPath.c_str());
    }
}

TextRenderer::~TextRenderer() {
    if (face != nullptr)
        FT_Done_Face(face);
    if (library != nullptr)
        FT_Done_FreeType(library);
}

int TextRenderer::measure(const std::string& text, int pixelSize) {
    if (face == nullptr)
        return 0;
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
    long advance = 0;
    for (FT_ULong c : characters(text)) {
        if (FT_Load_Char(face, c, FT_LOAD_DEFAULT) == 0)
            advance += face->glyph->advance.x;
    }
    return static_cast<int>(advance >> 6);
}

void TextRenderer::draw(Image& image, const std::string& text, int pixelSize, float x,
                        float baseline, glm::vec4 color) {
    if (face == nullptr)
        return;
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
    float penX = x;
    for (FT_ULong c : characters(text)) {
        if (FT_Load_Char(face, c, FT_LOAD_RENDER) != 0)
            continue;
        const FT_GlyphSlot glyph = face->glyph;
        const FT_Bitmap& bitmap = glyph->bitmap;
        const int left = static_cast<int>(penX) + glyph->bitmap_left;
        const int top = static_cast<int>(baseline) - glyph->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row)
            for (unsigned col = 0; col < bitmap.width; ++col) {
                const unsigned char value = bitmap.buffer[row * bitmap.pitch + col];
                if (value > 0)
                    image.blend(left + static_cast<int>(col), top + static_cast<int>(row), color,
                                value / 255.0f);
            }
        penX += static_cast<float>(glyph->advance.x) / 64.0f;
    }
}

void TextRenderer::drawCentred(Image& image, const std::string& text, int pixelSize, float centerX,
                               float baseline, glm::vec4 color, glm::vec4 shadow) {
    const float x = centerX - measure(text, pixelSize) * 0.5f;
    const float offset = std::max(1.0f, pixelSize / 24.0f);
    if (shadow.a > 0.0f)
        draw(image, text, pixelSize, x + offset, baseline + offset, shadow);
    draw(image, text, pixelSize, x, baseline, color);
}
