#include "render/InterfaceDraw.h"

#include "render/PaintedArea.h"
#include "render/RenderTargets.h"
#include "render/ShaderProgram.h"

void drawInterfaceVertices(const ShaderProgram& program, GLuint texture, GLenum mode,
                           const float* positions, const float* uvs, int count) {
    if (program.program == 0 || count == 0)
        return;
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glUniform1i(glGetUniformLocation(program.program, "texture"), 0);
    const GLint position = glGetAttribLocation(program.program, "vertPos");
    const GLint uv = glGetAttribLocation(program.program, "vertUv");
    if (position < 0 || uv < 0)
        return;
    glEnableVertexAttribArray(static_cast<GLuint>(position));
    glVertexAttribPointer(static_cast<GLuint>(position), 4, GL_FLOAT, GL_FALSE, 0, positions);
    glEnableVertexAttribArray(static_cast<GLuint>(uv));
    glVertexAttribPointer(static_cast<GLuint>(uv), 2, GL_FLOAT, GL_FALSE, 0, uvs);
    glDrawArrays(mode, 0, count);
    glDisableVertexAttribArray(static_cast<GLuint>(position));
    glDisableVertexAttribArray(static_cast<GLuint>(uv));
}

void drawPaintedPicture(const ScreenQuad& quad, GLuint texture, const PaintedArea& area) {
    if (quad.shader == nullptr)
        return;
    drawInterfaceVertices(*quad.shader, texture, GL_QUADS, area.positions.data(), area.uvs.data(),
                          static_cast<int>(area.rects.size() * 4));
}

void projectToClip(const glm::mat4& viewProjection, const glm::vec3* points, int count,
                   float* positions) {
    for (int i = 0; i < count; ++i) {
        const glm::vec4 clip = viewProjection * glm::vec4(points[i], 1.0f);
        for (int k = 0; k < 4; ++k)
            positions[4 * i + k] = clip[k];
    }
}

void pointUvs(float s, float t, int count, float* uvs) {
    for (int i = 0; i < count; ++i) {
        uvs[2 * i] = s;
        uvs[2 * i + 1] = t;
    }
}

void drawOutline(const ShaderProgram& program, GLuint atlas, const float* positions, int count,
                 const OutlineLook& look) {
    const int MOST_POINTS = 8;
    if (count > MOST_POINTS)
        return;
    float uvs[2 * MOST_POINTS];
    glLineWidth(look.edgeWidth);
    pointUvs(look.edgeS, look.edgeT, count, uvs);
    drawInterfaceVertices(program, atlas, GL_LINE_LOOP, positions, uvs, count);
    glLineWidth(look.width);
    pointUvs(look.colourS, look.colourT, count, uvs);
    drawInterfaceVertices(program, atlas, GL_LINE_LOOP, positions, uvs, count);
    glLineWidth(1.0f);
}
