#pragma once

#include "render/GL.h"

#include <glm/glm.hpp>

class Model;

const int PARTICLE_COUNT = 40;

struct Particle {
    float life = 0.0f;
    float fade = 0.001f;
    glm::vec3 position{0.0f};
    glm::vec3 velocity{0.0f};
    bool active = false;
};

// A fountain of particles rising from a rune, each drawn as one copy of a
// small particle model, turned about the vertical axis to face the camera.
class ParticleSystem {
  public:
    ParticleSystem(Model* model, glm::vec3* eyePosition);

    void resetAll();
    void respawn(int i);
    void update(float elapsed);
    void burst();
    // Moves the emitter onto the target's x and z, keeping its height.
    void moveTo(glm::vec3 target);
    void faceCamera();
    // Per frame while the rune lies in the arena: turn, draw, then move.
    void drawAndUpdate(float elapsed);

    Model* model;
    glm::vec3* eyePosition;
    Particle particles[PARTICLE_COUNT];
    glm::mat4 emitterBase{1.0f};
    glm::mat4 emitterTurn{1.0f};
    glm::vec3 facing{0.0f, 0.0f, -1.0f};
    glm::vec3 emitterPosition{0.0f};
    // Bound before the particles are drawn; the meshes bind their own
    // material textures, so 0 is fine.
    GLuint texture = 0;
};
