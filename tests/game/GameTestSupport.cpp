#include "GameTestSupport.h"

#include "GlContext.h"
#include "world/GameWorld.h"
#include "OutputCapture.h"
#include "render/ShaderProgram.h"

#include <assimp/scene.h>
#include <glm/gtc/matrix_transform.hpp>

namespace {

const glm::mat4 IDENTITY(1.0f);

glm::mat4 turnedUpright() {
    return glm::rotate(IDENTITY, glm::radians(90.0f), glm::vec3(1, 0, 0));
}

glm::mat4 magePlacement() {
    glm::mat4 m = turnedUpright();
    m = glm::rotate(m, glm::radians(180.0f), glm::vec3(0, 0, 1));
    return glm::translate(m, glm::vec3(0, 0, -0.36f));
}

glm::mat4 particlePlacement() {
    return glm::translate(glm::scale(IDENTITY, glm::vec3(0.2f)), glm::vec3(0, 0.2f, 0));
}

} // namespace

ShaderProgram* testShader() {
    static ShaderProgram* shader = nullptr;
    if (shader == nullptr && ensureGlContext()) {
        OutputCapture quiet;
        shader = new ShaderProgram("../bin/shaders/modelshader");
    }
    return shader;
}

std::unique_ptr<Model> makeModel(const glm::mat4& placement, Camera* camera,
                                 ShaderProgram* shader) {
    auto model = std::make_unique<Model>("test.x", nullptr, camera, shader);
    model->boundsMin = glm::vec3(-1.0f);
    model->boundsMax = glm::vec3(1.0f);
    model->multiplyModelMatrix(placement);
    float s = model->scaleFactor();
    model->multiplyModelMatrix(glm::scale(IDENTITY, glm::vec3(s)));
    model->saveBaseMatrix();
    return model;
}

std::unique_ptr<Model> makeMonsterModel(ShaderProgram* shader) {
    return makeModel(glm::scale(turnedUpright(), glm::vec3(0.7f)), nullptr, shader);
}

const aiScene* animatedScene() {
    static aiScene* scene = nullptr;
    if (scene == nullptr) {
        scene = new aiScene();
        scene->mRootNode = new aiNode("root");
        scene->mNumAnimations = 1;
        scene->mAnimations = new aiAnimation*[1];
        scene->mAnimations[0] = new aiAnimation();
        scene->mAnimations[0]->mDuration = 1.0;
        scene->mAnimations[0]->mTicksPerSecond = 20.0;
    }
    return scene;
}

std::unique_ptr<Monster> makeMonster(Model* model, int kind, float x, float z, bool inArena) {
    model->restoreModelMatrix();
    // Model x is world x and model y is world z after the upright turn.
    glm::mat4 placement =
        glm::translate(IDENTITY, glm::vec3(x / MONSTER_UNIT, z / MONSTER_UNIT, 0));
    auto monster = std::make_unique<Monster>(model, placement);
    monster->kind = kind;
    monster->speed = MONSTER_SPEEDS[kind];
    monster->inArena = inArena;
    monster->position = originOf(monster->worldMatrix);
    return monster;
}

TestArena::TestArena(ShaderProgram* shader) : camera(glm::vec3(0, 5, -5), glm::vec3(0, 0, 0)) {
    mage = makeModel(magePlacement(), &camera, shader);
    mage->hasShadow = 0;
    mageStart = mage->modelMatrix;
    for (int i = 0; i < 4; ++i) {
        particleModels[i] = makeModel(particlePlacement(), &camera, shader);
        runeModels[i] = makeModel(turnedUpright(), &camera, shader);
        systems[i] = std::make_unique<ParticleSystem>(particleModels[i].get(), &camera.eye);
        systems[i]->resetAll();
        runes[i] = std::make_unique<Rune>(runeModels[i].get(), systems[i].get());
    }
    player = std::make_unique<Player>(mage.get(), runes[RED].get(), runes[GREEN].get(),
                                      runes[BLUE].get(), runes[WHITE].get());
}

void TestArena::placeMage(float x, float z) {
    glm::vec3 rest = originOf(mageStart);
    mage->modelMatrix = mageStart;
    mage->modelMatrix[3] = glm::vec4(x, rest.y, z, 1.0f);
    player->orientation =
        glm::rotate(glm::rotate(IDENTITY, glm::radians(90.0f), glm::vec3(1, 0, 0)),
                    glm::radians(180.0f), glm::vec3(0, 0, 1));
}

void TestArena::run(int milliseconds, int dt) {
    for (int t = 0; t < milliseconds; t += dt)
        player->update(static_cast<float>(dt));
}

std::unique_ptr<GameWorld> makeWorld(TestArena& arena) {
    if (!ensureGlContext())
        return nullptr;
    ShaderProgram* shader = testShader();
    OutputCapture quiet;
    auto world = std::make_unique<GameWorld>(shader, shader, shader, shader);
    world->camera = &arena.camera;
    world->player = arena.player.get();
    world->paused = false;
    return world;
}

void runTeleport(TestArena& arena) {
    Player& player = *arena.player;
    for (int frame = 0; frame < 100 && player.isTeleporting(); ++frame) {
        player.teleportTime -= 16;
        player.teleportStep(16.0f);
    }
}
