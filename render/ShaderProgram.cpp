#include "render/ShaderProgram.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

// Size of the buffer a compile or link log is read into.
const GLsizei LOG_BUFFER_SIZE = 8096;

// Every program gets the same attribute locations, in this order, before
// it is linked. "vertPos" comes first: some drivers draw nothing unless
// attribute 0 is an enabled array, and only the positions always are.
// A name a program does not declare is simply not used.
const char* const ATTRIBUTE_ORDER[] = {"vertPos",   "vertNormal", "vertUv",
                                       "vertColor", "boneWeight", "boneIndex"};

void printShaderLog(GLuint shader) {
    char log[LOG_BUFFER_SIZE];
    log[0] = '\0';
    GLsizei length = 0;
    glGetShaderInfoLog(shader, LOG_BUFFER_SIZE, &length, log);
    if (length > 0)
        printf("%s\n", log);
}

void printProgramLog(GLuint program) {
    char log[LOG_BUFFER_SIZE];
    log[0] = '\0';
    GLsizei length = 0;
    glGetProgramInfoLog(program, LOG_BUFFER_SIZE, &length, log);
    if (length > 0)
        printf("%s\n", log);
}

} // namespace

ShaderProgram::ShaderProgram(const std::string& basePath) {
    const std::string vertexPath = basePath + ".vert";
    const std::string fragmentPath = basePath + ".frag";
    if (!fileExists(vertexPath)) {
        fprintf(stderr, "Vertex shader file %s.vert does not exist.\n", basePath.c_str());
        return;
    }
    const std::string vertexSource = readFile(vertexPath);
    if (!fileExists(fragmentPath)) {
        fprintf(stderr, "Fragment shader file %s.frag does not exist.\n", basePath.c_str());
        return;
    }
    const std::string fragmentSource = readFile(fragmentPath);

    vertexShader = compileShader(GL_VERTEX_SHADER, vertexSource);
    if (vertexShader == 0)
        return;
    checkGlError();
    fragmentShader = compileShader(GL_FRAGMENT_SHADER, fragmentSource);
    if (fragmentShader == 0)
        return;
    checkGlError();
    linkProgram(*this);
    if (program != 0)
        checkGlError();
}

bool fileExists(const std::string& path) {
    std::ifstream file(path);
    return file.is_open();
}

std::string readFile(const std::string& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

GLuint compileShader(GLenum type, const std::string& source) {
    GLuint shader = glCreateShader(type);
    if (shader == 0) {
        fprintf(stderr, "Could not create shader object.\n");
        return 0;
    }
    const GLchar* text = source.c_str();
    const GLint length = static_cast<GLint>(source.size());
    glShaderSource(shader, 1, &text, &length);
    glCompileShader(shader);

    GLint status = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status != GL_TRUE) {
        fwrite(source.data(), 1, source.size(), stdout);
        printf("\nShader compilation failed.\n");
        printShaderLog(shader);
        fflush(stdout);
    }
    checkGlError();
    // A shader that failed to compile is still handed on; the link reports it.
    return shader;
}

void linkProgram(ShaderProgram& shader) {
    shader.program = glCreateProgram();
    glAttachShader(shader.program, shader.vertexShader);
    glAttachShader(shader.program, shader.fragmentShader);
    GLuint location = 0;
    for (const char* name : ATTRIBUTE_ORDER)
        glBindAttribLocation(shader.program, location++, name);
    glLinkProgram(shader.program);

    GLint status = GL_FALSE;
    glGetProgramiv(shader.program, GL_LINK_STATUS, &status);
    if (status != GL_TRUE) {
        printf("Shader linking failed.\n");
        printProgramLog(shader.program);
        fflush(stdout);
        glDeleteProgram(shader.program);
        shader.program = 0;
    }
    checkGlError();
}

void checkGlError() {
    const GLenum error = glGetError();
    if (error == GL_NO_ERROR)
        return;
    const char* line = "GL: Unknown error.";
    switch (error) {
    case GL_INVALID_ENUM:
        line = "GL: enum argument out of range.";
        break;
    case GL_INVALID_VALUE:
        line = "GL: Numeric argument out of range.";
        break;
    case GL_INVALID_OPERATION:
        line = "GL: Operation illegal in current state.";
        break;
    case GL_OUT_OF_MEMORY:
        line = "GL: Not enough memory left to execute command.";
        break;
    case GL_INVALID_FRAMEBUFFER_OPERATION:
        line = "GL: Framebuffer object is not complete.";
        break;
    default:
        break;
    }
    fprintf(stderr, "%s\n", line);
}
