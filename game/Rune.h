#pragma once

#include "game/RuneColour.h"

#include <glm/glm.hpp>

class Model;
class ParticleSystem;

// Where a rune waits while it is not on the ground: outside the arena disc.
const float RUNE_PARK = 10.0f;

// The height above the floor (world height 0) of a trap rune's face, the
// square its blast kills in.
const float RUNE_FACE_HEIGHT = 0.014f;

// Runes keep this far apart along the world's x and z axes: no rune may be
// laid strictly within it of another.
const float RUNE_SPACING = 0.7f;

// How long a trap rune's blast kills once it is set off, in ms.
const float RED_BLAST_MS = 500.0f;
const float GREEN_BLAST_MS = 500.0f;
const float BLUE_BLAST_MS = 300.0f;
const float TRAP_BLAST_MS[TRAP_COLOURS] = {RED_BLAST_MS, GREEN_BLAST_MS, BLUE_BLAST_MS};

// A rune model paired with the particle fountain of its colour.
class Rune {
  public:
    Rune(Model* model, ParticleSystem* particles);

    // Moves a rune that is not placed onto (x, z), keeping its height.
    void moveTo(float x, float y, float z);
    void park() { moveTo(RUNE_PARK, RUNE_PARK, RUNE_PARK); }

    Model* model;
    ParticleSystem* particles;
    glm::vec3 position{0.0f};
    bool placed = false;
};
