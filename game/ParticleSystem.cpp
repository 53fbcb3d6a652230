#include "game/ParticleSystem.h"

#include "game/Angles.h"
#include "model/Model.h"

#include <glm/gtc/matrix_transform.hpp>

#include <cmath>
#include <cstdlib>

namespace {

const double GRAVITY = 0.00007;     // units per ms per ms
const float FALLOUT_SPEED = -0.01f; // falling faster than this ends a particle

// A row vector times the matrix: the dot product of v with each column. For
// the emitter's affine base this is its transposed 3x3 applied to v.
glm::vec3 rowTimes(glm::vec4 v, const glm::mat4& matrix) {
    return glm::vec3(v * matrix);
}

// A sideways and an upward speed, in this order of rand() calls.
double randomSideways() {
    return 0.0005 - ((std::rand() % 100) + 1) / 100000.0;
}
double randomUpward() {
    return 0.01 - ((std::rand() % 100) + 1) / 100000.0;
}

} // namespace

ParticleSystem::ParticleSystem(Model* model, glm::vec3* eyePosition)
    : model(model), eyePosition(eyePosition), emitterBase(model->modelMatrix) {}

void ParticleSystem::resetAll() {
    for (int i = 0; i < PARTICLE_COUNT; ++i)
        respawn(i);
}

void ParticleSystem::respawn(int i) {
    Particle& particle = particles[i];
    particle.life = static_cast<float>(((std::rand() % 5) + 1) / 5.0);
    particle.fade = 0.001f;
    // Each index starts a little further back along the emitter's z axis.
    particle.position = rowTimes(glm::vec4(0, 0, i * -0.0001, 1), emitterBase);
    // The speed is stored as float after the draw, after the factor 3 and
    // after the factor 5; each float product equals its double one rounded.
    // Separate statements keep the sideways draw before the upward one.
    glm::vec3 velocity(0.0f);
    velocity.x = static_cast<float>(randomSideways());
    velocity.y = static_cast<float>(randomUpward());
    velocity *= 3.0f;
    velocity *= 5.0f;
    particle.velocity = rowTimes(glm::vec4(velocity, 1), emitterBase);
    particle.active = true;
}

void ParticleSystem::update(float elapsed) {
    // Worked in double and stored as float: single-precision products can
    // round the other way and change the frame in which a particle dies.
    const double step = elapsed;
    for (Particle& particle : particles) {
        particle.life = static_cast<float>(particle.life - particle.fade * step);
        particle.position =
            glm::vec3(glm::dvec3(particle.position) + glm::dvec3(particle.velocity) * step);
        particle.velocity.y = static_cast<float>(particle.velocity.y - step * GRAVITY);
    }
}

void ParticleSystem::burst() {
    for (Particle& particle : particles) {
        particle.velocity.x = static_cast<float>(randomSideways() * 10);
        particle.velocity.y = static_cast<float>(randomUpward() * 1.5);
    }
}

// The first call after construction moves by the full target, since the
// emitter position starts at the origin whatever the base placement.
void ParticleSystem::moveTo(glm::vec3 target) {
    float dx = target.x - emitterPosition.x;
    float dz = target.z - emitterPosition.z;
    float distance = std::sqrt(dx * dx + dz * dz);
    glm::vec3 offset = rowTimes(glm::vec4(dx, 0, dz, 1), emitterBase);
    float offsetLength = glm::length(offset);
    // Already there: nothing to move, and the ratio below would be 0 / 0.
    if (distance == 0 || offsetLength == 0)
        return;
    float ratio = distance / offsetLength;
    emitterBase = glm::translate(emitterBase, offset * (ratio * ratio));
    emitterPosition = glm::vec3(emitterBase * glm::vec4(0, 0, 0, 1));
}

void ParticleSystem::faceCamera() {
    float dx = eyePosition->x - emitterPosition.x;
    float dz = eyePosition->z - emitterPosition.z;
    float distance = std::sqrt(dx * dx + dz * dz);
    // With the eye straight above there is no horizontal direction to face.
    if (distance == 0)
        return;
    glm::vec3 toEye(dx / distance, 0, dz / distance);
    glm::vec3 f = facing / glm::length(facing);
    float a0 = angleBetween(f, toEye);
    float a1 = angleBetween(f, glm::vec3(-toEye.z, 0, toEye.x));
    float a2 = angleBetween(f, glm::vec3(toEye.z, 0, -toEye.x));
    if (!(a0 > 0))
        return;
    float angle = a2 <= a1 ? -a0 : a0;
    glm::mat4 turn = glm::rotate(glm::mat4(1.0f), glm::radians(angle), glm::vec3(0, 1, 0));
    facing = glm::vec3(turn * glm::vec4(facing, 1));
    emitterTurn = emitterTurn * turn;
}

void ParticleSystem::drawAndUpdate(float elapsed) {
    float s = model->scaleFactor();
    float k = 1.0f / (s * s);
    faceCamera();
    glBindTexture(GL_TEXTURE_2D, texture);
    for (int i = 0; i < PARTICLE_COUNT; ++i) {
        Particle& particle = particles[i];
        if (particle.velocity.y < FALLOUT_SPEED)
            particle.life = 0;
        if (!particle.active || particle.life <= 0) {
            respawn(i);
            continue;
        }
        model->setModelMatrix(emitterBase);
        model->multiplyModelMatrix(emitterTurn);
        model->multiplyModelMatrix(glm::translate(glm::mat4(1.0f), particle.position * k));
        model->draw();
        model->setModelMatrix(emitterBase);
    }
    update(elapsed);
}
