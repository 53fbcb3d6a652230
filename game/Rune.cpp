#include "game/Rune.h"

#include "game/ParticleSystem.h"
#include "model/Model.h"

#include <glm/gtc/matrix_transform.hpp>

#include <cmath>

Rune::Rune(Model* model, ParticleSystem* particles) : model(model), particles(particles) {}

void Rune::moveTo(float x, float y, float z) {
    if (placed)
        return;
    float dx = x - position.x;
    float dz = z - position.z;
    // The row vector times the model matrix, then (1 / s)^2, shifts the
    // model's origin by exactly (dx, 0, dz) in the world for a model matrix
    // made of the normalising scale s, rotations and translations.
    glm::vec3 offset(glm::vec4(dx, 0, dz, 1) * model->modelMatrix);
    float s = model->scaleFactor();
    // A model that never loaded has empty bounds and carries no normalising
    // scale; without this it would stay where it is and never be parked.
    if (!std::isfinite(s) || s == 0)
        s = 1.0f;
    float k = (1.0f / s) * (1.0f / s);
    model->multiplyModelMatrix(glm::translate(glm::mat4(1.0f), offset * k));
    position = glm::vec3(model->modelMatrix * glm::vec4(0, 0, 0, 1));
    if (particles != nullptr)
        particles->moveTo(glm::vec3(x, y, z));
}
