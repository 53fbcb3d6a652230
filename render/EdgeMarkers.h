#pragma once

#include "render/GL.h"

#include <glm/glm.hpp>

#include <vector>

class ShaderProgram;

// A monster's centre above the floor: they stand about 0.6 tall.
const float MONSTER_CENTRE_HEIGHT = 0.3f;

// Where a monster's edge marker goes. The visible picture is the whole
// picture above the head-up display bar's top edge; a monster whose centre
// projects into it, edges included, gets no marker.
struct EdgeMarkerPlace {
    bool shown;
    glm::vec2 centre; // picture pixels, x from the left edge, y down from the top
    glm::vec2 toward; // unit length, in picture pixels (y down): toward the monster
};

// The marker of a monster whose centre is `clip` in the camera's clip space:
// on the line from the picture's centre toward the monster, where it meets
// the visible picture's edge moved `inset` pixels inward. Behind the eye
// (w <= 0) the projection mirrors a point, so the line follows the clip
// coordinates' own x and y, which keep their side; a monster straight
// behind the eye is marked at the foot, toward the viewer.
EdgeMarkerPlace edgeMarkerPlace(glm::vec4 clip, float inset);

// The marker's diameter in picture pixels for a monster `distance` world
// units from the mage: the nearer, the larger.
float edgeMarkerSize(float distance);

// How far inside the visible picture's edge a marker of that size keeps its
// centre, so that its tip stays in the picture.
float edgeMarkerInset(float size);

struct EdgeMarker {
    int kind; // 0 red, 1 green, 2 blue-striped
    EdgeMarkerPlace place;
    float size;
};

// Draws the markers in one go, each over those before it: its body, the tip
// turned toward the monster, and the kind's symbol upright on it. The
// interface program must be current with blending on; `atlas` is the
// fight's marks atlas.
void drawEdgeMarkers(const ShaderProgram& program, GLuint atlas,
                     const std::vector<EdgeMarker>& markers);
