#pragma once

#include <glm/glm.hpp>

class Model;

// A model's box (its bounds, placed by `matrix`) as the camera sees it.
struct ScreenBox {
    glm::vec2 low{0.0f}; // clip-space x and y after the division by w
    glm::vec2 high{0.0f};
    float distance = 0.0f; // of the box's centre from the eye
    bool seen = false;     // wholly in front of the eye
};

ScreenBox screenBoxOf(const Model& model, const glm::mat4& matrix, const glm::mat4& viewProjection,
                      glm::vec3 eye);

// Whether `front` hides most of `behind` from the camera: behind it, and
// covering at least half of it on the screen.
bool hidesMostOf(const ScreenBox& front, const ScreenBox& behind);

// How much of what lies behind shows through the mage while it hides a
// monster.
const float SEE_THROUGH_OPACITY = 0.35f;
