#include "GlContext.h"
#include "OutputCapture.h"
#include "RenderTestSupport.h"
#include "render/RenderTargets.h"
#include "render/ShaderProgram.h"

#include <gtest/gtest.h>

namespace {

GLint integerState(GLenum which) {
    GLint value = -1;
    glGetIntegerv(which, &value);
    return value;
}

GLint textureLevel(GLuint texture, GLenum which) {
    GLint value = -1;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, which, &value);
    return value;
}

GLenum statusOf(GLuint framebuffer) {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer);
    const GLenum status = glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    return status;
}

// A 2x2 texture: first row (t = 0) red, green; second row blue, white.
GLuint cornersTexture() {
    const unsigned char texels[16] = {255, 0, 0,   255, 0,   255, 0,   255,
                                      0,   0, 255, 255, 255, 255, 255, 255};
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    return texture;
}

void expectColour(const Rgba& pixel, int r, int g, int b) {
    EXPECT_NEAR(pixel.r, r, 3);
    EXPECT_NEAR(pixel.g, g, 3);
    EXPECT_NEAR(pixel.b, b, 3);
}

} // namespace

// The shadow target has no colour buffer: it is complete because its draw and
// read buffers are none.
TEST(RenderTargets, ShadowMapTargetIsCompleteAndLeavesItsState) {
    REQUIRE_GL_CONTEXT();
    glDisable(GL_CULL_FACE);
    ShadowMapTarget target;
    OutputCapture capture;
    buildShadowMapTarget(target);
    capture.finish();
    EXPECT_EQ(capture.out(), "");
    EXPECT_EQ(capture.err(), "");
    ASSERT_NE(target.framebuffer, 0u);
    ASSERT_NE(target.depthTexture, 0u);
    EXPECT_EQ(integerState(GL_FRAMEBUFFER_BINDING_EXT), 0);
    EXPECT_EQ(static_cast<GLuint>(integerState(GL_TEXTURE_BINDING_2D)), target.depthTexture);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_EQ(integerState(GL_CULL_FACE_MODE), GL_BACK);

    EXPECT_EQ(statusOf(target.framebuffer), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE_EXT));
    EXPECT_EQ(textureLevel(target.depthTexture, GL_TEXTURE_WIDTH), SHADOW_MAP_SIZE);
    EXPECT_EQ(textureLevel(target.depthTexture, GL_TEXTURE_HEIGHT), SHADOW_MAP_SIZE);
    EXPECT_GT(textureLevel(target.depthTexture, GL_TEXTURE_DEPTH_SIZE), 0);

    const GLuint framebuffer = target.framebuffer;
    releaseShadowMapTarget(target);
    EXPECT_FALSE(glIsFramebufferEXT(framebuffer));
    EXPECT_EQ(target.framebuffer, 0u);
    EXPECT_EQ(target.depthTexture, 0u);
}

TEST(RenderTargets, PostProcessTargetIsCompleteAndLeavesItsState) {
    REQUIRE_GL_CONTEXT();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    PostProcessTarget target;
    OutputCapture capture;
    buildPostProcessTarget(target);
    capture.finish();
    EXPECT_EQ(capture.out(), "");
    EXPECT_EQ(capture.err(), "");
    ASSERT_NE(target.framebuffer, 0u);
    ASSERT_NE(target.colorTexture, 0u);
    ASSERT_NE(target.depthRenderbuffer, 0u);
    EXPECT_EQ(integerState(GL_FRAMEBUFFER_BINDING_EXT), 0);
    EXPECT_EQ(integerState(GL_TEXTURE_BINDING_2D), 0);
    EXPECT_EQ(static_cast<GLuint>(integerState(GL_RENDERBUFFER_BINDING_EXT)),
              target.depthRenderbuffer);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));

    EXPECT_EQ(statusOf(target.framebuffer), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE_EXT));
    EXPECT_EQ(textureLevel(target.colorTexture, GL_TEXTURE_WIDTH), PICTURE_WIDTH);
    EXPECT_EQ(textureLevel(target.colorTexture, GL_TEXTURE_HEIGHT), PICTURE_HEIGHT);

    const GLuint framebuffer = target.framebuffer;
    const GLuint renderbuffer = target.depthRenderbuffer;
    releasePostProcessTarget(target);
    EXPECT_FALSE(glIsFramebufferEXT(framebuffer));
    EXPECT_FALSE(glIsRenderbufferEXT(renderbuffer));
    EXPECT_EQ(target.colorTexture, 0u);
}

