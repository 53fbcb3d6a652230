#include "world/SceneConstruction.h"

#include "world/GameWorld.h"
#include "game/Monster.h"
#include "game/ParticleSystem.h"
#include "game/Player.h"
#include "game/Rune.h"
#include "model/Model.h"
#include "render/Camera.h"
#include "render/Light.h"
#include "render/ShaderProgram.h"

#include <glm/gtc/matrix_transform.hpp>

#include <cstdlib>

namespace {

const glm::vec3 X_AXIS(1.0f, 0.0f, 0.0f);
const glm::vec3 Z_AXIS(0.0f, 0.0f, 1.0f);
const glm::mat4 IDENTITY(1.0f);

// Spawn corners, in the monster model's own frame (its y and x axes become
// the world's z and x axes once the model is turned upright).
const glm::vec3 SPAWN_CORNERS[4] = {
    {0.0f, 44.5713844f, -2.45714045f},
    {-44.5713844f, 0.0f, -2.45714045f},
    {0.0f, -44.5713844f, -2.45714045f},
    {44.5713844f, 0.0f, -2.45714045f},
};

struct Programs {
    ShaderProgram* model;
    ShaderProgram* particle;
    ShaderProgram* shadow;
    ShaderProgram* postProcess;
    ShaderProgram* interface;
};

// The fourteen models, in the order they are constructed.
struct Models {
    Model* mage;
    Model* arena;
    Model* skysphere;
    Model* monsterKinds[3]; // red, green, plain
    Model* particles[4];    // red, green, blue, white
    Model* runes[4];        // red, green, blue, white
};

enum Colour { RED = 0, GREEN = 1, BLUE = 2, WHITE = 3 };

Programs buildPrograms() {
    Programs programs;
    programs.model = new ShaderProgram("../bin/shaders/modelshader");
    programs.particle = new ShaderProgram("../bin/shaders/particleshader");
    programs.shadow = new ShaderProgram("../bin/shaders/shadowshader");
    programs.postProcess = new ShaderProgram("../bin/shaders/postprocess");
    programs.interface = new ShaderProgram("../bin/shaders/interfaceshader");
    return programs;
}

Models constructModels(Light* light, Camera* camera, ShaderProgram* shader) {
    auto model = [&](const char* path) { return new Model(path, light, camera, shader); };
    Models models;
    models.mage = model("../bin/objects/mage.x");
    models.arena = model("../bin/objects/arena.x");
    models.skysphere = model("../bin/objects/skysphere.x");
    models.monsterKinds[0] = model("../bin/objects/redmonster.x");
    models.monsterKinds[1] = model("../bin/objects/greenmonster.x");
    models.monsterKinds[2] = model("../bin/objects/monster.x");
    models.particles[RED] = model("../bin/objects/redparticle.x");
    models.particles[GREEN] = model("../bin/objects/greenparticle.x");
    models.particles[BLUE] = model("../bin/objects/blueparticle.x");
    models.particles[WHITE] = model("../bin/objects/whiteparticle.x");
    models.runes[RED] = model("../bin/objects/redrune.x");
    models.runes[GREEN] = model("../bin/objects/greenrune.x");
    models.runes[BLUE] = model("../bin/objects/bluerune.x");
    models.runes[WHITE] = model("../bin/objects/whiterune.x");
    return models;
}

void placeMonsterModels(Models& models) {
    for (Model* kindModel : models.monsterKinds) {
        kindModel->multiplyModelMatrix(glm::rotate(IDENTITY, glm::radians(90.0f), X_AXIS));
        kindModel->multiplyModelMatrix(glm::scale(IDENTITY, glm::vec3(0.7f)));
        kindModel->saveBaseMatrix();
        kindModel->hasShadow = 0;
    }
}

void placeStaticModels(Models& models) {
    models.mage->multiplyModelMatrix(glm::rotate(IDENTITY, glm::radians(90.0f), X_AXIS));
    models.mage->multiplyModelMatrix(glm::rotate(IDENTITY, glm::radians(180.0f), Z_AXIS));
    models.mage->multiplyModelMatrix(glm::translate(IDENTITY, glm::vec3(0.0f, 0.0f, -0.36f)));
    models.mage->hasShadow = 0;

    models.arena->multiplyModelMatrix(glm::rotate(IDENTITY, glm::radians(90.0f), X_AXIS));
    models.arena->multiplyModelMatrix(glm::scale(IDENTITY, glm::vec3(25.0f)));
    models.arena->multiplyModelMatrix(glm::translate(IDENTITY, glm::vec3(0.0f, 0.29f, -0.0635f)));

    models.skysphere->multiplyModelMatrix(glm::rotate(IDENTITY, glm::radians(90.0f), X_AXIS));
    models.skysphere->multiplyModelMatrix(glm::scale(IDENTITY, glm::vec3(60.0f)));
    models.skysphere->hasShadow = 0;

    for (Colour colour : {RED, BLUE, GREEN, WHITE})
        models.runes[colour]->multiplyModelMatrix(
            glm::rotate(IDENTITY, glm::radians(90.0f), X_AXIS));
    for (Colour colour : {RED, GREEN, BLUE, WHITE}) {
        models.particles[colour]->multiplyModelMatrix(glm::scale(IDENTITY, glm::vec3(0.2f)));
        models.particles[colour]->multiplyModelMatrix(
            glm::translate(IDENTITY, glm::vec3(0.0f, 0.2f, 0.0f)));
    }
}

void loadStaticModels(Models& models) {
    models.mage->load();
    models.arena->load();
    models.skysphere->load();
    for (Colour colour : {RED, GREEN, BLUE, WHITE})
        models.particles[colour]->load();
    for (Colour colour : {RED, GREEN, BLUE, WHITE})
        models.runes[colour]->load();
}

// The next monster of the game, drawn from rand(): its kind, then its corner.
Monster drawPreparedMonster(Model* const (&kindModels)[3], const Difficulty& difficulty) {
    for (Model* kindModel : kindModels)
        kindModel->restoreModelMatrix();
    int kind = rand() % 3;
    int corner = rand() % 4;
    glm::mat4 placement = glm::translate(IDENTITY, SPAWN_CORNERS[corner]);
    Model* kindModel = kindModels[kind];
    if (!kindModel->loaded)
        kindModel->load();
    Monster monster(kindModel, placement);
    monster.kind = kind;
    monster.speed = difficulty.monsterSpeeds[kind];
    return monster;
}

} // namespace

