#pragma once

#include "players/ScriptedPlayer.h"

#include <vector>

struct Difficulty;
struct Scene;

// The presses of a lit trap rune's key in a game, and what came of them. A
// blast the game's end cuts short counts only when it has killed.
struct LitPresses {
    int presses = 0; // the key went down while its rune was lit
    int killed = 0;  // the blast it set off killed
    int ignored = 0; // the key did not set the rune off
    int missed = 0;  // the blast killed nothing: no monster of its colour stayed on the square
};

struct GameOutcome {
    bool won = false;
    int slain = 0;
    int lifeLeft = 0;
    int playedMs = 0;
    LitPresses lit;
    // How long each trap rune stayed lit, in ms of play, from lighting up to
    // going out (a press that sets it off ends it too).
    std::vector<int> litSpansMs;
};

// One whole game played by a scripted player without drawing, in
// milliseconds: a fresh game is made in the scene with the seed at the
// difficulty, and the game runs the main loop's releases and the frame's
// rules at the frame times given in turn, until it is won or lost or
// `limitMs` of play have passed. It prints nothing. The scene must be built (which needs a GL
// context); it is left as the game ended.
GameOutcome playHeadlessGame(Scene& scene, unsigned seed, const Difficulty& difficulty,
                             PlayStyle style, const std::vector<int>& frameTimes,
                             int limitMs = 600000);
