#include "render/Light.h"

#include "render/PictureSize.h"

#include <glm/gtc/matrix_transform.hpp>

namespace {

// Takes clip coordinates from -1..1 to the 0..1 range of the shadow map.
const glm::mat4 SHADOW_BIAS(0.5f, 0.0f, 0.0f, 0.0f, //
                            0.0f, 0.5f, 0.0f, 0.0f, //
                            0.0f, 0.0f, 0.5f, 0.0f, //
                            0.5f, 0.5f, 0.5f, 1.0f);

} // namespace

Light::Light(glm::vec3 position, glm::vec3 ambient, glm::vec3 diffuse, glm::vec3 specular)
    : position(position),
      projection(glm::perspective(glm::radians(45.0f), PICTURE_ASPECT, 13.0f, 30.0f)),
      up(0.0f, 1.0f, 0.0f), target(0.0f, 0.0f, 0.0f), ambient(ambient), diffuse(diffuse),
      specular(specular) {}

glm::mat4 Light::viewMatrix() const {
    return glm::lookAt(position, target, up);
}

glm::mat4 Light::viewProjection() const {
    return projection * viewMatrix();
}

glm::mat4 Light::shadowMatrix() const {
    return SHADOW_BIAS * viewProjection();
}
