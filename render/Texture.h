#pragma once

#include "render/GL.h"

#include <string>

struct SDL_Surface;

// Decodes a BMP file; nullptr when the file is missing or not a valid BMP.
SDL_Surface* loadBmp(const std::string& path);

// Turns the image into a GL 2D texture, left bound on the active unit, and
// frees the image. Prints the loaded line with its format or warnings.
GLuint uploadTexture(SDL_Surface* image);
