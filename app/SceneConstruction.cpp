#include "app/SceneConstruction.h"

#include "app/GameWorld.h"
#include "render/Camera.h"
#include "render/Light.h"
#include "render/ShaderProgram.h"

Scene buildScene() {
    ShaderProgram* modelShader = new ShaderProgram("../bin/shaders/modelshader");
    new ShaderProgram("../bin/shaders/particleshader");
    ShaderProgram* shadowShader = new ShaderProgram("../bin/shaders/shadowshader");
    ShaderProgram* postProcessShader = new ShaderProgram("../bin/shaders/postprocess");
    ShaderProgram* interfaceShader = new ShaderProgram("../bin/shaders/interfaceshader");

    Camera* camera = new Camera(glm::vec3(0, 5, -5), glm::vec3(0, 0, 0));
    Light* light = new Light(glm::vec3(15, 15, 0), glm::vec3(0.1f), glm::vec3(0.2f), glm::vec3(1.0f));

    Scene scene;
    scene.world = new GameWorld(modelShader, shadowShader, postProcessShader, interfaceShader);
    scene.world->camera = camera;
    scene.world->light = light;
    scene.world->monsterTotal = 20;
    return scene;
}
