// The camera and the light as uniforms of the model program, which must be
// current. Locations are looked up anew at every call.
#include "world/GameWorld.h"
#include "render/Camera.h"
#include "render/Light.h"
#include "render/ShaderProgram.h"

#include <glm/gtc/type_ptr.hpp>

namespace {

void setVec3(GLuint program, const char* name, const glm::vec3& value) {
    glUniform3fv(glGetUniformLocation(program, name), 1, glm::value_ptr(value));
}

void setMat4(GLuint program, const char* name, const glm::mat4& value) {
    glUniformMatrix4fv(glGetUniformLocation(program, name), 1, GL_FALSE, glm::value_ptr(value));
}

} // namespace

void GameWorld::setCameraUniforms() {
    const GLuint program = modelShader->program;
    setVec3(program, "cameraPos", camera->eye);
    setMat4(program, "pMatrix", camera->projection);
    setMat4(program, "vMatrix", camera->viewMatrix());
}

void GameWorld::setLightUniforms() {
    const GLuint program = modelShader->program;
    setVec3(program, "lightPos", light->position);
    setVec3(program, "light_ambient", light->ambient);
    setVec3(program, "light_diffuse", light->diffuse);
    setVec3(program, "light_specular", light->specular);
    setMat4(program, "smMatrix", light->shadowMatrix());
    setMat4(program, "lpvMatrix", light->viewProjection());
}

// The shadow pass sees the scene from the light, so the light stands in for the camera.
void GameWorld::setLightViewUniforms() {
    const GLuint program = modelShader->program;
    setVec3(program, "cameraPos", light->position);
    setMat4(program, "pMatrix", light->projection);
    setMat4(program, "vMatrix", light->viewMatrix());
}
