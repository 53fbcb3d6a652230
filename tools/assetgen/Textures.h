#pragma once

#include "Geometry.h"
#include "Image.h"

#include <glm/glm.hpp>

// The model textures: 24-bit, power-of-two sizes. Figures use atlases of
// square tiles, each a flat colour with a little painted detail, which keeps
// the low-poly look while still being textured.

// The area of tile (column, row) of an atlas with `tiles` tiles a side, inset
// so linear filtering never mixes in the neighbouring tile.
UvRect atlasTile(int column, int row, int tiles, int size);

enum MageTile {
    MAGE_ROBE,
    MAGE_HAT,
    MAGE_SKIN,
    MAGE_BEARD,
    MAGE_WOOD,
    MAGE_CRYSTAL,
    MAGE_BOOTS,
    MAGE_SLEEVE,
    MAGE_BELT,
    MAGE_EYES,
    MAGE_GOLD,
    MAGE_TILE_COUNT
};
const int MAGE_ATLAS_SIZE = 256;
const int MAGE_ATLAS_TILES = 4;
UvRect mageTile(MageTile tile);
Image mageTexture();

// Colours of one monster kind.
struct MonsterPalette {
    glm::vec3 skin;
    glm::vec3 dark;   // hide, fur or cloth
    glm::vec3 accent; // horns, claws, teeth
    glm::vec3 eyes;   // glowing
    unsigned seed;
    // Bands painted across the skin, such as the blue rune's colour on the
    // monsters it kills; a share of 0 paints none.
    glm::vec3 markings = glm::vec3(0.0f);
    float markingShare = 0.0f;
};
enum MonsterTile { MONSTER_SKIN, MONSTER_DARK, MONSTER_ACCENT, MONSTER_EYES };
const int MONSTER_ATLAS_SIZE = 128;
const int MONSTER_ATLAS_TILES = 2;
UvRect monsterTile(MonsterTile tile);
Image monsterTexture(const MonsterPalette& palette);

// Flagstones that tile: one repeat covers FLOOR_TILE_WORLD world units.
const float FLOOR_TILE_WORLD = 2.0f;
Image arenaFloorTexture();
// The round emblem in the middle of the arena, mapped once over its disc.
Image arenaEmblemTexture();
// Dressed stone blocks of the rim wall and the gate pillars.
Image arenaWallTexture();
// The sky, in longitude (u) and latitude (v, 0 at the zenith).
Image skyTexture();
