#pragma once

#include "render/GL.h"

#include <glm/glm.hpp>

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

// World points through the camera's view and projection into clip-space
// positions of 4 floats each, as drawInterfaceVertices takes them. Points
// behind the eye are left to GL's clipping, which cuts shapes at the near
// plane rather than mirroring them.
void projectToClip(const glm::mat4& viewProjection, const glm::vec3* points, int count,
                   float* positions);

// The same atlas point for `count` vertices: a shape in one colour.
void pointUvs(float s, float t, int count, float* uvs);

// A closed line through `count` clip-space points in one colour of the atlas,
// over a wider line in another: an outline on its dark edge, which reads on
// the pale floor and on dark robes alike.
struct OutlineLook {
    float edgeS, edgeT;     // the edge's atlas point
    float colourS, colourT; // the outline's
    float edgeWidth;        // pixels
    float width;            // pixels
};
void drawOutline(const ShaderProgram& program, GLuint atlas, const float* positions, int count,
                 const OutlineLook& look);
