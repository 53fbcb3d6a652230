#pragma once

#include "render/GL.h"

#include <glm/glm.hpp>

class ShaderProgram;

// Where W walks the mage: the direction, along the floor and of unit
// length, in which its model matrix carries it along its forward axis (its
// orientation times (0, 0, 1), as the player's update takes it).
glm::vec3 facingOnFloor(const glm::mat4& modelMatrix, const glm::mat4& orientation);

// Draws a chevron on the floor a step ahead of the mage, pointing where W
// walks it, over the finished scene so that the robe never hides it: filled
// in the facing colour on a dark edge. The interface program must be
// current with blending on; `markerAtlas` is the fight's marks atlas.
void drawFacingMark(const ShaderProgram& program, GLuint markerAtlas,
                    const glm::mat4& viewProjection, glm::vec3 mageAt, glm::vec3 facing);
