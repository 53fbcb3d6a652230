#include "Textures.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

const float PI = 3.14159265358979f;

// Paints every pixel of a tile from its position (u, v in 0..1 inside the tile).
void paintTile(Image& image, int column, int row, int tiles,
               const std::function<glm::vec3(float, float)>& paint) {
    const int size = image.width() / tiles;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float u = (x + 0.5f) / size, v = (y + 0.5f) / size;
            image.at(column * size + x, row * size + y) = glm::vec4(paint(u, v), 1.0f);
        }
}

glm::vec3 mottled(glm::vec3 base, float u, float v, unsigned seed, float amount) {
    const float n = fractalNoise(u * 8.0f, v * 8.0f, seed, 3) - 0.5f;
    return glm::clamp(base * (1.0f + amount * n), 0.0f, 1.0f);
}

float smoothBand(float value, float from, float to, float soft) {
    const float a = std::clamp((value - from) / soft + 0.5f, 0.0f, 1.0f);
    const float b = std::clamp((to - value) / soft + 0.5f, 0.0f, 1.0f);
    return std::min(a, b);
}

// A five-pointed star mask around (cx, cy) in tile units.
float starMask(float u, float v, float cx, float cy, float radius) {
    const float dx = u - cx, dy = v - cy;
    const float r = std::sqrt(dx * dx + dy * dy);
    const float angle = std::atan2(dy, dx);
    const float edge = radius * (0.55f + 0.45f * std::pow(std::fabs(std::cos(2.5f * angle)), 3.0f));
    return r < edge ? 1.0f : 0.0f;
}

} // namespace

UvRect atlasTile(int column, int row, int tiles, int size) {
    const float step = 1.0f / tiles, inset = 3.0f / size;
    return {column * step + inset, row * step + inset, (column + 1) * step - inset,
            (row + 1) * step - inset};
}

UvRect mageTile(MageTile tile) {
    const int index = static_cast<int>(tile);
    return atlasTile(index % MAGE_ATLAS_TILES, index / MAGE_ATLAS_TILES, MAGE_ATLAS_TILES,
                     MAGE_ATLAS_SIZE);
}

Image mageTexture() {
    Image image(MAGE_ATLAS_SIZE, MAGE_ATLAS_SIZE, glm::vec4(1.0f));
    const glm::vec3 robe(0.28f, 0.22f, 0.72f), gold(0.95f, 0.75f, 0.25f);
    auto tile = [&](MageTile t, const std::function<glm::vec3(float, float)>& paint) {
        paintTile(image, t % MAGE_ATLAS_TILES, t / MAGE_ATLAS_TILES, MAGE_ATLAS_TILES, paint);
    };
    tile(MAGE_ROBE, [&](float u, float v) {
        glm::vec3 c = mottled(robe, u, v, 11, 0.25f);
        // Folds running down the robe, and a gold hem at the bottom (v near 1).
        c *= 0.85f + 0.15f * std::cos(u * 2.0f * PI * 5.0f);
        if (v > 0.86f)
            c = mottled(gold, u, v, 12, 0.2f);
        if (starMask(std::fmod(u * 3.0f, 1.0f), v * 3.0f, 0.5f, 1.2f, 0.13f) > 0.0f)
            c = glm::mix(c, gold, 0.8f);
        return c;
    });
    tile(MAGE_HAT, [&](float u, float v) {
        glm::vec3 c = mottled(robe * 0.9f, u, v, 13, 0.25f);
        if (smoothBand(v, 0.78f, 0.92f, 0.02f) > 0.5f)
            c = mottled(gold, u, v, 14, 0.15f);
        if (starMask(std::fmod(u * 4.0f, 1.0f), v * 4.0f, 0.5f, 1.6f, 0.16f) > 0.0f)
            c = glm::mix(c, glm::vec3(1.0f, 0.95f, 0.6f), 0.85f);
        return c;
    });
    tile(MAGE_SKIN, [&](float u, float v) {
        return mottled({0.96f, 0.76f, 0.6f}, u, v, 15, 0.1f);
    });
    tile(MAGE_BEARD, [&](float u, float v) {
        const float strands =
            0.85f + 0.15f * std::sin(u * 70.0f + 3.0f * fractalNoise(u * 4, v * 4, 16, 2));
        return glm::vec3(0.93f, 0.93f, 0.97f) * strands;
    });
    tile(MAGE_WOOD, [&](float u, float v) {
        const float grain = fractalNoise(u * 3.0f, v * 24.0f, 17, 3);
        return glm::vec3(0.45f, 0.28f, 0.13f) * (0.75f + 0.5f * grain);
    });
    tile(MAGE_CRYSTAL, [&](float u, float v) {
        const float d = glm::length(glm::vec2(u - 0.5f, v - 0.5f));
        return glm::mix(glm::vec3(0.75f, 1.0f, 1.0f), glm::vec3(0.2f, 0.85f, 1.0f), d * 1.6f);
    });
    tile(MAGE_BOOTS, [&](float u, float v) {
        return mottled({0.25f, 0.16f, 0.1f}, u, v, 18, 0.2f);
    });
    tile(MAGE_SLEEVE, [&](float u, float v) {
        glm::vec3 c = mottled(robe * 0.8f, u, v, 19, 0.2f);
        if (v > 0.82f)
            c = mottled(gold, u, v, 20, 0.2f);
        return c;
    });
    tile(MAGE_BELT, [&](float u, float v) {
        glm::vec3 c = mottled({0.42f, 0.25f, 0.12f}, u, v, 21, 0.2f);
        if (std::fabs(u - 0.5f) < 0.06f)
            c = gold;
        return c;
    });
    tile(MAGE_EYES, [&](float, float) { return glm::vec3(0.08f, 0.06f, 0.1f); });
    tile(MAGE_GOLD, [&](float u, float v) { return mottled(gold, u, v, 22, 0.15f); });
    return image;
}

