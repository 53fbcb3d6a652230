#pragma once

#include "render/GL.h"
#include "render/HudLayout.h"

class ShaderProgram;

// The counters of the head-up display: numbers and the life meter, small
// quads cut from the counter glyph atlas and drawn pixel for pixel. The
// program must be current and take "vertPos", "vertUv" and "texture" as the
// interface program does; blending is the caller's.

// Draws the number right-aligned on the place (see render/HudLayout.h),
// without leading zeros.
void drawCounterNumber(const ShaderProgram& program, GLuint atlas, int value, int right, int top);

// How many of the meter's pips are full: the share of a game's full life
// that is left, rounded up, so a mage with any life left shows a pip. With
// as many points as pips (the standard game's 20), one pip per point.
int lifeMeterPips(int lifePoints, int fullLife);

// Draws the full pips of the meter, from its left end.
void drawLifeMeter(const ShaderProgram& program, GLuint atlas, int lifePoints, int fullLife);

// Draws one label cell of the atlas (a difficulty's name, or the hint that
// L changes it) at a place of the picture.
void drawCounterLabel(const ShaderProgram& program, GLuint atlas, hud::AtlasCell cell,
                      hud::AtlasCell place);

// Draws the demo's banner from the atlas, across the picture's top.
void drawDemoBanner(const ShaderProgram& program, GLuint atlas);
