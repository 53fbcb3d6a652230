#include "Image.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

void put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

namespace {

uint8_t toByte(float value) {
    return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

float coverageOfDistance(float signedDistance) {
    // Distance inside the shape is negative; one pixel of soft edge.
    return std::clamp(0.5f - signedDistance, 0.0f, 1.0f);
}

uint32_t hash(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

} // namespace

Image::Image(int width, int height, glm::vec4 fill)
    : w(width), h(height), pixels(static_cast<std::size_t>(width) * height, fill) {}

void Image::blend(int x, int y, glm::vec4 color, float coverage) {
    if (x < 0 || y < 0 || x >= w || y >= h)
        return;
    const float a = std::clamp(color.a * coverage, 0.0f, 1.0f);
    if (a <= 0.0f)
        return;
    glm::vec4& dst = at(x, y);
    const float outA = a + dst.a * (1.0f - a);
    const glm::vec3 rgb =
        (glm::vec3(color) * a + glm::vec3(dst) * dst.a * (1.0f - a)) / std::max(outA, 1e-6f);
    dst = glm::vec4(rgb, outA);
}

void Image::fillRect(int x0, int y0, int x1, int y1, glm::vec4 color) {
    for (int y = std::max(0, y0); y < std::min(h, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(w, x1); ++x)
            blend(x, y, color);
}

void Image::roundedRect(float x0, float y0, float x1, float y1, float radius, glm::vec4 color,
                        float outline) {
    const glm::vec2 center((x0 + x1) * 0.5f, (y0 + y1) * 0.5f);
    const glm::vec2 half((x1 - x0) * 0.5f - radius, (y1 - y0) * 0.5f - radius);
    for (int y = std::max(0, static_cast<int>(y0) - 1); y < std::min(h, static_cast<int>(y1) + 2);
         ++y) {
        for (int x = std::max(0, static_cast<int>(x0) - 1);
             x < std::min(w, static_cast<int>(x1) + 2); ++x) {
            const glm::vec2 p(x + 0.5f, y + 0.5f);
            const glm::vec2 q = glm::abs(p - center) - half;
            const float d = glm::length(glm::max(q, glm::vec2(0.0f))) +
                            std::min(std::max(q.x, q.y), 0.0f) - radius;
            float coverage = coverageOfDistance(d);
            if (outline > 0.0f)
                coverage = std::min(coverage, coverageOfDistance(-d - outline));
            blend(x, y, color, coverage);
        }
    }
}

void Image::disc(float cx, float cy, float radius, glm::vec4 color) {
    for (int y = std::max(0, static_cast<int>(cy - radius) - 1);
         y < std::min(h, static_cast<int>(cy + radius) + 2); ++y)
        for (int x = std::max(0, static_cast<int>(cx - radius) - 1);
             x < std::min(w, static_cast<int>(cx + radius) + 2); ++x)
            blend(
                x, y, color,
                coverageOfDistance(glm::length(glm::vec2(x + 0.5f - cx, y + 0.5f - cy)) - radius));
}

void Image::ring(float cx, float cy, float radius, float thickness, glm::vec4 color) {
    const float outer = radius + thickness * 0.5f;
    for (int y = std::max(0, static_cast<int>(cy - outer) - 1);
         y < std::min(h, static_cast<int>(cy + outer) + 2); ++y) {
        for (int x = std::max(0, static_cast<int>(cx - outer) - 1);
             x < std::min(w, static_cast<int>(cx + outer) + 2); ++x) {
            const float d =
                std::fabs(glm::length(glm::vec2(x + 0.5f - cx, y + 0.5f - cy)) - radius) -
                thickness * 0.5f;
            blend(x, y, color, coverageOfDistance(d));
        }
    }
}

void Image::line(glm::vec2 a, glm::vec2 b, float thickness, glm::vec4 color) {
    const glm::vec2 low = glm::min(a, b) - glm::vec2(thickness + 1.0f);
    const glm::vec2 high = glm::max(a, b) + glm::vec2(thickness + 1.0f);
    const glm::vec2 ab = b - a;
    const float length2 = std::max(glm::dot(ab, ab), 1e-6f);
    for (int y = std::max(0, static_cast<int>(low.y));
         y < std::min(h, static_cast<int>(high.y) + 1); ++y) {
        for (int x = std::max(0, static_cast<int>(low.x));
             x < std::min(w, static_cast<int>(high.x) + 1); ++x) {
            const glm::vec2 p(x + 0.5f, y + 0.5f);
            const float t = std::clamp(glm::dot(p - a, ab) / length2, 0.0f, 1.0f);
            const float d = glm::length(p - (a + t * ab)) - thickness * 0.5f;
            blend(x, y, color, coverageOfDistance(d));
        }
    }
}

void Image::polygon(const std::vector<glm::vec2>& points, glm::vec4 color) {
    glm::vec2 low(1e9f), high(-1e9f);
    for (const glm::vec2& p : points) {
        low = glm::min(low, p);
        high = glm::max(high, p);
    }
    auto inside = [&](glm::vec2 p) {
        bool in = false;
        for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const glm::vec2 &a = points[i], &b = points[j];
            if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
                in = !in;
        }
        return in;
    };
    for (int y = std::max(0, static_cast<int>(low.y) - 1);
         y < std::min(h, static_cast<int>(high.y) + 2); ++y) {
        for (int x = std::max(0, static_cast<int>(low.x) - 1);
             x < std::min(w, static_cast<int>(high.x) + 2); ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    hits +=
                        inside(glm::vec2(x + (sx + 0.5f) / 4.0f, y + (sy + 0.5f) / 4.0f)) ? 1 : 0;
            blend(x, y, color, hits / 16.0f);
        }
    }
}

bool Image::writeBmp(const std::string& path, bool withAlpha) const {
    const int bytesPerPixel = withAlpha ? 4 : 3;
    const uint32_t rowSize = static_cast<uint32_t>((w * bytesPerPixel + 3) & ~3);
    const uint32_t imageSize = rowSize * static_cast<uint32_t>(h);
    std::vector<uint8_t> out;
    out.reserve(54 + imageSize);
    // File header, then the plain 40-byte BITMAPINFOHEADER, uncompressed:
    // SDL 1.2 reads it, and for 32 bits keeps the fourth byte of each pixel,
    // which the game uploads as alpha.
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + imageSize);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, static_cast<uint32_t>(w));
    put32(out, static_cast<uint32_t>(h)); // positive: rows stored bottom-up
    put16(out, 1);
    put16(out, static_cast<uint32_t>(bytesPerPixel * 8));
    put32(out, 0); // BI_RGB
    put32(out, imageSize);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        std::size_t start = out.size();
        for (int x = 0; x < w; ++x) {
            const glm::vec4& p = at(x, y);
            out.push_back(toByte(p.b));
            out.push_back(toByte(p.g));
            out.push_back(toByte(p.r));
            if (withAlpha)
                out.push_back(toByte(p.a));
        }
        while (out.size() - start < rowSize)
            out.push_back(0);
    }
    return writeBytes(path, out);
}

