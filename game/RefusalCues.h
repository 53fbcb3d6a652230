#pragma once

#include "game/GameEvents.h"

// How long a refused rune's icon blinks: off and on twice.
const int REFUSED_BLINK_MS = 360;
// How long the square of the rune that refused a key shows.
const int SPACING_SQUARE_MS = 1000;

// What the display shows of the rune keys refused: the refused rune's icon
// blinks, and when another rune stood too close, that rune's square shows.
// The rules note the refusals and count the time down.
struct RefusalCues {
    int iconBlinkMs[4] = {0, 0, 0, 0}; // red, green, blue, white: ms left of the blink
    int squareColour = NO_COLOUR;      // the rune whose square shows, 0 red to 3 white
    int squareMs = 0;                  // ms left of it

    // Takes one of the player's events; only refusals change anything.
    void note(const GameEvent& event) {
        if (event.kind != GameEventKind::RUNE_REFUSED || event.colour < 0 || event.colour > 3)
            return;
        iconBlinkMs[event.colour] = REFUSED_BLINK_MS;
        if (event.cause != NO_COLOUR) {
            squareColour = event.cause;
            squareMs = SPACING_SQUARE_MS;
        }
    }

    void advance(int ms) {
        for (int& blink : iconBlinkMs)
            blink = blink > ms ? blink - ms : 0;
        squareMs = squareMs > ms ? squareMs - ms : 0;
    }
};
