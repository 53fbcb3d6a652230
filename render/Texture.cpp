#include "render/Texture.h"

#include <SDL.h>

#include <cstdio>

namespace {

bool isPowerOfTwo(int size) {
    return (size & (size - 1)) == 0;
}

// Picks the GL pixel format from the image's layout; 0 when it is not true colour.
GLenum chooseFormat(const SDL_PixelFormat* format) {
    const bool redFirst = format->Rmask == 0xFF;
    switch (format->BytesPerPixel) {
    case 4:
        printf(redFirst ? " Format: RGBA\n" : " Format: BGRA\n");
        return redFirst ? GL_RGBA : GL_BGRA;
    case 3:
        printf(redFirst ? " Format: RGB\n" : " Format: BGR\n");
        return redFirst ? GL_RGB : GL_BGR;
    default:
        printf("warning: the image is not truecolor.\n");
        return 0;
    }
}

} // namespace

SDL_Surface* loadBmp(const std::string& path) {
    SDL_RWops* stream = SDL_RWFromFile(path.c_str(), "rb");
    if (stream == nullptr)
        return nullptr;
    // The decoder closes the stream, also when the file is no valid BMP.
    return SDL_LoadBMP_RW(stream, 1);
}

GLuint uploadTexture(SDL_Surface* image) {
    if (image == nullptr)
        return 0;
    printf("Texture loaded in program-memory");
    if (!isPowerOfTwo(image->w))
        printf("warning: image width is not a power of 2\n");
    if (!isPowerOfTwo(image->h))
        printf("warning: image height is not a power of 2\n");
    const GLenum format = chooseFormat(image->format);
    fflush(stdout);

    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    if (format != 0) {
        glTexImage2D(GL_TEXTURE_2D, 0, image->format->BytesPerPixel, image->w, image->h, 0, format,
                     GL_UNSIGNED_BYTE, image->pixels);
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    SDL_FreeSurface(image);
    return texture;
}
