#include "render/Camera.h"

#include "render/PictureSize.h"

#include <glm/gtc/matrix_transform.hpp>

Camera::Camera(glm::vec3 eye, glm::vec3 target)
    : eye(eye), up(0.0f, 1.0f, 0.0f), target(target),
      projection(glm::perspective(glm::radians(45.0f), PICTURE_ASPECT, 2.0f, 50.0f)) {}

glm::mat4 Camera::viewMatrix() const {
    return glm::lookAt(eye, target, up);
}

glm::mat4 Camera::viewProjection() const {
    return projection * viewMatrix();
}
