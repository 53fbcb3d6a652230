#include "render/PictureFilter.h"

#include "render/PictureSize.h"

bool viewportIsPictureSize() {
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    return viewport[2] == PICTURE_WIDTH && viewport[3] == PICTURE_HEIGHT;
}

void choosePictureFilter(GLuint texture, bool pixelForPixel) {
    const GLint filter = pixelForPixel ? GL_NEAREST : GL_LINEAR;
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
}
