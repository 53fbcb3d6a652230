#pragma once

#include <glm/glm.hpp>

#include <cstdint>
#include <string>
#include <vector>

// A picture being painted: straight (not premultiplied) RGBA in 0..1, row 0
// at the top.
class Image {
  public:
    Image(int width, int height, glm::vec4 fill = glm::vec4(0.0f));

    int width() const { return w; }
    int height() const { return h; }
    glm::vec4& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * w + x]; }
    const glm::vec4& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * w + x]; }

    // Lays colour over the pixel with the given coverage (0..1), "over" blending.
    void blend(int x, int y, glm::vec4 color, float coverage = 1.0f);
    void fillRect(int x0, int y0, int x1, int y1, glm::vec4 color);
    // A rectangle with rounded corners, anti-aliased, optionally only an outline.
    void roundedRect(float x0, float y0, float x1, float y1, float radius, glm::vec4 color,
                     float outline = 0.0f);
    void disc(float cx, float cy, float radius, glm::vec4 color);
    void ring(float cx, float cy, float radius, float thickness, glm::vec4 color);
    void line(glm::vec2 a, glm::vec2 b, float thickness, glm::vec4 color);
    // A closed polygon, filled, anti-aliased by supersampling.
    void polygon(const std::vector<glm::vec2>& points, glm::vec4 color);

    // 24-bit (no alpha) or 32-bit BMP with a plain 40-byte info header.
    bool writeBmp(const std::string& path, bool withAlpha) const;
    // 8-bit RGBA PNG, through libpng.
    bool writePng(const std::string& path) const;

  private:
    int w, h;
    std::vector<glm::vec4> pixels;
};

// Little-endian fields of the binary files the generator writes (BMP, icon).
void put16(std::vector<uint8_t>& out, uint32_t value);
void put32(std::vector<uint8_t>& out, uint32_t value);
// Writes the bytes into a new file; says so on stderr when it cannot.
bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// Deterministic value noise in 0..1 for textures; with a period above 0 the
// noise repeats every `period` units, for textures that tile.
float valueNoise(float x, float y, uint32_t seed, int period = 0);
float fractalNoise(float x, float y, uint32_t seed, int octaves = 4, int period = 0);
