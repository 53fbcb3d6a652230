#pragma once

#include "render/GL.h"

class ShaderProgram;
struct PaintedArea;
struct ScreenQuad;

// Draws `count` vertices from client memory with the interface program,
// which must be current: clip-space positions of 4 floats and texture
// coordinates of 2, the picture's row 0 at t = 1 as on the screen quad.
// The texture goes on unit 0; blending is the caller's. The arrays are
// disabled again afterwards, since they usually live on the caller's stack.
void drawInterfaceVertices(const ShaderProgram& program, GLuint texture, GLenum mode,
                           const float* positions, const float* uvs, int count);

// Blends a picture over the window where it is painted, as the screen quad
// would over the whole window: the quad's inputs are looked up in its own
// program (the post-process one) while the interface program is current.
void drawPaintedPicture(const ScreenQuad& quad, GLuint texture, const PaintedArea& area);
