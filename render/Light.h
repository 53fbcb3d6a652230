#pragma once

#include <glm/glm.hpp>

// The single light of the scene, with the perspective view the shadow map is
// rendered from.
class Light {
  public:
    Light(glm::vec3 position, glm::vec3 ambient, glm::vec3 diffuse, glm::vec3 specular);

    glm::mat4 viewMatrix() const;
    // Light projection x light view: world to the light's clip space.
    glm::mat4 viewProjection() const;
    // Bias x projection x view: world to shadow-map coordinates in 0..1.
    glm::mat4 shadowMatrix() const;

    glm::vec3 position;
    glm::mat4 projection;
    glm::vec3 up;
    glm::vec3 target;
    glm::vec3 ambient;
    glm::vec3 diffuse;
    glm::vec3 specular;
};
