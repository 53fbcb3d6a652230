#pragma once

// Where the head-up display pictures put things on the 1024 by 768 screen
// (pixels, row 0 at the top). Every picture covers the whole screen; only
// these areas are painted, the rest is transparent.
namespace hud {

const int SCREEN_WIDTH = 1024;
const int SCREEN_HEIGHT = 768;

// The bar along the bottom edge that holds the four rune slots.
const int BAR_LEFT = 300;
const int BAR_TOP = 648;
const int BAR_RIGHT = 724;
const int BAR_BOTTOM = 758;

// Slot i (red, green, blue, white) is a square of SLOT_SIZE pixels.
const int SLOT_SIZE = 84;
const int SLOT_GAP = 18;
const int SLOT_TOP = 660;
inline int slotLeft(int slot) {
    const int total = 4 * SLOT_SIZE + 3 * SLOT_GAP;
    return (SCREEN_WIDTH - total) / 2 + slot * (SLOT_SIZE + SLOT_GAP);
}

} // namespace hud
