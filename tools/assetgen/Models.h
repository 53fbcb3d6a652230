#pragma once

#include "XModel.h"

#include <string>

// Each builder returns a finished model: geometry, skeleton and animation in
// the design frame, with the placement solved so that the game's load and
// start-up placement put it where the world needs it. A builder that cannot
// solve its placement leaves `error` set.

struct BuiltModel {
    XModel model;
    std::string error;
};

// The mage stands with its feet on the floor, its model origin at this
// height: a jump only moves the mage while its origin is above 0.23 and then
// stops wherever the last step left it, so resting just above 0.23 keeps the
// landing close to where it stood.
const float MAGE_RESTING_HEIGHT = 0.235f;

BuiltModel buildMage();

enum MonsterKind { RED_MONSTER, GREEN_MONSTER, PLAIN_MONSTER };
BuiltModel buildMonster(MonsterKind kind);

BuiltModel buildArena();
BuiltModel buildSky();

enum RuneColour { RED_RUNE, GREEN_RUNE, BLUE_RUNE, WHITE_RUNE };
BuiltModel buildRune(RuneColour colour);
BuiltModel buildParticle(RuneColour colour);

// Arena measures, in world units.
const float ARENA_FLOOR_RADIUS = 11.0f;
const float ARENA_RIM_INNER = 7.6f;
const float ARENA_RIM_OUTER = 8.0f;

// Moves every vertex and joint of the design by delta.
void shiftDesign(XModel& model, glm::vec3 delta);
