#include "render/DisplayPictures.h"

#include "render/Texture.h"

#include <SDL.h>

#include <cstdio>
#include <string>

namespace {
const char* const INTERFACE_FOLDER = "../bin/objects/interface/";
}

GLuint loadInterfacePicture(const char* fileName, PaintedArea* painted) {
    SDL_Surface* image = loadBmp(std::string(INTERFACE_FOLDER) + fileName);
    if (image == nullptr) {
        printf("No texture found.\n");
        fflush(stdout);
        return 0;
    }
    if (painted != nullptr)
        *painted = findPaintedArea(image);
    return uploadTexture(image);
}

GLuint DisplayPictures::load(const char* fileName) {
    PaintedArea painted;
    const GLuint texture = loadInterfacePicture(fileName, &painted);
    if (texture != 0)
        paintedAreas[texture] = painted;
    return texture;
}
