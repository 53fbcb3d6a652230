#pragma once

#include <glm/glm.hpp>

class Camera {
  public:
    Camera(glm::vec3 eye, glm::vec3 target);

    glm::mat4 viewMatrix() const;

    glm::vec3 eye;
    glm::vec3 up;
    glm::vec3 target;
    glm::mat4 projection;
};
