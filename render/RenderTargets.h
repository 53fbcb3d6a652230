#pragma once

#include "render/GL.h"
#include "render/PictureSize.h"

#include <cstdint>

class ShaderProgram;

const int SHADOW_MAP_SIZE = 2048;

// Depth of the scene as seen from the light.
struct ShadowMapTarget {
    GLuint framebuffer = 0;
    GLuint depthTexture = 0;
};

// Colour of the main pass, shown on the window by the post-process pass.
struct PostProcessTarget {
    GLuint framebuffer = 0;
    GLuint depthRenderbuffer = 0;
    GLuint colorTexture = 0;
};

// Full-window quad; also draws every picture of the head-up display.
struct ScreenQuad {
    ShaderProgram* shader = nullptr;
    float positions[16] = {};
    float uvs[8] = {};
    uint32_t indices[4] = {};
    GLuint texture = 0;
};

void buildShadowMapTarget(ShadowMapTarget& target);
void buildPostProcessTarget(PostProcessTarget& target);
void buildScreenQuad(ScreenQuad& quad, ShaderProgram* shader);
void drawScreenQuad(const ScreenQuad& quad);
void releaseShadowMapTarget(ShadowMapTarget& target);
void releasePostProcessTarget(PostProcessTarget& target);
