#include "BmpWriter.h"

#include <fstream>

namespace {

const uint32_t INFO_HEADER_SIZE = 40;
const uint32_t BI_RGB = 0;
const uint32_t BI_BITFIELDS = 3;

void put16(std::vector<uint8_t>& bytes, uint32_t value) {
    bytes.push_back(static_cast<uint8_t>(value));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
}

void put32(std::vector<uint8_t>& bytes, uint32_t value) {
    put16(bytes, value & 0xFFFF);
    put16(bytes, value >> 16);
}

uint8_t channel(uint32_t pixel, int shift) {
    return static_cast<uint8_t>(pixel >> shift);
}

// File header, info header and the extras (masks or palette) before the pixels.
std::vector<uint8_t> headers(int width, int height, int bits, uint32_t compression,
                             const std::vector<uint8_t>& extras, size_t pixelBytes) {
    std::vector<uint8_t> bytes;
    const uint32_t pixelOffset = 14 + INFO_HEADER_SIZE + static_cast<uint32_t>(extras.size());
    bytes.push_back('B');
    bytes.push_back('M');
    put32(bytes, pixelOffset + static_cast<uint32_t>(pixelBytes));
    put32(bytes, 0);
    put32(bytes, pixelOffset);
    put32(bytes, INFO_HEADER_SIZE);
    put32(bytes, static_cast<uint32_t>(width));
    put32(bytes, static_cast<uint32_t>(height));
    put16(bytes, 1);
    put16(bytes, static_cast<uint32_t>(bits));
    put32(bytes, compression);
    put32(bytes, static_cast<uint32_t>(pixelBytes));
    put32(bytes, 2835);
    put32(bytes, 2835);
    put32(bytes, bits == 8 ? static_cast<uint32_t>(extras.size() / 4) : 0);
    put32(bytes, 0);
    bytes.insert(bytes.end(), extras.begin(), extras.end());
    return bytes;
}

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

size_t paddedRow(size_t bytes) {
    return (bytes + 3) / 4 * 4;
}

} // namespace

void writeBmp24(const std::string& path, const BmpImage& image) {
    const size_t row = paddedRow(static_cast<size_t>(image.width) * 3);
    std::vector<uint8_t> pixels;
    for (int y = image.height - 1; y >= 0; --y) {
        const size_t start = pixels.size();
        for (int x = 0; x < image.width; ++x) {
            const uint32_t p = image.pixels[static_cast<size_t>(y * image.width + x)];
            pixels.push_back(channel(p, 0));
            pixels.push_back(channel(p, 8));
            pixels.push_back(channel(p, 16));
        }
        pixels.resize(start + row, 0);
    }
    std::vector<uint8_t> bytes = headers(image.width, image.height, 24, BI_RGB, {}, pixels.size());
    bytes.insert(bytes.end(), pixels.begin(), pixels.end());
    writeFile(path, bytes);
}

void writeBmp32(const std::string& path, const BmpImage& image, bool redFirst) {
    std::vector<uint8_t> masks;
    if (redFirst) {
        put32(masks, 0x000000FF);
        put32(masks, 0x0000FF00);
        put32(masks, 0x00FF0000);
    }
    std::vector<uint8_t> pixels;
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const uint32_t p = image.pixels[static_cast<size_t>(y * image.width + x)];
            pixels.push_back(channel(p, redFirst ? 16 : 0));
            pixels.push_back(channel(p, 8));
            pixels.push_back(channel(p, redFirst ? 0 : 16));
            pixels.push_back(channel(p, 24));
        }
    }
    std::vector<uint8_t> bytes = headers(image.width, image.height, 32,
                                         redFirst ? BI_BITFIELDS : BI_RGB, masks, pixels.size());
    bytes.insert(bytes.end(), pixels.begin(), pixels.end());
    writeFile(path, bytes);
}

void writeBmp8(const std::string& path, int width, int height, const std::vector<uint32_t>& palette,
               const std::vector<uint8_t>& indices) {
    std::vector<uint8_t> colours;
    for (uint32_t entry : palette)
        put32(colours, entry & 0x00FFFFFF);
    const size_t row = paddedRow(static_cast<size_t>(width));
    std::vector<uint8_t> pixels;
    for (int y = height - 1; y >= 0; --y) {
        const size_t start = pixels.size();
        for (int x = 0; x < width; ++x)
            pixels.push_back(indices[static_cast<size_t>(y * width + x)]);
        pixels.resize(start + row, 0);
    }
    std::vector<uint8_t> bytes = headers(width, height, 8, BI_RGB, colours, pixels.size());
    bytes.insert(bytes.end(), pixels.begin(), pixels.end());
    writeFile(path, bytes);
}
