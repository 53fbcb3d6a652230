#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes small BMP files for the texture tests. Pixels are given top row
// first as 0xAARRGGBB; the file stores them bottom row first as BMP does.
struct BmpImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

// 24 bits per pixel, rows padded to 4 bytes.
void writeBmp24(const std::string& path, const BmpImage& image);
// 32 bits per pixel. With redFirst the file declares bit fields with red in
// the lowest byte (R, G, B, A in memory); otherwise plain B, G, R, A bytes.
void writeBmp32(const std::string& path, const BmpImage& image, bool redFirst);
// 8 bits per pixel with the given palette; pixels are palette indices.
void writeBmp8(const std::string& path, int width, int height, const std::vector<uint32_t>& palette,
               const std::vector<uint8_t>& indices);
