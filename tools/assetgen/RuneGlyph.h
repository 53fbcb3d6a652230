#pragma once

#include "PictureStyle.h"

#include <glm/glm.hpp>

class Image;

// The glyph of each rune (0 red, 1 green, 2 blue, 3 white), as on its disc
// in the arena, centred at (cx, cy) and reaching r from it. Its strokes are
// `width` pixels thick, or r * 0.16 when width is 0.
void runeGlyph(Image& image, int rune, float cx, float cy, float r, glm::vec4 color,
               float width = 0.0f);