void prepareMonsters(Model* const (&kindModels)[3], Monster* (&prepared)[PREPARED_MONSTER_COUNT],
                     const Difficulty& difficulty) {
    for (int i = 0; i < PREPARED_MONSTER_COUNT; ++i)
        prepared[i] = new Monster(drawPreparedMonster(kindModels, difficulty));
}

void prepareMonstersAgain(Model* const (&kindModels)[3],
                          Monster* const (&prepared)[PREPARED_MONSTER_COUNT],
                          const Difficulty& difficulty) {
    for (int i = 0; i < PREPARED_MONSTER_COUNT; ++i)
        *prepared[i] = drawPreparedMonster(kindModels, difficulty);
}

Scene buildScene() {
    Programs programs = buildPrograms();
    Camera* camera = new Camera(CAMERA_START_EYE, CAMERA_START_TARGET);
    Light* light =
        new Light(glm::vec3(15.0f, 15.0f, 0.0f), glm::vec3(0.1f), glm::vec3(0.2f), glm::vec3(1.0f));

    Models models = constructModels(light, camera, programs.model);
    placeMonsterModels(models);
    Scene scene;
    for (int kind = 0; kind < 3; ++kind)
        scene.monsterKinds[kind] = models.monsterKinds[kind];
    prepareMonsters(scene.monsterKinds, scene.preparedMonsters);
    placeStaticModels(models);
    loadStaticModels(models);

    ParticleSystem* particles[4];
    for (Colour colour : {RED, GREEN, BLUE, WHITE}) {
        particles[colour] = new ParticleSystem(models.particles[colour], &camera->eye);
        particles[colour]->resetAll();
    }
    Rune* runes[4];
    for (Colour colour : {RED, BLUE, GREEN, WHITE})
        runes[colour] = new Rune(models.runes[colour], particles[colour]);
    Player* player = new Player(models.mage, runes[RED], runes[GREEN], runes[BLUE], runes[WHITE]);

    GameWorld* world =
        new GameWorld(programs.model, programs.shadow, programs.postProcess, programs.interface);
    world->camera = camera;
    world->light = light;
    world->monsterTotal = PREPARED_MONSTER_COUNT;
    world->addSceneModel(models.skysphere);
    world->addSceneModel(models.arena);
    world->player = player;
    scene.world = world;
    return scene;
}
