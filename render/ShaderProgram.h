#pragma once

#include "render/GL.h"

#include <string>

// One linked GLSL program built from "<basePath>.vert" and "<basePath>.frag".
// A failed build reports itself on the console and leaves program at 0.
class ShaderProgram {
  public:
    explicit ShaderProgram(const std::string& basePath);

    GLuint vertexShader = 0;
    GLuint fragmentShader = 0;
    GLuint program = 0;
};

bool fileExists(const std::string& path);
std::string readFile(const std::string& path);

// Returns the shader object, also when its source failed to compile (the link
// then fails); 0 only when no shader object could be created.
GLuint compileShader(GLenum type, const std::string& source);

void linkProgram(ShaderProgram& shader);

// Reads one pending GL error and reports it on standard error.
void checkGlError();
