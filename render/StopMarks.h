#pragma once

#include "render/GL.h"

#include <glm/glm.hpp>

#include <vector>

class ShaderProgram;

// Where the monsters stop, drawn over the finished scene so that nothing
// hides it. The interface program must be current with blending on;
// `markerAtlas` is the fight's marks atlas.

// Where a monster walking up to the mage will stop, or stands at it.
struct ArrivalMark {
    int kind; // 0 red, 1 green, 2 blue-striped
    glm::vec3 at;
    float distance; // of the monster from the mage now, along the floor
};

// The faint square round the mage's feet in which a monster walking up
// stops: `halfWidth` (an arm's length) along the world's x and z axes.
void drawStopSquare(const ShaderProgram& program, GLuint markerAtlas,
                    const glm::mat4& viewProjection, glm::vec3 mageAt, float halfWidth);

// A pin for each monster walking up, standing where it will stop and
// pointing at the mage, or where it stands once there: its kind's colour
// and symbol, as its edge marker.
void drawArrivalMarks(const ShaderProgram& program, GLuint markerAtlas,
                      const glm::mat4& viewProjection, glm::vec3 mageAt,
                      const std::vector<ArrivalMark>& arrivals);
