#pragma once

#include <glm/glm.hpp>

#include <cmath>

const float DEGREES_PER_RADIAN = 57.295776f;

// The angle in degrees whose cosine is given. Unit vectors built from rounded
// floats can give dot products just outside [-1, 1], which acos would turn
// into NaN, so the cosine is clamped first.
inline float degreesFromCosine(float cosine) {
    return std::acos(glm::clamp(cosine, -1.0f, 1.0f)) * DEGREES_PER_RADIAN;
}

// The angle in degrees between two unit vectors.
inline float angleBetween(glm::vec3 a, glm::vec3 b) {
    return degreesFromCosine(glm::dot(a, b));
}
