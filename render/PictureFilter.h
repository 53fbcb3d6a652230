#pragma once

#include "render/GL.h"

// A picture of the scene's size drawn into a viewport of that size shows
// every texel at the centre of its own pixel, where bilinear filtering reads
// that texel alone. Read nearest instead, it gives the same pixels for a
// good deal less work on a software renderer; scaled, it is filtered as
// uploaded. Each draw chooses; GL leaves a setting that does not change as
// it is.
bool viewportIsPictureSize();
void choosePictureFilter(GLuint texture, bool pixelForPixel);
