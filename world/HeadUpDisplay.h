#pragma once

#include "render/GL.h"

class GameWorld;

// The pieces of the head-up display, drawn by renderInterface in this order.

// The marks over the laid trap runes.
void drawRuneMarks(GameWorld& world);
// Blends a whole-window picture over the window where it is painted.
void drawPicture(GameWorld& world, GLuint texture);
// The rune icons in the bar.
void drawRuneIcons(GameWorld& world);
// The bar's counters: life, monsters slain and monsters still to come.
void drawCounters(GameWorld& world);
