// What the game's GLSL programs put on screen, read back from an off-screen target.
#include "BmpWriter.h"
#include "GlContext.h"
#include "OutputCapture.h"
#include "RenderTestSupport.h"
#include "world/GameWorld.h"
#include "render/Camera.h"
#include "render/Light.h"
#include "render/ShaderProgram.h"
#include "render/Texture.h"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>

#include <vector>

namespace {

// A square in the plane y = height, as two triangles of 4-float positions.
std::vector<float> square(float minX, float maxX, float minZ, float maxZ, float height) {
    return {minX, height, minZ, 1, maxX, height, minZ, 1, maxX, height, maxZ, 1,
            minX, height, minZ, 1, maxX, height, maxZ, 1, minX, height, maxZ, 1};
}

const std::vector<float> FLOOR = square(-3.0f, 3.0f, -3.0f, 3.0f, 0.0f);
// Hovers between the light and the arena centre, so its shadow falls on (0, 0, 0).
const std::vector<float> OCCLUDER = square(0.5f, 1.5f, -0.5f, 0.5f, 1.0f);

struct Surface {
    glm::vec3 normal = glm::vec3(0.0f, 1.0f, 0.0f);
    glm::vec4 colour = glm::vec4(1.0f);
    int hasShadow = 0;
    int useTexture = 0;
    glm::vec4 boneWeight = glm::vec4(0.0f);
    glm::vec4 boneIndex = glm::vec4(0.0f);
    std::vector<glm::mat4> bones = std::vector<glm::mat4>(60, glm::mat4(1.0f));
};

// Draws triangles with the model program, which must be current, the way a
// mesh does: per-vertex positions, the rest as constant attributes.
void drawWithModelShader(GLuint program, const std::vector<float>& positions,
                         const Surface& surface) {
    const glm::mat4 identity(1.0f);
    const glm::mat3 normalMatrix(1.0f);
    glUniformMatrix4fv(glGetUniformLocation(program, "mMatrix"), 1, GL_FALSE,
                       glm::value_ptr(identity));
    glUniformMatrix3fv(glGetUniformLocation(program, "normalMatrix"), 1, GL_FALSE,
                       glm::value_ptr(normalMatrix));
    glUniformMatrix4fv(glGetUniformLocation(program, "boneMatrices"), 60, GL_FALSE,
                       glm::value_ptr(surface.bones[0]));
    glUniform1i(glGetUniformLocation(program, "hasShadow"), surface.hasShadow);
    glUniform1i(glGetUniformLocation(program, "useTexture"), surface.useTexture);
    glUniform1i(glGetUniformLocation(program, "texture"), 1);

    const GLint position = glGetAttribLocation(program, "vertPos");
    ASSERT_GE(position, 0);
    // Earlier draws (the screen quad) leave arrays enabled; constants need them off.
    for (const char* name : {"vertNormal", "vertColor", "vertUv", "boneWeight", "boneIndex"}) {
        const GLint location = glGetAttribLocation(program, name);
        if (location >= 0)
            glDisableVertexAttribArray(static_cast<GLuint>(location));
    }
    glVertexAttrib3fv(glGetAttribLocation(program, "vertNormal"), glm::value_ptr(surface.normal));
    glVertexAttrib4fv(glGetAttribLocation(program, "vertColor"), glm::value_ptr(surface.colour));
    glVertexAttrib2f(glGetAttribLocation(program, "vertUv"), 0.5f, 0.5f);
    glVertexAttrib4fv(glGetAttribLocation(program, "boneWeight"),
                      glm::value_ptr(surface.boneWeight));
    glVertexAttrib4fv(glGetAttribLocation(program, "boneIndex"), glm::value_ptr(surface.boneIndex));
    glEnableVertexAttribArray(static_cast<GLuint>(position));
    glVertexAttribPointer(static_cast<GLuint>(position), 4, GL_FLOAT, GL_FALSE, 0,
                          positions.data());
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(positions.size() / 4));
    glDisableVertexAttribArray(static_cast<GLuint>(position));
}

int brightness(const Rgba& pixel) {
    return (pixel.r + pixel.g + pixel.b) / 3;
}

