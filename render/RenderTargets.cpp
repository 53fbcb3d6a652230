#include "render/RenderTargets.h"

#include "render/ShaderProgram.h"

#include <cstdio>

namespace {

void reportIncompleteFramebuffer() {
    if (glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT) != GL_FRAMEBUFFER_COMPLETE_EXT) {
        printf("GL_FRAMEBUFFER_COMPLETE_EXT failed, CANNOT use FBO\n");
        fflush(stdout);
    }
}

} // namespace

void buildShadowMapTarget(ShadowMapTarget& target) {
    glGenTextures(1, &target.depthTexture);
    glBindTexture(GL_TEXTURE_2D, target.depthTexture);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_TRUE);
    // Read through a shadow sampler, the map tests depths itself: a point
    // is lit where its depth is at most the map's. With linear filtering the
    // four tests around a point are blended, on every GL since 1.4.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_R_TO_TEXTURE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, GL_LEQUAL);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, SHADOW_MAP_SIZE, SHADOW_MAP_SIZE, 0,
                 GL_DEPTH_COMPONENT, GL_FLOAT, nullptr);

    glGenFramebuffersEXT(1, &target.framebuffer);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, target.framebuffer);
    glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_TEXTURE_2D,
                              target.depthTexture, 0);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    // Depth only: without a colour buffer the framebuffer is still complete.
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    reportIncompleteFramebuffer();
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
}

void buildPostProcessTarget(PostProcessTarget& target) {
    glGenTextures(1, &target.colorTexture);
    glBindTexture(GL_TEXTURE_2D, target.colorTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, PICTURE_WIDTH, PICTURE_HEIGHT, 0, GL_RGB,
                 GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, 0);

    glGenFramebuffersEXT(1, &target.framebuffer);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, target.framebuffer);
    glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D,
                              target.colorTexture, 0);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);

    glGenRenderbuffersEXT(1, &target.depthRenderbuffer);
    glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, target.depthRenderbuffer);
    glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT, PICTURE_WIDTH,
                             PICTURE_HEIGHT);
    glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT,
                                 target.depthRenderbuffer);
    reportIncompleteFramebuffer();
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
}

void buildScreenQuad(ScreenQuad& quad, ShaderProgram* shader) {
    // Top-left, top-right, bottom-right, bottom-left: clockwise on screen.
    const float positions[16] = {-1.0f, 1.0f,  0.0f, 1.0f, 1.0f,  1.0f,  0.0f, 1.0f,
                                 1.0f,  -1.0f, 0.0f, 1.0f, -1.0f, -1.0f, 0.0f, 1.0f};
    const float uvs[8] = {0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f};
    quad.shader = shader;
    for (int i = 0; i < 16; ++i)
        quad.positions[i] = positions[i];
    for (int i = 0; i < 8; ++i)
        quad.uvs[i] = uvs[i];
    for (int i = 0; i < 4; ++i)
        quad.indices[i] = static_cast<uint32_t>(i);
}

void drawScreenQuad(const ScreenQuad& quad) {
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, quad.texture);
    // A program that failed to build has no inputs to look up; asking program
    // 0 for them, or enabling array -1, would only raise GL errors.
    const GLuint program = quad.shader != nullptr ? quad.shader->program : 0;
    if (program == 0)
        return;
    // The locations come from the post-process program even while the
    // interface program is current; both declare the inputs identically.
    glUniform1i(glGetUniformLocation(program, "texture"), 0);
    const GLint position = glGetAttribLocation(program, "vertPos");
    if (position < 0)
        return;
    glEnableVertexAttribArray(static_cast<GLuint>(position));
    glVertexAttribPointer(static_cast<GLuint>(position), 4, GL_FLOAT, GL_FALSE, 0, quad.positions);
    const GLint uv = glGetAttribLocation(program, "vertUv");
    if (uv >= 0) {
        glEnableVertexAttribArray(static_cast<GLuint>(uv));
        glVertexAttribPointer(static_cast<GLuint>(uv), 2, GL_FLOAT, GL_FALSE, 0, quad.uvs);
    }
    glDrawElements(GL_QUADS, 4, GL_UNSIGNED_INT, quad.indices);
}

void releaseShadowMapTarget(ShadowMapTarget& target) {
    if (target.framebuffer != 0)
        glDeleteFramebuffersEXT(1, &target.framebuffer);
    if (target.depthTexture != 0)
        glDeleteTextures(1, &target.depthTexture);
    target.framebuffer = 0;
    target.depthTexture = 0;
}

void releasePostProcessTarget(PostProcessTarget& target) {
    if (target.depthRenderbuffer != 0)
        glDeleteRenderbuffersEXT(1, &target.depthRenderbuffer);
    if (target.framebuffer != 0)
        glDeleteFramebuffersEXT(1, &target.framebuffer);
    if (target.colorTexture != 0)
        glDeleteTextures(1, &target.colorTexture);
    target.depthRenderbuffer = 0;
    target.framebuffer = 0;
    target.colorTexture = 0;
}