UvRect monsterTile(MonsterTile tile) {
    const int index = static_cast<int>(tile);
    return atlasTile(index % MONSTER_ATLAS_TILES, index / MONSTER_ATLAS_TILES, MONSTER_ATLAS_TILES,
                     MONSTER_ATLAS_SIZE);
}

Image monsterTexture(const MonsterPalette& palette) {
    Image image(MONSTER_ATLAS_SIZE, MONSTER_ATLAS_SIZE, glm::vec4(1.0f));
    const unsigned seed = palette.seed;
    paintTile(image, 0, 0, MONSTER_ATLAS_TILES, [&](float u, float v) {
        // Skin with darker scales or warts.
        const float spots = fractalNoise(u * 10.0f, v * 10.0f, seed, 3);
        const float band = 0.5f + 0.5f * std::sin((u + v) * 2.0f * PI * 2.0f +
                                                  3.0f * fractalNoise(u * 2, v * 2, seed + 2, 2));
        if (band < palette.markingShare)
            return palette.markings * (0.9f + 0.2f * spots);
        return palette.skin * (0.8f + 0.35f * spots) * (spots > 0.68f ? 0.75f : 1.0f);
    });
    paintTile(image, 1, 0, MONSTER_ATLAS_TILES, [&](float u, float v) {
        const float stripes =
            0.85f + 0.15f * std::sin(v * 40.0f + 4.0f * fractalNoise(u * 3, v * 3, seed + 1, 2));
        return glm::clamp(palette.dark * stripes, 0.0f, 1.0f);
    });
    paintTile(image, 0, 1, MONSTER_ATLAS_TILES, [&](float u, float v) {
        // Horn and claw: banded from pale tip (v = 0) to darker root.
        return palette.accent * (1.0f - 0.35f * v) * (0.9f + 0.1f * std::sin(v * 30.0f + u));
    });
    paintTile(image, 1, 1, MONSTER_ATLAS_TILES, [&](float u, float v) {
        const float d = glm::length(glm::vec2(u - 0.5f, v - 0.5f));
        return glm::mix(glm::vec3(1.0f), palette.eyes, std::min(1.0f, d * 2.2f));
    });
    return image;
}

Image arenaFloorTexture() {
    const int size = 256;
    Image image(size, size, glm::vec4(1.0f));
    // Four rows of flagstones, each row offset by half a stone, with mortar
    // lines; everything repeats across the texture's edges.
    const int rows = 4;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float fy = static_cast<float>(y) / size * rows;
            const int row = static_cast<int>(fy);
            const float fx = static_cast<float>(x) / size * rows + (row % 2 == 1 ? 0.5f : 0.0f);
            const int column = static_cast<int>(std::floor(fx));
            const float inX = fx - std::floor(fx), inY = fy - row;
            const float edge = std::min(std::min(inX, 1.0f - inX), std::min(inY, 1.0f - inY));
            const unsigned stone = static_cast<unsigned>((column % rows + rows) % rows + row * 7);
            const float tint = 0.88f + 0.14f * valueNoise(static_cast<float>(stone), 0.5f, 31);
            const float grit = fractalNoise(x / 16.0f, y / 16.0f, 32, 4, size / 16);
            glm::vec3 c = glm::vec3(0.62f, 0.58f, 0.52f) * tint * (0.8f + 0.35f * grit);
            if (edge < 0.035f)
                c = glm::vec3(0.26f, 0.24f, 0.22f);
            else if (edge < 0.07f)
                c *= 0.82f;
            image.at(x, y) = glm::vec4(glm::clamp(c, 0.0f, 1.0f), 1.0f);
        }
    }
    return image;
}

