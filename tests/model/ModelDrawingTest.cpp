#include "world/GameWorld.h"
#include "support/GlContext.h"
#include "ModelFixtures.h"
#include "support/OutputCapture.h"

#include "model/Animator.h"
#include "model/Mesh.h"
#include "model/Model.h"
#include "render/ShaderProgram.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include <memory>

namespace {

// A plain skinning program that paints vertex colours or the texture, so that
// the pictures depend on the model code alone.
const char* const VERTEX_SOURCE = R"(#version 120
attribute vec4 vertPos;
attribute vec3 vertNormal;
attribute vec2 vertUv;
attribute vec4 vertColor;
attribute vec4 boneWeight;
attribute vec4 boneIndex;
uniform mat4 boneMatrices[60];
uniform mat4 mMatrix;
uniform mat3 normalMatrix;
uniform int hasShadow;
varying vec4 color;
varying vec2 uv;
void main() {
    mat4 skin = boneMatrices[int(boneIndex.x)] * boneWeight.x
              + boneMatrices[int(boneIndex.y)] * boneWeight.y
              + boneMatrices[int(boneIndex.z)] * boneWeight.z
              + boneMatrices[int(boneIndex.w)] * boneWeight.w;
    if (dot(boneWeight, vec4(1.0)) == 0.0)
        skin = mat4(1.0);
    gl_Position = mMatrix * skin * vertPos;
    color = vertColor;
    if (hasShadow == 7)
        color.rgb = normalMatrix * vertNormal;
    uv = vertUv;
}
)";

const char* const FRAGMENT_SOURCE = R"(#version 120
uniform int useTexture;
uniform sampler2D texture;
varying vec4 color;
varying vec2 uv;
void main() {
    gl_FragColor = useTexture == 1 ? texture2D(texture, uv) : color;
}
)";

const int PICTURE_SIZE = 64;

ShaderProgram* testProgram() {
    static ShaderProgram* program = nullptr;
    if (program == nullptr) {
        writeFixture("shaders/flat.vert", VERTEX_SOURCE);
        const std::string fragment = writeFixture("shaders/flat.frag", FRAGMENT_SOURCE);
        program = new ShaderProgram(fragment.substr(0, fragment.size() - 5));
    }
    return program;
}

// Draws into an off-screen picture of its own and reads it back.
class Picture {
  public:
    Picture() {
        glGenFramebuffers(1, &framebuffer);
        glGenRenderbuffers(1, &colorBuffer);
        glBindRenderbuffer(GL_RENDERBUFFER, colorBuffer);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, PICTURE_SIZE, PICTURE_SIZE);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                  colorBuffer);
        glViewport(0, 0, PICTURE_SIZE, PICTURE_SIZE);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glDisable(GL_BLEND);
    }
    ~Picture() {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteRenderbuffers(1, &colorBuffer);
        glDeleteFramebuffers(1, &framebuffer);
    }

    std::vector<unsigned char> draw(Model& model) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        model.draw();
        std::vector<unsigned char> pixels(4 * PICTURE_SIZE * PICTURE_SIZE);
        glReadPixels(0, 0, PICTURE_SIZE, PICTURE_SIZE, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

  private:
    GLuint framebuffer = 0;
    GLuint colorBuffer = 0;
};

// Green channel of the pixel under a point given in normalised device coordinates.
int greenAt(const std::vector<unsigned char>& pixels, float x, float y) {
    const int column = static_cast<int>((x + 1.0f) * 0.5f * PICTURE_SIZE);
    const int row = static_cast<int>((y + 1.0f) * 0.5f * PICTURE_SIZE);
    return pixels[4 * (row * PICTURE_SIZE + column) + 1];
}

int differingPixels(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    int count = 0;
    for (std::size_t p = 0; p < a.size(); p += 4)
        count += (a[p] != b[p] || a[p + 1] != b[p + 1] || a[p + 2] != b[p + 2]) ? 1 : 0;
    return count;
}

// The skinned body fills y 0 to 2 of its mesh; this puts it at -0.4 to 0.4.
std::unique_ptr<Model> loadSkinnedBody() {
    std::unique_ptr<Model> model(
        new Model(writeFixture("drawing/body.x", SKINNED_MODEL), nullptr, nullptr, testProgram()));
    OutputCapture quiet;
    model->load();
    model->setModelMatrix(
        glm::translate(glm::scale(glm::mat4(1.0f), glm::vec3(0.4f)), glm::vec3(0.0f, -1.0f, 0.0f)));
    return model;
}