// One game world with its targets, the game's camera and light, and the programs.
class ShaderPixels : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (!ensureGlContext())
            return;
        const GameShaders& shaders = gameShaders();
        OutputCapture capture;
        world =
            new GameWorld(shaders.model, shaders.shadow, shaders.postProcess, shaders.interface);
        capture.finish();
        world->camera = new Camera(glm::vec3(0.0f, 5.0f, -5.0f), glm::vec3(0.0f));
        world->light = new Light(glm::vec3(15.0f, 15.0f, 0.0f), glm::vec3(0.1f), glm::vec3(0.2f),
                                 glm::vec3(1.0f));
    }

    void SetUp() override {
        ASSERT_TRUE(ensureGlContext());
        ASSERT_NE(world, nullptr);
        glDisable(GL_CULL_FACE);
        glEnable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
    }

    void TearDown() override {
        glUseProgram(0);
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
        glDisable(GL_BLEND);
        glEnable(GL_DEPTH_TEST);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    GLuint modelProgram() const { return world->modelShader->program; }

    // The shadow pass: the given casters' depth seen from the light.
    void renderShadowMap(const std::vector<const std::vector<float>*>& casters) {
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, world->shadowTarget.framebuffer);
        glViewport(0, 0, SHADOW_MAP_SIZE, SHADOW_MAP_SIZE);
        glClear(GL_DEPTH_BUFFER_BIT);
        glUseProgram(modelProgram());
        world->setLightViewUniforms();
        world->setLightUniforms();
        for (const std::vector<float>* caster : casters)
            drawWithModelShader(modelProgram(), *caster, Surface());
        glUseProgram(0);
    }

    // The main pass into the post-process target, from the camera.
    void beginMainPass() {
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, world->postTarget.framebuffer);
        glViewport(0, 0, PICTURE_WIDTH, PICTURE_HEIGHT);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glUseProgram(modelProgram());
        glUniform1i(glGetUniformLocation(modelProgram(), "mode"), 1);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, world->shadowTarget.depthTexture);
        glUniform1i(glGetUniformLocation(modelProgram(), "shadowMap"), 0);
        world->setCameraUniforms();
        world->setLightUniforms();
    }

    Rgba drawFloorAndRead(const Surface& surface, const glm::vec3& at) {
        beginMainPass();
        drawWithModelShader(modelProgram(), FLOOR, surface);
        const glm::ivec2 pixel = screenPixel(at);
        return readPixel(pixel.x, pixel.y);
    }

    glm::ivec2 screenPixel(const glm::vec3& world) const {
        const glm::vec4 clip = this->world->camera->projection * this->world->camera->viewMatrix() *
                               glm::vec4(world, 1.0f);
        const glm::vec2 ndc = glm::vec2(clip) / clip.w;
        return glm::ivec2((ndc.x * 0.5f + 0.5f) * PICTURE_WIDTH,
                          (ndc.y * 0.5f + 0.5f) * PICTURE_HEIGHT);
    }

    // Draws a texture over the post-process target with the given program,
    // through the quad as the game does: locations from the post-process program.
    void drawPicture(GLuint program, GLuint texture, int mode) {
        glUseProgram(program);
        glUniform1i(glGetUniformLocation(program, "mode"), mode);
        world->screenQuad.texture = texture;
        glEnable(GL_CULL_FACE);
        glCullFace(GL_FRONT);
        drawScreenQuad(world->screenQuad);
        glDisable(GL_CULL_FACE);
        glUseProgram(0);
    }

    void clearPostTarget(float grey) {
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, world->postTarget.framebuffer);
        glViewport(0, 0, PICTURE_WIDTH, PICTURE_HEIGHT);
        glClearColor(grey, grey, grey, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    static GameWorld* world;
};

GameWorld* ShaderPixels::world = nullptr;

GLuint solidTexture(int width, int height, unsigned char grey) {
    const std::vector<unsigned char> texels(static_cast<size_t>(width * height * 4), grey);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return texture;
}

} // namespace

TEST_F(ShaderPixels, ModelShaderLightsSurfacesFacingTheLight) {
    renderShadowMap({});
    const glm::vec3 centre(0.0f);
    Surface up;
    const Rgba lit = drawFloorAndRead(up, centre);
    Surface down;
    down.normal = glm::vec3(0.0f, -1.0f, 0.0f);
    const Rgba unlit = drawFloorAndRead(down, centre);
    EXPECT_GT(brightness(lit), brightness(unlit) + 40);
    EXPECT_GT(brightness(unlit), 10) << "ambient light keeps unlit faces visible";

    Surface red;
    red.colour = glm::vec4(1.0f, 0.0f, 0.0f, 1.0f);
    const Rgba redPixel = drawFloorAndRead(red, centre);
    EXPECT_GT(redPixel.r, 100);
    EXPECT_LT(redPixel.g, redPixel.r / 2);

    // A textured surface shows its texture (unit 1), not its vertex colour.
    GLuint green = 0;
    glGenTextures(1, &green);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, green);
    const unsigned char texel[4] = {0, 255, 0, 255};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glActiveTexture(GL_TEXTURE0);
    red.useTexture = 1;
    const Rgba textured = drawFloorAndRead(red, centre);
    EXPECT_GT(textured.g, 100);
    EXPECT_LT(textured.r, textured.g / 2);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
    glDeleteTextures(1, &green);
}

