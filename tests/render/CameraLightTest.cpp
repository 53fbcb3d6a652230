#include "GlContext.h"
#include "OutputCapture.h"
#include "RenderTestSupport.h"
#include "world/GameWorld.h"
#include "render/Camera.h"
#include "render/Light.h"
#include "render/ShaderProgram.h"

#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>

namespace {

const glm::vec3 LIGHT_POSITION(15.0f, 15.0f, 0.0f);

Light gameLight() {
    return Light(LIGHT_POSITION, glm::vec3(0.1f), glm::vec3(0.2f), glm::vec3(1.0f));
}

glm::vec3 project(const glm::mat4& matrix, const glm::vec3& point) {
    const glm::vec4 clip = matrix * glm::vec4(point, 1.0f);
    return glm::vec3(clip) / clip.w;
}

glm::vec3 uniformVec3(GLuint program, const char* name) {
    glm::vec3 value(-99.0f);
    glGetUniformfv(program, glGetUniformLocation(program, name), glm::value_ptr(value));
    return value;
}

glm::mat4 uniformMat4(GLuint program, const char* name) {
    glm::mat4 value(-99.0f);
    glGetUniformfv(program, glGetUniformLocation(program, name), glm::value_ptr(value));
    return value;
}

void expectNear(const glm::vec3& actual, const glm::vec3& expected) {
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-4f) << "component " << i;
}

void expectNear(const glm::mat4& actual, const glm::mat4& expected) {
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            EXPECT_NEAR(actual[c][r], expected[c][r], 1e-4f) << "column " << c << " row " << r;
}

} // namespace

TEST(Camera, StartViewLooksAtArenaCentreWithYUp) {
    const Camera camera(glm::vec3(0.0f, 5.0f, -5.0f), glm::vec3(0.0f));
    expectNear(camera.up, glm::vec3(0.0f, 1.0f, 0.0f));
    const glm::mat4 view = camera.viewMatrix();
    // The centre lies straight ahead, at the eye's distance.
    expectNear(glm::vec3(view * glm::vec4(0.0f, 0.0f, 0.0f, 1.0f)),
               glm::vec3(0.0f, 0.0f, -glm::length(glm::vec3(0.0f, 5.0f, -5.0f))));
    EXPECT_GT((view * glm::vec4(0.0f, 1.0f, 0.0f, 0.0f)).y, 0.0f);
    // Near plane 2, far plane 50.
    EXPECT_NEAR(project(camera.projection, glm::vec3(0.0f, 0.0f, -2.0f)).z, -1.0f, 1e-4f);
    EXPECT_NEAR(project(camera.projection, glm::vec3(0.0f, 0.0f, -50.0f)).z, 1.0f, 1e-4f);
}

TEST(Light, ShadowMatrixMapsTargetToShadowMapCentre) {
    const Light light = gameLight();
    const glm::vec3 centre = project(light.shadowMatrix(), glm::vec3(0.0f));
    EXPECT_NEAR(centre.x, 0.5f, 1e-5f);
    EXPECT_NEAR(centre.y, 0.5f, 1e-5f);
    EXPECT_GT(centre.z, 0.0f);
    EXPECT_LT(centre.z, 1.0f);

    // The light's frustum spans 13 to 30 along its view: depth 0 to 1 in the map.
    const glm::vec3 towardTarget = glm::normalize(-LIGHT_POSITION);
    EXPECT_NEAR(project(light.shadowMatrix(), LIGHT_POSITION + 13.0f * towardTarget).z, 0.0f,
                1e-4f);
    EXPECT_NEAR(project(light.shadowMatrix(), LIGHT_POSITION + 30.0f * towardTarget).z, 1.0f,
                1e-4f);

    const glm::vec3 clipCentre = project(light.viewProjection(), glm::vec3(0.0f));
    EXPECT_NEAR(clipCentre.x, 0.0f, 1e-5f);
    EXPECT_NEAR(clipCentre.y, 0.0f, 1e-5f);
}

// The shadow pass renders from the light, the main pass from the camera; both
// write into the model program, which is current.
TEST(SceneUniforms, LightViewAndCameraViewWriteTheModelProgram) {
    REQUIRE_GL_CONTEXT();
    ShaderProgram* model = gameShaders().model;
    ASSERT_NE(model->program, 0u);
    OutputCapture capture;
    GameWorld world(model, gameShaders().shadow, gameShaders().postProcess,
                    gameShaders().interface);
    capture.finish();
    Camera camera(glm::vec3(1.0f, 6.0f, -4.0f), glm::vec3(0.5f, 0.0f, 0.0f));
    Light light = gameLight();
    world.camera = &camera;
    world.light = &light;
    const GLuint program = model->program;
    glUseProgram(program);

    world.setLightViewUniforms();
    expectNear(uniformVec3(program, "cameraPos"), LIGHT_POSITION);
    expectNear(uniformMat4(program, "pMatrix"), light.projection);
    expectNear(uniformMat4(program, "vMatrix"), light.viewMatrix());

    world.setLightUniforms();
    expectNear(uniformVec3(program, "lightPos"), LIGHT_POSITION);
    expectNear(uniformVec3(program, "light_ambient"), glm::vec3(0.1f));
    expectNear(uniformVec3(program, "light_diffuse"), glm::vec3(0.2f));
    expectNear(uniformVec3(program, "light_specular"), glm::vec3(1.0f));
    expectNear(uniformMat4(program, "smMatrix"), light.shadowMatrix());

    world.setCameraUniforms();
    expectNear(uniformVec3(program, "cameraPos"), camera.eye);
    expectNear(uniformMat4(program, "pMatrix"), camera.projection);
    expectNear(uniformMat4(program, "vMatrix"), camera.viewMatrix());
    glUseProgram(0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