void setClock(int32_t clock) {
    animationClock = clock;
    lastTicks = SDL_GetTicks();
}

GLint uniformInt(const char* name) {
    GLint value = -99;
    glGetUniformiv(testProgram()->program, glGetUniformLocation(testProgram()->program, name),
                   &value);
    return value;
}

GLint colorArrayEnabled() {
    GLint enabled = -1;
    const GLint location = glGetAttribLocation(testProgram()->program, "vertColor");
    glGetVertexAttribiv(static_cast<GLuint>(location), GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
    return enabled;
}

Mesh* triangleMesh(int32_t materialIndex) {
    Mesh* mesh = new Mesh();
    mesh->positions = {-1, -1, 0, 1, 1, -1, 0, 1, 0, 1, 0, 1};
    mesh->normals.assign(9, 0.0f);
    mesh->colors.assign(12, 1.0f);
    mesh->uvs.assign(6, 0.0f);
    mesh->boneWeights.assign(12, 0.0f);
    mesh->boneIndices.assign(12, 0.0f);
    mesh->indices = {0, 1, 2};
    mesh->materialIndex = materialIndex;
    mesh->faceCount = 1;
    mesh->vertexCount = 3;
    return mesh;
}

} // namespace

TEST(ModelDrawing, SkinnedModelMovesWithTheClockAndRestsInBindPoseWithoutAnimator) {
    REQUIRE_GL_CONTEXT();
    ASSERT_NE(testProgram()->program, 0u);
    glUseProgram(testProgram()->program);
    std::unique_ptr<Model> model = loadSkinnedBody();
    ASSERT_TRUE(model->loaded);
    const int32_t savedClock = animationClock;
    Picture picture;

    const std::vector<unsigned char> bindPose = picture.draw(*model);
    // The upper half of the body stands above its middle.
    EXPECT_GT(greenAt(bindPose, 0.0f, 0.2f), 150);
    EXPECT_GT(greenAt(bindPose, 0.0f, -0.2f), 150);

    ASSERT_TRUE(model->createAnimator());
    setClock(0);
    const std::vector<unsigned char> start = picture.draw(*model);
    // Half a second in, the upper bone has made a quarter turn.
    setClock(500);
    const std::vector<unsigned char> bent = picture.draw(*model);
    delete model->animator;
    model->animator = nullptr;
    animationClock = savedClock;

    EXPECT_LT(differingPixels(start, bindPose), 8);
    EXPECT_GT(differingPixels(start, bent), 40);
    EXPECT_EQ(greenAt(bent, 0.0f, 0.2f), 0);
    EXPECT_GT(greenAt(bent, 0.0f, -0.2f), 150);
    glUseProgram(0);
}

TEST(ModelDrawing, DrawUploadsThePlacementShadowFlagAndBones) {
    REQUIRE_GL_CONTEXT();
    const GLuint program = testProgram()->program;
    glUseProgram(program);
    std::unique_ptr<Model> model = loadSkinnedBody();
    model->setModelMatrix(glm::scale(glm::mat4(1.0f), glm::vec3(2.0f, 1.0f, 0.5f)));
    model->hasShadow = 0;
    const int32_t savedClock = animationClock;
    ASSERT_TRUE(model->createAnimator());
    setClock(500);
    Picture picture;
    picture.draw(*model);

    glm::mat4 placement(0.0f);
    glGetUniformfv(program, glGetUniformLocation(program, "mMatrix"), glm::value_ptr(placement));
    EXPECT_EQ(placement, model->modelMatrix);
    glm::mat3 normal(0.0f);
    glGetUniformfv(program, glGetUniformLocation(program, "normalMatrix"), glm::value_ptr(normal));
    EXPECT_EQ(normal, normalMatrixOf(model->modelMatrix));
    EXPECT_EQ(uniformInt("hasShadow"), 0);
    // The upper bone ("Chest", bone 1) is turned; the lower one is not.
    glm::mat4 chest(0.0f);
    glGetUniformfv(program, glGetUniformLocation(program, "boneMatrices[1]"),
                   glm::value_ptr(chest));
    EXPECT_NE(chest, glm::mat4(1.0f));

    delete model->animator;
    model->animator = nullptr;
    animationClock = savedClock;
    picture.draw(*model);
    glGetUniformfv(program, glGetUniformLocation(program, "boneMatrices[1]"),
                   glm::value_ptr(chest));
    EXPECT_EQ(chest, glm::mat4(1.0f));
    glUseProgram(0);
}

