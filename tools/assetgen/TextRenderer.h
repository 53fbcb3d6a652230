#pragma once

#include "Image.h"

#include <glm/glm.hpp>

#include <string>

typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;

// Draws text with FreeType from a DejaVu font of the Debian packages.
class TextRenderer {
  public:
    // False from ok() when the library or the font could not be opened.
    explicit TextRenderer(const std::string& fontPath);
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    bool ok() const { return face != nullptr; }

    // Width in pixels of the text at the pixel size.
    int measure(const std::string& text, int pixelSize);
    // Draws the text with its baseline starting at (x, baseline).
    void draw(Image& image, const std::string& text, int pixelSize, float x, float baseline,
              glm::vec4 color);
    // Centred on x, with a soft dark shadow below-right for legibility.
    void drawCentred(Image& image, const std::string& text, int pixelSize, float centerX,
                     float baseline, glm::vec4 color, glm::vec4 shadow = glm::vec4(0, 0, 0, 0.8f));

  private:
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};
