#include "LoopWorld.h"

#include "world/GameWorld.h"
#include "game/Monster.h"
#include "game/ParticleSystem.h"
#include "game/Player.h"
#include "game/Rune.h"
#include "model/Model.h"
#include "render/Camera.h"
#include "render/Light.h"
#include "render/ShaderProgram.h"

#include "OutputCapture.h"

#include <glm/gtc/matrix_transform.hpp>

namespace {

// Models that are never loaded: the loop's behaviour does not depend on what
// the frame draws, and nothing is read from disk.
Model* emptyModel(Light* light, Camera* camera, ShaderProgram* shader) {
    return new Model("../bin/objects/none.x", light, camera, shader);
}

Rune* emptyRune(Light* light, Camera* camera, ShaderProgram* shader) {
    ParticleSystem* particles = new ParticleSystem(emptyModel(light, camera, shader), &camera->eye);
    particles->resetAll();
    return new Rune(emptyModel(light, camera, shader), particles);
}

} // namespace

Scene makeLoopScene() {
    OutputCapture quiet; // interface pictures may be missing in a bare build
    ShaderProgram* modelShader = new ShaderProgram("../bin/shaders/modelshader");
    ShaderProgram* postShader = new ShaderProgram("../bin/shaders/postprocess");
    ShaderProgram* interfaceShader = new ShaderProgram("../bin/shaders/interfaceshader");
    Camera* camera = new Camera(CAMERA_START_EYE, CAMERA_START_TARGET);
    Light* light =
        new Light(glm::vec3(15.0f, 15.0f, 0.0f), glm::vec3(0.1f), glm::vec3(0.2f), glm::vec3(1.0f));

    Scene scene;
    scene.world = new GameWorld(modelShader, modelShader, postShader, interfaceShader);
    scene.world->camera = camera;
    scene.world->light = light;
    scene.world->player =
        new Player(emptyModel(light, camera, modelShader), emptyRune(light, camera, modelShader),
                   emptyRune(light, camera, modelShader), emptyRune(light, camera, modelShader),
                   emptyRune(light, camera, modelShader));
    for (Model*& kind : scene.monsterKinds)
        kind = emptyModel(light, camera, modelShader);
    for (Monster*& monster : scene.preparedMonsters)
        monster = new Monster(scene.monsterKinds[0],
                              glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 40.0f, 0.0f)));
    return scene;
}