TEST(ModelDrawing, FailedModelStillSetsItsUniformsAndDrawsNothing) {
    REQUIRE_GL_CONTEXT();
    glUseProgram(testProgram()->program);
    Model model("../bin/objects/does-not-exist.x", nullptr, nullptr, testProgram());
    {
        OutputCapture quiet;
        EXPECT_FALSE(model.load());
    }
    model.hasShadow = 0;
    Picture picture;
    const std::vector<unsigned char> pixels = picture.draw(model);
    EXPECT_EQ(uniformInt("hasShadow"), 0);
    EXPECT_EQ(differingPixels(pixels, std::vector<unsigned char>(pixels.size(), 0)), 0);
    glUseProgram(0);
}

TEST(ModelDrawing, ModelWithoutAProgramDrawsNothing) {
    REQUIRE_GL_CONTEXT();
    std::unique_ptr<Model> model = loadSkinnedBody();
    model->shader = nullptr;
    ASSERT_TRUE(model->createAnimator());
    Picture picture;
    while (glGetError() != GL_NO_ERROR) {
    }
    const std::vector<unsigned char> pixels = picture.draw(*model);
    EXPECT_EQ(differingPixels(pixels, std::vector<unsigned char>(pixels.size(), 0)), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    delete model->animator;
    model->animator = nullptr;
}

TEST(ModelDrawing, SceneModelsAreEachDrawnWithTheirOwnPlacement) {
    REQUIRE_GL_CONTEXT();
    ShaderProgram* program = testProgram();
    std::unique_ptr<GameWorld> world;
    {
        OutputCapture quiet; // the interface pictures are not staged here
        world.reset(new GameWorld(program, program, program, program));
    }
    glUseProgram(program->program);
    std::unique_ptr<Model> left = loadSkinnedBody();
    std::unique_ptr<Model> right = loadSkinnedBody();
    left->setModelMatrix(glm::translate(glm::mat4(1.0f), glm::vec3(-0.5f, 0.0f, 0.0f)) *
                         left->modelMatrix);
    right->setModelMatrix(glm::translate(glm::mat4(1.0f), glm::vec3(0.5f, 0.0f, 0.0f)) *
                          right->modelMatrix);
    world->sceneModels = {left.get(), right.get()};
    Picture picture;
    glClear(GL_COLOR_BUFFER_BIT);
    world->drawSceneModels();
    std::vector<unsigned char> pixels(4 * PICTURE_SIZE * PICTURE_SIZE);
    glReadPixels(0, 0, PICTURE_SIZE, PICTURE_SIZE, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    EXPECT_GT(greenAt(pixels, -0.5f, 0.0f), 150);
    EXPECT_GT(greenAt(pixels, 0.5f, 0.0f), 150);
    EXPECT_EQ(greenAt(pixels, 0.0f, 0.0f), 0);
    glUseProgram(0);
}

TEST(MeshDrawing, TexturedMeshAfterAColouredOneDropsTheColourArray) {
    REQUIRE_GL_CONTEXT();
    glUseProgram(testProgram()->program);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    Model model("memory.x", nullptr, nullptr, testProgram());
    model.materialTextures = {-1, static_cast<GLint>(texture)};
    model.meshes = {triangleMesh(0), triangleMesh(1), triangleMesh(7), triangleMesh(-1), nullptr};

    drawMesh(model, 0);
    EXPECT_EQ(uniformInt("useTexture"), 0);
    EXPECT_EQ(colorArrayEnabled(), GL_TRUE);

    drawMesh(model, 1);
    EXPECT_EQ(uniformInt("useTexture"), 1);
    EXPECT_EQ(uniformInt("texture"), 1);
    EXPECT_EQ(colorArrayEnabled(), GL_FALSE);
    GLint active = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    EXPECT_EQ(active, GL_TEXTURE1);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), texture);

    // Material numbers outside the texture table draw with colours.
    for (unsigned outside : {2u, 3u}) {
        drawMesh(model, 1);
        drawMesh(model, outside);
        EXPECT_EQ(uniformInt("useTexture"), 0) << outside;
        EXPECT_EQ(colorArrayEnabled(), GL_TRUE) << outside;
    }

    // Empty slots and numbers past the table touch nothing.
    drawMesh(model, 1);
    drawMesh(model, 4);
    drawMesh(model, 99);
    EXPECT_EQ(uniformInt("useTexture"), 1);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    for (Mesh* mesh : model.meshes)
        delete mesh;
    glActiveTexture(GL_TEXTURE0);
    glUseProgram(0);
}
