#pragma once

#include "render/GL.h"

#include <glm/glm.hpp>

class ShaderProgram;

// A laid trap rune as its marks show it: its colour (0 red, 1 green,
// 2 blue), where it lies and the half-width of its kill square, whether a
// monster of its colour is headed onto it, and whether a blast set off now
// would kill.
struct RuneMark {
    int colour;
    glm::vec3 centre;
    float halfWidth;
    bool headed;
    bool ready;
};

// Draws the mark of a laid trap rune over the finished scene, through the
// camera's view and projection: the outline of its kill square, which the
// mage standing on it cannot hide, drawn bright and twice as thick while a
// monster of its colour is headed onto it, and, while the rune is ready, a
// fill that pulses between bright and dim. The interface program must be
// current with blending on; `atlas` is the rune marks atlas.
void drawRuneMark(const ShaderProgram& program, GLuint atlas, const glm::mat4& viewProjection,
                  const RuneMark& mark, bool brightPhase);

// Draws the square in which a rune refuses another (`halfWidth` about it,
// along the world's x and z axes) over the finished scene, as an
// outline in the rune's colour (0 red, 1 green, 2 blue, 3 white) on a dark
// edge. The interface program must be current with blending on;
// `markerAtlas` is the fight's marks atlas.
void drawSpacingSquare(const ShaderProgram& program, GLuint markerAtlas,
                       const glm::mat4& viewProjection, int colour, glm::vec3 centre,
                       float halfWidth);
