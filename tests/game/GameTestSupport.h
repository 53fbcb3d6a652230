#pragma once

#include "game/Monster.h"
#include "game/ParticleSystem.h"
#include "game/Player.h"
#include "game/Rune.h"
#include "model/Model.h"
#include "render/Origin.h"
#include "render/Camera.h"

#include <glm/glm.hpp>

#include <memory>

class GameWorld;
class ShaderProgram;
class TestArena;

// Every test model has the bounds (-1, -1, -1) to (1, 1, 1), so its
// normalising scale is 1 / sqrt(6) without reading any file.
const float TEST_SCALE = 0.40824829f;
// World length of one model unit of a monster: start-up's 0.7 times the scale.
const float MONSTER_UNIT = 0.7f * TEST_SCALE;

// The model program, built once in the shared GL context, for tests that draw.
ShaderProgram* testShader();

// A model as start-up leaves it: the placement, then the normalisation of
// the load, saved as its base. It reads no file and draws nothing.
std::unique_ptr<Model> makeModel(const glm::mat4& placement, Camera* camera = nullptr,
                                 ShaderProgram* shader = nullptr);
std::unique_ptr<Model> makeMonsterModel(ShaderProgram* shader = nullptr);

// A scene with one (empty) animation, so that createAnimator succeeds.
const aiScene* animatedScene();

// A monster of the kind standing at world (x, z), walking in unless told.
std::unique_ptr<Monster> makeMonster(Model* model, int kind, float x, float z, bool inArena = true);

// A game world in the shared GL context, its pictures' messages swallowed,
// unpaused, with the player and camera of the arena.
std::unique_ptr<GameWorld> makeWorld(TestArena& arena);

// Runs a started teleport to its end as the world update does, 16 ms a frame.
void runTeleport(TestArena& arena);

// The mage with its camera, four runes and their particle fountains, built
// as start-up builds them.
class TestArena {
  public:
    explicit TestArena(ShaderProgram* shader = nullptr);

    // Puts the mage at world (x, z) at its resting height, facing +z.
    void placeMage(float x, float z);
    glm::vec3 magePosition() const { return originOf(mage->modelMatrix); }
    // Runs player updates of dt ms for the given time.
    void run(int milliseconds, int dt = 16);

    Camera camera;
    std::unique_ptr<Model> mage;
    std::unique_ptr<Model> particleModels[4]; // red, green, blue, white
    std::unique_ptr<Model> runeModels[4];
    std::unique_ptr<ParticleSystem> systems[4];
    std::unique_ptr<Rune> runes[4];
    std::unique_ptr<Player> player;
    glm::mat4 mageStart;
};

const int RED = 0;
const int GREEN = 1;
const int BLUE = 2;
const int WHITE = 3;
