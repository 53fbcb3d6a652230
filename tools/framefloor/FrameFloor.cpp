// The floor under the game's frame: every pass of a frame that the game's
// rules fix, with no model drawn. The 2048 x 2048 shadow map and the main
// target are cleared, the model program is made current with its camera and
// light uniforms, blending is switched on and off for the four runes, the
// main target goes through the post-process program onto the window and six
// interface pictures (the full-load set: bar, four rune icons, defeat) are
// blended on top where they are painted, as the game draws them, then the
// buffers are swapped. It uses the
// game's own render targets, quad, programs and pictures, so the time left
// between this and a game frame is the drawing of the scene itself.
//
// Runs from a folder beside the staged bin/, like the game, until escape or
// a closed window; given a number of frames (framefloor [frames]), it draws
// a few to warm up, then that many under callgrind's count, and ends.
#include "world/GameWorld.h"
#include "app/Startup.h"
#include "app/Window.h"
#include "render/Camera.h"
#include "render/InterfaceDraw.h"
#include "render/Light.h"
#include "render/RenderTargets.h"
#include "render/ShaderProgram.h"
#include "tools/framecost/CountedFrames.h"

#include <glm/gtc/type_ptr.hpp>

#include <cstdlib>

namespace {

const char* const SHADERS = "../bin/shaders/";

struct FloorScene {
    ShaderProgram* modelShader;
    ShaderProgram* postProcessShader;
    ShaderProgram* interfaceShader;
    ShadowMapTarget shadowTarget;
    PostProcessTarget postTarget;
    ScreenQuad screenQuad;
    GLuint pictures[6];
    PaintedArea painted[6];
    Camera* camera;
    Light* light;
};

void setInt(GLuint program, const char* name, int value) {
    glUniform1i(glGetUniformLocation(program, name), value);
}

void setVec3(GLuint program, const char* name, const glm::vec3& value) {
    glUniform3fv(glGetUniformLocation(program, name), 1, glm::value_ptr(value));
}

void setMat4(GLuint program, const char* name, const glm::mat4& value) {
    glUniformMatrix4fv(glGetUniformLocation(program, name), 1, GL_FALSE, glm::value_ptr(value));
}

void setLight(GLuint program, const Light& light) {
    setVec3(program, "lightPos", light.position);
    setVec3(program, "light_ambient", light.ambient);
    setVec3(program, "light_diffuse", light.diffuse);
    setVec3(program, "light_specular", light.specular);
    setMat4(program, "smMatrix", light.shadowMatrix());
    setMat4(program, "lpvMatrix", light.viewProjection());
}

void shadowPass(FloorScene& scene) {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, scene.shadowTarget.framebuffer);
    glViewport(0, 0, SHADOW_MAP_SIZE, SHADOW_MAP_SIZE);
    glClear(GL_DEPTH_BUFFER_BIT);
    glCullFace(GL_FRONT);
    const GLuint program = scene.modelShader->program;
    glUseProgram(program);
    setVec3(program, "cameraPos", scene.light->position);
    setMat4(program, "pMatrix", scene.light->projection);
    setMat4(program, "vMatrix", scene.light->viewMatrix());
    setLight(program, *scene.light);
    glUseProgram(0);
}

void mainPass(FloorScene& scene) {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, scene.postTarget.framebuffer);
    glViewport(0, 0, PICTURE_WIDTH, PICTURE_HEIGHT);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const GLuint program = scene.modelShader->program;
    glUseProgram(program);
    setInt(program, "mode", 1);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, scene.shadowTarget.depthTexture);
    setInt(program, "shadowMap", 0);
    setVec3(program, "cameraPos", scene.camera->eye);
    setMat4(program, "pMatrix", scene.camera->projection);
    setMat4(program, "vMatrix", scene.camera->viewMatrix());
    setLight(program, *scene.light);
    for (int rune = 0; rune < 4; ++rune) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glDisable(GL_BLEND);
    }
    glUseProgram(0);
}

void postProcessPass(FloorScene& scene) {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    glViewport(0, 0, PICTURE_WIDTH, PICTURE_HEIGHT);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glUseProgram(scene.postProcessShader->program);
    setInt(scene.postProcessShader->program, "mode", 0);
    scene.screenQuad.texture = scene.postTarget.colorTexture;
    drawScreenQuad(scene.screenQuad);
    glUseProgram(0);
}

void interfacePass(FloorScene& scene) {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_DEPTH_TEST);
    glUseProgram(scene.interfaceShader->program);
    for (int i = 0; i < 6; ++i) {
        if (scene.pictures[i] != 0)
            drawPaintedPicture(scene.screenQuad, scene.pictures[i], scene.painted[i]);
    }
    glUseProgram(0);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
}

void drawFrame(FloorScene& scene) {
    shadowPass(scene);
    mainPass(scene);
    postProcessPass(scene);
    interfacePass(scene);
    windowSwapBuffers();
}

} // namespace

int main(int argc, char** argv) {
    if (!openGameWindow())
        return 1;
    FloorScene scene;
    const std::string shaders = SHADERS;
    scene.modelShader = new ShaderProgram(shaders + "modelshader");
    scene.postProcessShader = new ShaderProgram(shaders + "postprocess");
    scene.interfaceShader = new ShaderProgram(shaders + "interfaceshader");
    buildShadowMapTarget(scene.shadowTarget);
    buildPostProcessTarget(scene.postTarget);
    buildScreenQuad(scene.screenQuad, scene.postProcessShader);
    const char* const files[6] = {"backgroundINTERFACE.bmp",  "redactiveINTERFACE.bmp",
                                  "greenactiveINTERFACE.bmp", "blueactiveINTERFACE.bmp",
                                  "whiteactiveINTERFACE.bmp", "defeat.bmp"};
    for (int i = 0; i < 6; ++i)
        scene.pictures[i] = loadInterfacePicture(files[i], &scene.painted[i]);
    // The game's own camera and light.
    scene.camera = new Camera(CAMERA_START_EYE, CAMERA_START_TARGET);
    scene.light =
        new Light(glm::vec3(15.0f, 15.0f, 0.0f), glm::vec3(0.1f), glm::vec3(0.2f), glm::vec3(1.0f));

    const int countedFrames = argc > 1 ? std::atoi(argv[1]) : 0;
    if (countedFrames > 0) {
        drawCountedFrames(countedFrames, [&scene] { drawFrame(scene); });
    } else {
        while (windowIsOpen() && !windowKeyDown(GLFW_KEY_ESC))
            drawFrame(scene);
    }
    windowTerminate();
    return 0;
}
