#pragma once

#include "render/GL.h"

class ShaderProgram;

// The counters of the head-up display: numbers and the life meter, small
// quads cut from the counter glyph atlas and drawn pixel for pixel. The
// program must be current and take "vertPos", "vertUv" and "texture" as the
// interface program does; blending is the caller's.

// Draws the number right-aligned on the place (see render/HudLayout.h),
// without leading zeros.
void drawCounterNumber(const ShaderProgram& program, GLuint atlas, int value, int right, int top);

// Draws one full pip of the meter per life point, from its left end.
void drawLifeMeter(const ShaderProgram& program, GLuint atlas, int lifePoints);