Image arenaEmblemTexture() {
    const int size = 256;
    Image image(size, size, glm::vec4(0.5f, 0.47f, 0.42f, 1.0f));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float grit = fractalNoise(x / 12.0f, y / 12.0f, 41, 3);
            image.at(x, y) = glm::vec4(glm::vec3(0.5f, 0.47f, 0.42f) * (0.85f + 0.3f * grit), 1.0f);
        }
    const float c = size * 0.5f;
    const glm::vec4 inlay(0.82f, 0.68f, 0.36f, 1.0f), dark(0.22f, 0.2f, 0.26f, 1.0f);
    image.ring(c, c, size * 0.47f, 7.0f, dark);
    image.ring(c, c, size * 0.43f, 3.0f, inlay);
    image.ring(c, c, size * 0.24f, 4.0f, inlay);
    // An eight-pointed star between the rings, and four runes at the cardinal points.
    std::vector<glm::vec2> star;
    for (int i = 0; i < 16; ++i) {
        const float angle = PI * i / 8.0f;
        const float r = (i % 2 == 0 ? 0.41f : 0.2f) * size;
        star.push_back({c + r * std::sin(angle), c - r * std::cos(angle)});
    }
    image.polygon(star, glm::vec4(0.33f, 0.3f, 0.36f, 1.0f));
    image.disc(c, c, size * 0.1f, inlay);
    image.disc(c, c, size * 0.06f, dark);
    const glm::vec4 runeColors[4] = {{0.85f, 0.25f, 0.2f, 1.0f},
                                     {0.3f, 0.75f, 0.3f, 1.0f},
                                     {0.3f, 0.5f, 0.9f, 1.0f},
                                     {0.92f, 0.92f, 0.95f, 1.0f}};
    for (int i = 0; i < 4; ++i) {
        const float angle = PI * 0.5f * i + PI * 0.25f;
        image.disc(c + 0.33f * size * std::sin(angle), c - 0.33f * size * std::cos(angle),
                   size * 0.035f, runeColors[i]);
    }
    return image;
}

Image arenaWallTexture() {
    const int size = 128;
    Image image(size, size, glm::vec4(1.0f));
    const int rows = 2;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float fy = static_cast<float>(y) / size * rows;
            const int row = static_cast<int>(fy);
            const float fx = static_cast<float>(x) / size * 2.0f + (row % 2 == 1 ? 0.5f : 0.0f);
            const float inX = fx - std::floor(fx), inY = fy - row;
            const float edge =
                std::min(std::min(inX, 1.0f - inX) * 2.0f, std::min(inY, 1.0f - inY));
            const float grit = fractalNoise(x / 10.0f, y / 10.0f, 51, 3, size / 10);
            glm::vec3 c = glm::vec3(0.52f, 0.48f, 0.46f) * (0.8f + 0.35f * grit);
            if (edge < 0.05f)
                c = glm::vec3(0.22f, 0.2f, 0.2f);
            image.at(x, y) = glm::vec4(glm::clamp(c, 0.0f, 1.0f), 1.0f);
        }
    return image;
}

Image skyTexture() {
    const int width = 512, height = 256;
    Image image(width, height, glm::vec4(1.0f));
    const glm::vec3 zenith(0.16f, 0.2f, 0.5f), high(0.36f, 0.45f, 0.85f);
    const glm::vec3 horizon(1.0f, 0.66f, 0.45f), below(0.2f, 0.17f, 0.25f);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const float u = static_cast<float>(x) / width, v = (y + 0.5f) / height;
            // v = 0.5 is the horizon.
            glm::vec3 c;
            if (v < 0.5f) {
                const float t = v / 0.5f;
                c = t < 0.6f ? glm::mix(zenith, high, t / 0.6f)
                             : glm::mix(high, horizon, std::pow((t - 0.6f) / 0.4f, 1.6f));
                // Soft clouds, stronger towards the horizon, wrapping in u.
                const float cloud = fractalNoise(u * 16.0f, v * 24.0f, 61, 4, 16);
                const float amount = std::clamp((cloud - 0.5f) * 2.5f, 0.0f, 1.0f) * t * 0.6f;
                c = glm::mix(c, glm::vec3(1.0f, 0.9f, 0.85f), amount);
            } else {
                c = glm::mix(horizon * 0.8f, below, std::min(1.0f, (v - 0.5f) * 6.0f));
            }
            image.at(x, y) = glm::vec4(glm::clamp(c, 0.0f, 1.0f), 1.0f);
        }
    // A few stars high up.
    for (int i = 0; i < 140; ++i) {
        const float sx = valueNoise(i * 3.1f, 0.3f, 71) * width;
        const float sy = valueNoise(i * 1.7f, 5.3f, 72) * height * 0.22f;
        image.disc(sx, sy, 0.8f + valueNoise(i * 0.9f, 2.0f, 73),
                   glm::vec4(1.0f, 1.0f, 0.9f, 0.9f));
    }
    return image;
}
