#pragma once

#include <glm/glm.hpp>

// Where the camera starts: behind the arena's centre and above it, looking
// at the centre. The camera reset puts it the same way from the mage.
const glm::vec3 CAMERA_START_EYE(0.0f, 5.0f, -5.0f);
const glm::vec3 CAMERA_START_TARGET(0.0f, 0.0f, 0.0f);

class Camera {
  public:
    Camera(glm::vec3 eye, glm::vec3 target);

    glm::mat4 viewMatrix() const;
    // Projection x view: world to the camera's clip space.
    glm::mat4 viewProjection() const;

    glm::vec3 eye;
    glm::vec3 up;
    glm::vec3 target;
    glm::mat4 projection;
};
