#pragma once

#include "XModel.h"

#include <glm/glm.hpp>

#include <functional>

// The game normalises every model when it loads it and places it with fixed
// numbers at start-up. These functions repeat that arithmetic so the
// generator can size and offset each file for the world the game builds.
//
// At load the game scales by s = 1 / sqrt(sum of the squares of all six bound
// components) and then translates by -s * boundsCentre, on top of the
// start-up placement; a model point p thus lands at placement(s p - s^2 c).

// The start-up placements of the game's models.
glm::mat4 magePlacement();
glm::mat4 arenaPlacement();
glm::mat4 skyPlacement();
glm::mat4 monsterPlacement();
glm::mat4 particlePlacement();
glm::mat4 runePlacement();
// The translation of spawn corner 0, in the monster model's frame.
glm::mat4 monsterCorner(int corner);

struct LoadedBounds {
    glm::vec3 minimum;
    glm::vec3 maximum;
    float scale;
    glm::vec3 center;
};

// The bounds, scale factor and centre the game computes for the model as the
// placement puts its mesh into the model frame.
LoadedBounds loadedBounds(const XModel& model);
// The same for a mesh known only by its design bounding box. The placements
// only turn by quarter turns and scale evenly, so the box's corners give the
// exact bounds.
LoadedBounds loadedBounds(glm::vec3 designLow, glm::vec3 designHigh, const Placement& placement);
void designBounds(const XModel& model, glm::vec3& low, glm::vec3& high);
// A design point in the world, the model known by its design box.
glm::vec3 worldPoint(glm::vec3 designLow, glm::vec3 designHigh, const Placement& placement,
                     const glm::mat4& startPlacement, glm::vec3 design,
                     const glm::mat4& after = glm::mat4(1.0f));

// startPlacement x the game's normalisation.
glm::mat4 worldMatrix(const XModel& model, const glm::mat4& startPlacement);

// Design point to world point for the model under the start placement (and
// an extra matrix post-multiplied after the load, as a monster's corner).
glm::vec3 worldPoint(const XModel& model, const glm::mat4& startPlacement, glm::vec3 design,
                     const glm::mat4& after = glm::mat4(1.0f));

// The lowest and highest world points of the mesh.
void worldExtent(const XModel& model, const glm::mat4& startPlacement, glm::vec3& low,
                 glm::vec3& high, const glm::mat4& after = glm::mat4(1.0f));

// For a start placement of the form sigma * quarterTurn * translate(shift),
// whose turn undoes the placement's axes: chooses the placement's scale and
// offset so that every design point lands exactly on itself in the world.
// Returns false when no scale is consistent with the bounds it produces.
bool fitExactly(XModel& model, float sigma, glm::vec3 shift, const glm::mat4& startPlacement);

// Finds x in [low, high] where f changes sign, by scanning then bisection;
// returns false when there is no sign change.
bool findRoot(const std::function<double(double)>& f, double low, double high, double& root,
              bool logarithmic = true);
