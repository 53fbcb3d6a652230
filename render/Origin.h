#pragma once

#include <glm/glm.hpp>

// The point where a model matrix puts the model's origin.
inline glm::vec3 originOf(const glm::mat4& matrix) {
    return glm::vec3(matrix * glm::vec4(0, 0, 0, 1));
}
