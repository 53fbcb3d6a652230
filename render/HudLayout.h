#pragma once

#include "render/PictureSize.h"

// Where the head-up display puts things on the picture (pixels, row 0 at
// the top). The full-window pictures paint only these areas and are
// transparent elsewhere; the counters are small quads cut from the counter
// glyph atlas and drawn at these places, pixel for pixel.
namespace hud {

// The bar along the bottom edge: the mage's life on the left, the four rune
// slots in the middle, the monsters on the right.
const int BAR_LEFT = 56;
const int BAR_TOP = 648;
const int BAR_RIGHT = 968;
const int BAR_BOTTOM = 758;

// Slot i (red, green, blue, white) is a square of SLOT_SIZE pixels.
const int SLOT_SIZE = 84;
const int SLOT_GAP = 18;
const int SLOT_TOP = 660;
inline int slotLeft(int slot) {
    const int total = 4 * SLOT_SIZE + 3 * SLOT_GAP;
    return (PICTURE_WIDTH - total) / 2 + slot * (SLOT_SIZE + SLOT_GAP);
}

// The counter glyph atlas: the digits 0 to 9 side by side along its top,
// one cell each, below them the life meter full, one pip per point, and
// below that the difficulties' names and the opening screen's hint; on its
// right the demo's banner.
const int ATLAS_WIDTH = 512;
const int ATLAS_HEIGHT = 128;
const int DIGIT_WIDTH = 22;
const int DIGIT_HEIGHT = 34;
const int METER_ATLAS_TOP = 38;
// The life meter's pips: one per point of the standard game's life.
const int METER_PIPS = 20;
const int PIP_WIDTH = 6;
const int PIP_GAP = 2;
const int METER_HEIGHT = 22;
inline int meterWidth(int pips) {
    return pips > 0 ? pips * (PIP_WIDTH + PIP_GAP) - PIP_GAP : 0;
}

// A number is drawn right-aligned: its last digit ends at `right`.
struct CounterPlace {
    int right;
    int top;
};

// The life: its label, its number and its meter.
const int LIFE_LABEL_LEFT = 74;
const int LIFE_LABEL_BASELINE = 682;
const CounterPlace LIFE_NUMBER = {LIFE_LABEL_LEFT + 2 * DIGIT_WIDTH, 692};
const int METER_LEFT = 130;
const int METER_TOP = 698;

// The difficulty's name, one cell per difficulty, gentlest first, two to a
// row of the atlas; and the hint that L changes it, in a cell of its own.
const int LABEL_ATLAS_TOP = 64;
const int LABEL_WIDTH = 128;
const int LABEL_HEIGHT = 20;
const int LABEL_BASELINE = 15; // within its cell
struct AtlasCell {
    int left;
    int top;
};
inline AtlasCell difficultyLabelCell(int difficulty) {
    return {difficulty % 2 * LABEL_WIDTH, LABEL_ATLAS_TOP + difficulty / 2 * LABEL_HEIGHT};
}
const AtlasCell DIFFICULTY_HINT_CELL = {0, LABEL_ATLAS_TOP + 2 * LABEL_HEIGHT};
// The name stands under the life meter while playing and on the end
// picture; on the opening screen the hint and the name stand left of the
// tutorial's "Press P to play".
const AtlasCell BAR_LABEL_PLACE = {METER_LEFT, METER_TOP + METER_HEIGHT + 6};
const AtlasCell OPENING_HINT_PLACE = {232, 588};
const AtlasCell OPENING_LABEL_PLACE = {232, 609};

// The banner over the game while it plays itself, across the picture's top.
const AtlasCell DEMO_BANNER_CELL = {256, 0};
const int DEMO_BANNER_WIDTH = 256;
const int DEMO_BANNER_HEIGHT = 40;
const AtlasCell DEMO_BANNER_PLACE = {(PICTURE_WIDTH - DEMO_BANNER_WIDTH) / 2, 16};

// The monsters: how many are slain (of all), and how many are still to come.
const int MONSTER_LABEL_LEFT = 726;
const int SLAIN_LABEL_BASELINE = 684;
const int TO_COME_LABEL_BASELINE = 734;
const CounterPlace SLAIN_NUMBER = {866, 660};
const CounterPlace TO_COME_NUMBER = {866, 710};

// The rune marks atlas: solid cells the marks over a laid trap rune's kill
// square sample from. Row c (red, green, blue) holds that rune's outline
// colour, then its fill while the rune is ready, bright and dim for the
// pulse, then its outline while a monster is headed onto it; the last row
// holds the dark edge drawn under every outline. Each
// cell is a square of MARK_CELL pixels, so a sample at its centre takes one
// colour alone.
const int MARK_ATLAS_SIZE = 16;
const int MARK_CELL = 4;
enum MarkColumn { MARK_OUTLINE, MARK_FILL_BRIGHT, MARK_FILL_DIM, MARK_HEADED };
const int MARK_EDGE_ROW = 3;

// The fight's marks atlas, cells of MARKER_CELL pixels. Row 0 holds, for
// each monster kind (red, green, blue-striped), the body of its edge
// marker: a disc of the kind's colour on a dark rim, centred at
// (MARKER_DISC_X, MARKER_CELL / 2) with radius MARKER_DISC_RADIUS, and a tip
// pointing right out to MARKER_TIP_X. Row 1 holds each kind's symbol, the
// glyph of the rune that kills it, centred in its cell at the disc's size.
// The body's rim and smoothing stay within MARKER_MARGIN pixels of its disc
// and tip, and a symbol within MARKER_SYMBOL_HALF of its cell's centre:
// only those parts of the cells are drawn. Beside row 0 lie solid cells of
// MARKER_SOLID pixels in a row, for the marks drawn as lines and fills: the
// dark edge, the mage's facing, the four runes' colours (red, green, blue,
// white) for their spacing squares, and the faint square round the mage
// where the monsters stop.
const int MARKER_ATLAS_WIDTH = 256;
const int MARKER_ATLAS_HEIGHT = 128;
const int MARKER_CELL = 64;
const int MARKER_DISC_X = 24;
const int MARKER_DISC_RADIUS = 18;
const int MARKER_TIP_X = 52;
const int MARKER_MARGIN = 5;
const int MARKER_SYMBOL_ROW = 1;
const int MARKER_SYMBOL_HALF = 16;
const int MARKER_SOLID_LEFT = 3 * MARKER_CELL;
const int MARKER_SOLID = 8;
enum MarkerSolid {
    SOLID_EDGE,
    SOLID_FACING,
    SOLID_SPACING_FIRST,
    SOLID_STOP = SOLID_SPACING_FIRST + 4
};

} // namespace hud