TEST_F(ShaderPixels, ModelShaderSkinsOnlyWeightedVerticesAndClampsBoneIndices) {
    renderShadowMap({});
    const glm::vec3 centre(0.0f);
    const std::vector<glm::mat4> noBones(60, glm::mat4(0.0f));

    Surface unweighted;
    unweighted.bones = noBones;
    EXPECT_GT(brightness(drawFloorAndRead(unweighted, centre)), 40)
        << "weights summing to 0 must draw the mesh unskinned";

    Surface moved;
    moved.boneWeight = glm::vec4(1.0f, 0.0f, 0.0f, 0.0f);
    moved.boneIndex = glm::vec4(2.0f, 0.0f, 0.0f, 0.0f);
    moved.bones[2] = glm::translate(glm::mat4(1.0f), glm::vec3(20.0f, 0.0f, 0.0f));
    EXPECT_EQ(brightness(drawFloorAndRead(moved, centre)), 0) << "bone 2 moves the floor away";

    // Only the last bone holds a matrix: an index past the array must land on it.
    Surface stray;
    stray.bones = noBones;
    stray.bones[59] = glm::mat4(1.0f);
    stray.boneWeight = glm::vec4(1.0f, 0.0f, 0.0f, 0.0f);
    stray.boneIndex = glm::vec4(75.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_GT(brightness(drawFloorAndRead(stray, centre)), 40);
}

TEST_F(ShaderPixels, OccluderInShadowMapDarkensOnlyReceivers) {
    const glm::vec3 shaded(0.0f);
    const glm::vec3 aside(0.0f, 0.0f, 2.0f);
    Surface receiver;
    receiver.hasShadow = 1;

    renderShadowMap({});
    const Rgba openShaded = drawFloorAndRead(receiver, shaded);
    const Rgba openAside = drawFloorAndRead(receiver, aside);

    renderShadowMap({&OCCLUDER});
    const Rgba shadowed = drawFloorAndRead(receiver, shaded);
    const Rgba stillLit = drawFloorAndRead(receiver, aside);
    EXPECT_LT(brightness(shadowed), brightness(openShaded) - 40);
    EXPECT_NEAR(brightness(stillLit), brightness(openAside), 2);

    Surface nonReceiver;
    EXPECT_NEAR(brightness(drawFloorAndRead(nonReceiver, shaded)), brightness(openShaded), 2);
}

TEST_F(ShaderPixels, ShadowEdgesAreSoftAndSurfacesDoNotShadowThemselves) {
    Surface receiver;
    receiver.hasShadow = 1;
    renderShadowMap({});
    const Rgba open = drawFloorAndRead(receiver, glm::vec3(0.0f));

    renderShadowMap({&OCCLUDER});
    const Rgba shadowed = drawFloorAndRead(receiver, glm::vec3(0.0f));
    // Along the row through the shadow, the edge passes through in-between values.
    const int row = screenPixel(glm::vec3(0.0f)).y;
    std::vector<unsigned char> line(PICTURE_WIDTH * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, row, PICTURE_WIDTH, 1, GL_RGBA, GL_UNSIGNED_BYTE, line.data());
    int between = 0;
    for (int x = 200; x < 824; ++x) {
        const int value = (line[x * 4] + line[x * 4 + 1] + line[x * 4 + 2]) / 3;
        if (value > brightness(shadowed) + 8 && value < brightness(open) - 8)
            ++between;
    }
    EXPECT_GE(between, 2) << "a filtered shadow edge has a penumbra";

    // The floor itself in the shadow map must not darken the floor (no acne).
    renderShadowMap({&FLOOR});
    const glm::vec3 spots[] = {glm::vec3(0.0f), glm::vec3(1.0f, 0.0f, 1.0f),
                               glm::vec3(-1.5f, 0.0f, -1.0f), glm::vec3(2.0f, 0.0f, 0.5f),
                               glm::vec3(-2.0f, 0.0f, 2.0f)};
    for (const glm::vec3& spot : spots) {
        Surface unshadowed;
        const int expected = brightness(drawFloorAndRead(unshadowed, spot));
        EXPECT_NEAR(brightness(drawFloorAndRead(receiver, spot)), expected, 2)
            << spot.x << ", " << spot.z;
    }
}

// The picture is drawn upright (its top row at the top of the window), and its
// transparent parts leave what lies below.
TEST_F(ShaderPixels, InterfacePictureIsUprightAndHonoursAlpha) {
    const std::string path = makeScratchFolder() + "/picture.bmp";
    BmpImage picture;
    picture.width = 2;
    picture.height = 2;
    // Top row: opaque red, transparent green; bottom row: opaque blue, half white.
    picture.pixels = {0xFFFF0000, 0x0000FF00, 0xFF0000FF, 0x80FFFFFF};
    writeBmp32(path, picture, false);
    OutputCapture capture;
    const GLuint texture = uploadTexture(loadBmp(path));
    capture.finish();
    ASSERT_NE(texture, 0u);

    clearPostTarget(0.5f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_DEPTH_TEST);
    drawPicture(world->interfaceShader->program, texture, 0);

    const Rgba topLeft = readPixel(256, 576);
    const Rgba topRight = readPixel(768, 576);
    const Rgba bottomLeft = readPixel(256, 192);
    const Rgba bottomRight = readPixel(768, 192);
    EXPECT_NEAR(topLeft.r, 255, 3);
    EXPECT_NEAR(topLeft.b, 0, 3);
    EXPECT_NEAR(topRight.r, 128, 3);
    EXPECT_NEAR(topRight.g, 128, 3) << "a transparent texel leaves the background";
    EXPECT_NEAR(bottomLeft.b, 255, 3);
    EXPECT_NEAR(bottomLeft.r, 0, 3);
    EXPECT_NEAR(bottomRight.r, 191, 4) << "half transparent white over grey";
    glDeleteTextures(1, &texture);
}

TEST_F(ShaderPixels, PostProcessModeOneLooksClearlyDifferent) {
    const GLuint grey = solidTexture(4, 4, 128);
    const GLuint program = world->postProcessShader->program;
    // The post-process target is the source here, so draw into a second target.
    PostProcessTarget canvas;
    buildPostProcessTarget(canvas);
    auto render = [&](int mode, int x, int y) {
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, canvas.framebuffer);
        glViewport(0, 0, PICTURE_WIDTH, PICTURE_HEIGHT);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawPicture(program, grey, mode);
        return readPixel(x, y);
    };
    const Rgba plainCentre = render(0, 512, 384);
    const Rgba plainCorner = render(0, 4, 4);
    EXPECT_NEAR(plainCentre.r, 128, 2);
    EXPECT_NEAR(plainCentre.g, 128, 2);
    EXPECT_NEAR(plainCorner.b, 128, 2);

    const Rgba gradedCentre = render(1, 512, 384);
    const Rgba gradedCorner = render(1, 4, 4);
    const int centreChange = std::abs(gradedCentre.r - plainCentre.r) +
                             std::abs(gradedCentre.g - plainCentre.g) +
                             std::abs(gradedCentre.b - plainCentre.b);
    EXPECT_GT(centreChange, 30);
    EXPECT_LT(brightness(gradedCorner), brightness(plainCorner) - 40) << "vignette";
    releasePostProcessTarget(canvas);
    glDeleteTextures(1, &grey);
}

// The quad looks its locations up in the post-process program also while the
// interface program is current, so both programs must agree on them.
TEST_F(ShaderPixels, InterfaceAndPostProcessShareQuadLocations) {
    const GLuint post = world->postProcessShader->program;
    const GLuint iface = world->interfaceShader->program;
    EXPECT_GE(glGetAttribLocation(post, "vertPos"), 0);
    EXPECT_GE(glGetAttribLocation(post, "vertUv"), 0);
    EXPECT_GE(glGetUniformLocation(post, "texture"), 0);
    EXPECT_EQ(glGetAttribLocation(iface, "vertPos"), glGetAttribLocation(post, "vertPos"));
    EXPECT_EQ(glGetAttribLocation(iface, "vertUv"), glGetAttribLocation(post, "vertUv"));
    EXPECT_EQ(glGetUniformLocation(iface, "texture"), glGetUniformLocation(post, "texture"));
}
