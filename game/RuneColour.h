#pragma once

// The runes' colours, in the one order the game counts them by: the three
// trap runes, which kill the monsters of kinds 0, 1 and 2, then the white
// anchor. Every array by colour, the events, the sounds, the icons and the
// marks follow it.
const int RUNE_RED = 0;
const int RUNE_GREEN = 1;
const int RUNE_BLUE = 2;
const int RUNE_WHITE = 3;
const int RUNE_COLOURS = 4;
// Red, green and blue: the trap runes.
const int TRAP_COLOURS = 3;

// Each colour's key.
const int RUNE_KEYS[RUNE_COLOURS] = {'1', '2', '3', 'E'};

// Where the order the runes are visited in shows, it is one of these. The
// mage looks after its runes white, blue, red, green: their timers count
// down and their keys are read in that order, so of two keys pressed in one
// frame the first read acts first. The laid runes are drawn blue, red,
// green, white, so that their blended fountains always overlap alike.
const int MAGE_RUNE_ORDER[RUNE_COLOURS] = {RUNE_WHITE, RUNE_BLUE, RUNE_RED, RUNE_GREEN};
const int RUNE_DRAW_ORDER[RUNE_COLOURS] = {RUNE_BLUE, RUNE_RED, RUNE_GREEN, RUNE_WHITE};
