#pragma once

#include "render/GL.h"

#include <string>

class ShaderProgram;

// The five programs of the game, built once from the staged shader folder.
struct GameShaders {
    ShaderProgram* model;
    ShaderProgram* particle;
    ShaderProgram* shadow;
    ShaderProgram* postProcess;
    ShaderProgram* interface;
};
const GameShaders& gameShaders();

// A fresh folder under /tmp for files a test writes.
std::string makeScratchFolder();
void writeTextFile(const std::string& path, const std::string& text);

struct Rgba {
    int r, g, b, a;
};
// Reads one pixel of the currently bound read framebuffer.
Rgba readPixel(int x, int y);
