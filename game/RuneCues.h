#pragma once

#include "game/MonsterCourse.h"
#include "game/RuneColour.h"
#include "render/StopMarks.h"

#include <glm/glm.hpp>

#include <vector>

class Monster;

// Monsters nearer the mage than this (world units along the floor) show
// where they will stop, or where they stand once there.
const float ARRIVAL_MARK_RANGE = 3.0f;

// A laid trap rune as the cues read it.
struct TrapCueInput {
    bool laid;        // on the ground, not blasting
    bool keyWouldAct; // its key, pressed now, would set it off
    glm::vec3 at;     // where it lies
    float blastMs;    // how long its blast kills
};

// What the marks and the rune icons show of where the monsters go, judged
// from the state a frame leaves, as if the mage stood where it stands.
struct RuneCues {
    // Its key, pressed now, would set the rune off, and its blast would
    // catch a monster of its colour: one standing on its kill square, or
    // walking onto it while the blast lasts.
    bool ready[TRAP_COLOURS] = {false, false, false};
    // A monster of its colour is headed onto its kill square.
    bool headed[TRAP_COLOURS] = {false, false, false};
    std::vector<ArrivalMark> arrivals;
    // ms of play; paces a ready rune's pulse.
    int pulseClock = 0;
};

// The cues for the monsters round the mage, a frame of `frameMs` after the
// last. A key is read in the frame after it goes down, and its blast is
// judged from the frame after that on, twice a frame.
void judgeRuneCues(RuneCues& cues, const std::vector<Monster*>& monsters, glm::vec3 mage,
                   const TrapCueInput (&traps)[TRAP_COLOURS], int frameMs);
