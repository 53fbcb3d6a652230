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
