#include "IconFile.h"

#include "ByteFile.h"
#include "Image.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <utility>

namespace {

const uint8_t PNG_SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
const std::size_t ICON_HEADER_SIZE = 6;
const std::size_t ICON_ENTRY_SIZE = 16;

uint32_t bigEndian32(const std::vector<uint8_t>& bytes, std::size_t at) {
    return (uint32_t(bytes[at]) << 24) | (uint32_t(bytes[at + 1]) << 16) |
           (uint32_t(bytes[at + 2]) << 8) | uint32_t(bytes[at + 3]);
}

// The picture's width from its PNG header (the IHDR chunk comes first), or 0.
uint32_t pngWidth(const std::vector<uint8_t>& png) {
    if (png.size() < 24 || std::memcmp(png.data(), PNG_SIGNATURE, 8) != 0 ||
        std::memcmp(png.data() + 12, "IHDR", 4) != 0)
        return 0;
    return bigEndian32(png, 16);
}

} // namespace

bool writeIconFile(const std::string& path, const std::vector<std::string>& pngPaths) {
    std::vector<std::vector<uint8_t>> pictures;
    for (const std::string& pngPath : pngPaths) {
        std::ifstream in(pngPath, std::ios::binary);
        std::vector<uint8_t> png((std::istreambuf_iterator<char>(in)),
                                 std::istreambuf_iterator<char>());
        const uint32_t width = pngWidth(png);
        // An icon entry stores sizes up to 256, with 256 written as 0.
        if (width == 0 || width > 256) {
            std::fprintf(stderr, "assetgen: %s is no PNG of at most 256 pixels\n", pngPath.c_str());
            return false;
        }
        pictures.push_back(std::move(png));
    }

    std::vector<uint8_t> out;
    put16(out, 0); // reserved
    put16(out, 1); // an icon, not a cursor
    put16(out, static_cast<uint32_t>(pictures.size()));
    uint32_t offset = static_cast<uint32_t>(ICON_HEADER_SIZE + ICON_ENTRY_SIZE * pictures.size());
    for (const std::vector<uint8_t>& png : pictures) {
        const uint32_t size = pngWidth(png) % 256;
        out.push_back(static_cast<uint8_t>(size)); // width
        out.push_back(static_cast<uint8_t>(size)); // height
        out.push_back(0);                          // no palette
        out.push_back(0);                          // reserved
        put16(out, 1);                             // colour planes
        put16(out, 32);                            // bits per pixel
        put32(out, static_cast<uint32_t>(png.size()));
        put32(out, offset);
        offset += static_cast<uint32_t>(png.size());
    }
    for (const std::vector<uint8_t>& png : pictures)
        out.insert(out.end(), png.begin(), png.end());
    return writeBytes(out, path);
}