bool Image::writePng(const std::string& path) const {
    std::vector<uint8_t> rgba;
    rgba.reserve(static_cast<std::size_t>(w) * h * 4);
    for (const glm::vec4& p : pixels)
        for (float channel : {p.r, p.g, p.b, p.a})
            rgba.push_back(toByte(channel));
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(w);
    image.height = static_cast<png_uint_32>(h);
    image.format = PNG_FORMAT_RGBA;
    if (!png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr)) {
        std::fprintf(stderr, "assetgen: cannot write %s: %s\n", path.c_str(), image.message);
        return false;
    }
    return true;
}

float valueNoise(float x, float y, uint32_t seed, int period) {
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    const float fx = x - x0, fy = y - y0;
    auto wrap = [&](int v) { return period > 0 ? ((v % period) + period) % period : v; };
    auto corner = [&](int cx, int cy) {
        return (hash(wrap(cx), wrap(cy), seed) & 0xFFFF) / 65535.0f;
    };
    const float sx = fx * fx * (3.0f - 2.0f * fx), sy = fy * fy * (3.0f - 2.0f * fy);
    const float top = corner(x0, y0) + (corner(x0 + 1, y0) - corner(x0, y0)) * sx;
    const float bottom = corner(x0, y0 + 1) + (corner(x0 + 1, y0 + 1) - corner(x0, y0 + 1)) * sx;
    return top + (bottom - top) * sy;
}

float fractalNoise(float x, float y, uint32_t seed, int octaves, int period) {
    float sum = 0.0f, amplitude = 0.5f, total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * valueNoise(x, y, seed + static_cast<uint32_t>(i) * 101u, period);
        total += amplitude;
        x *= 2.0f;
        y *= 2.0f;
        period *= 2;
        amplitude *= 0.5f;
    }
    return sum / total;
}