// The quad is clockwise on screen: it shows while front faces are culled, as
// they are in every pass of the game, and puts t = 0 at the bottom.
TEST(RenderTargets, ScreenQuadShowsItsTextureOverTheWholeViewport) {
    REQUIRE_GL_CONTEXT();
    ShaderProgram* postProcess = gameShaders().postProcess;
    ASSERT_NE(postProcess->program, 0u);
    PostProcessTarget canvas;
    buildPostProcessTarget(canvas);
    ScreenQuad quad;
    buildScreenQuad(quad, postProcess);
    quad.texture = cornersTexture();

    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, canvas.framebuffer);
    glViewport(0, 0, PICTURE_WIDTH, PICTURE_HEIGHT);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
    glUseProgram(postProcess->program);
    glUniform1i(glGetUniformLocation(postProcess->program, "mode"), 0);
    drawScreenQuad(quad);
    glUseProgram(0);

    expectColour(readPixel(256, 192), 255, 0, 0);
    expectColour(readPixel(768, 192), 0, 255, 0);
    expectColour(readPixel(256, 576), 0, 0, 255);
    expectColour(readPixel(768, 576), 255, 255, 255);
    expectColour(readPixel(0, 0), 255, 0, 0);
    expectColour(readPixel(1023, 767), 255, 255, 255);

    // The quad leaves its arrays enabled; they point into this test's quad.
    glDisableVertexAttribArray(
        static_cast<GLuint>(glGetAttribLocation(postProcess->program, "vertPos")));
    glDisableVertexAttribArray(
        static_cast<GLuint>(glGetAttribLocation(postProcess->program, "vertUv")));
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    glCullFace(GL_BACK);
    glDeleteTextures(1, &quad.texture);
    releasePostProcessTarget(canvas);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// A missing picture has texture 0, and a failed post-process build program 0:
// neither may raise a GL error or leave a stale texture bound.
TEST(RenderTargets, ScreenQuadWithoutTextureOrProgramRaisesNoGlError) {
    REQUIRE_GL_CONTEXT();
    ShaderProgram* postProcess = gameShaders().postProcess;
    PostProcessTarget canvas;
    buildPostProcessTarget(canvas);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, canvas.framebuffer);
    glViewport(0, 0, PICTURE_WIDTH, PICTURE_HEIGHT);
    glDisable(GL_CULL_FACE);
    while (glGetError() != GL_NO_ERROR) {
    }

    ScreenQuad quad;
    buildScreenQuad(quad, postProcess);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, canvas.colorTexture);
    glUseProgram(postProcess->program);
    drawScreenQuad(quad);
    EXPECT_EQ(integerState(GL_TEXTURE_BINDING_2D), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glUseProgram(0);

    OutputCapture capture;
    ShaderProgram failed(makeScratchFolder() + "/missing");
    capture.finish();
    ASSERT_EQ(failed.program, 0u);
    ScreenQuad orphan;
    buildScreenQuad(orphan, &failed);
    glClearColor(0.25f, 0.25f, 0.25f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glUseProgram(0);
    drawScreenQuad(orphan);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    expectColour(readPixel(512, 384), 64, 64, 64);

    glDisableVertexAttribArray(
        static_cast<GLuint>(glGetAttribLocation(postProcess->program, "vertPos")));
    glDisableVertexAttribArray(
        static_cast<GLuint>(glGetAttribLocation(postProcess->program, "vertUv")));
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    releasePostProcessTarget(canvas);
}
