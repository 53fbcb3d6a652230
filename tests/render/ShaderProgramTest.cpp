#include "GlContext.h"
#include "OutputCapture.h"
#include "RenderTestSupport.h"
#include "render/ShaderProgram.h"

#include <gtest/gtest.h>

namespace {

const char* const GOOD_VERTEX = "#version 120\n"
                                "attribute vec4 vertPos;\n"
                                "void main() { gl_Position = vertPos; }\n";
const char* const GOOD_FRAGMENT = "#version 120\n"
                                  "void main() { gl_FragColor = vec4(1.0); }\n";
const char* const BROKEN_VERTEX = "#version 120\n"
                                  "attribute vec4 vertPos;\n"
                                  "void main() { gl_Position = vertPos }\n";

std::string infoLog(GLuint shader) {
    char log[8096] = "";
    GLsizei length = 0;
    glGetShaderInfoLog(shader, sizeof log, &length, log);
    return std::string(log, static_cast<size_t>(length));
}

} // namespace

TEST(ShaderProgram, BothFilesMissingReportsOnlyTheVertexFile) {
    REQUIRE_GL_CONTEXT();
    const std::string base = makeScratchFolder() + "/absent";
    OutputCapture capture;
    ShaderProgram shader(base);
    capture.finish();
    EXPECT_EQ(capture.err(), "Vertex shader file " + base + ".vert does not exist.\n");
    EXPECT_EQ(capture.out(), "");
    EXPECT_EQ(shader.vertexShader, 0u);
    EXPECT_EQ(shader.fragmentShader, 0u);
    EXPECT_EQ(shader.program, 0u);
}

TEST(ShaderProgram, MissingFragmentFileCreatesNoShaderObject) {
    REQUIRE_GL_CONTEXT();
    const std::string base = makeScratchFolder() + "/half";
    writeTextFile(base + ".vert", GOOD_VERTEX);
    OutputCapture capture;
    ShaderProgram shader(base);
    capture.finish();
    EXPECT_EQ(capture.err(), "Fragment shader file " + base + ".frag does not exist.\n");
    EXPECT_EQ(capture.out(), "");
    EXPECT_EQ(shader.vertexShader, 0u);
    EXPECT_EQ(shader.fragmentShader, 0u);
    EXPECT_EQ(shader.program, 0u);
}

// The source, the failure line and the compile log go to standard output; the
// fragment shader is still compiled and the link then fails.
TEST(ShaderProgram, VertexSyntaxErrorPrintsSourceLogAndLinkFailure) {
    REQUIRE_GL_CONTEXT();
    const std::string base = makeScratchFolder() + "/broken";
    writeTextFile(base + ".vert", BROKEN_VERTEX);
    writeTextFile(base + ".frag", GOOD_FRAGMENT);
    OutputCapture capture;
    ShaderProgram shader(base);
    capture.finish();

    ASSERT_NE(shader.vertexShader, 0u);
    const std::string log = infoLog(shader.vertexShader);
    ASSERT_FALSE(log.empty());
    const std::string expectedStart = std::string(BROKEN_VERTEX) + "\n" +
                                      "Shader compilation failed.\n" + log + "\n" +
                                      "Shader linking failed.\n";
    const std::string& out = capture.out();
    ASSERT_GE(out.size(), expectedStart.size()) << out;
    EXPECT_EQ(out.substr(0, expectedStart.size()), expectedStart);
    const std::string linkLog = out.substr(expectedStart.size());
    EXPECT_TRUE(linkLog.empty() || linkLog.back() == '\n') << linkLog;
    EXPECT_EQ(capture.err(), "");

    EXPECT_NE(shader.fragmentShader, 0u);
    GLint fragmentCompiled = GL_FALSE;
    glGetShaderiv(shader.fragmentShader, GL_COMPILE_STATUS, &fragmentCompiled);
    EXPECT_EQ(fragmentCompiled, GL_TRUE);
    EXPECT_EQ(shader.program, 0u);
}

TEST(ShaderProgram, GoodBuildPrintsNothing) {
    REQUIRE_GL_CONTEXT();
    const std::string base = makeScratchFolder() + "/good";
    writeTextFile(base + ".vert", GOOD_VERTEX);
    writeTextFile(base + ".frag", GOOD_FRAGMENT);
    OutputCapture capture;
    ShaderProgram shader(base);
    capture.finish();
    EXPECT_EQ(capture.out(), "");
    EXPECT_EQ(capture.err(), "");
    EXPECT_NE(shader.program, 0u);
    GLint linked = GL_FALSE;
    glGetProgramiv(shader.program, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE);
}

// The game's own programs must build silently on Mesa, in the game's order.
TEST(ShaderProgram, GameProgramsBuildWithoutAnyOutput) {
    REQUIRE_GL_CONTEXT();
    const char* const names[5] = {"modelshader", "particleshader", "shadowshader", "postprocess",
                                  "interfaceshader"};
    for (const char* name : names) {
        OutputCapture capture;
        ShaderProgram shader(std::string("../bin/shaders/") + name);
        capture.finish();
        EXPECT_NE(shader.program, 0u) << name;
        EXPECT_EQ(capture.out(), "") << name;
        EXPECT_EQ(capture.err(), "") << name;
    }
}

TEST(ShaderProgram, ReadFileReturnsTheWholeText) {
    const std::string path = makeScratchFolder() + "/text.glsl";
    const std::string text = "line one\nline two\n\nlast line without end";
    writeTextFile(path, text);
    EXPECT_TRUE(fileExists(path));
    EXPECT_EQ(readFile(path), text);
    EXPECT_FALSE(fileExists(path + ".missing"));
}

// GL keeps one pending error; each check reports at most one line.
TEST(CheckGlError, WritesOneLinePerCall) {
    REQUIRE_GL_CONTEXT();
    while (glGetError() != GL_NO_ERROR) {
    }
    {
        OutputCapture capture;
        checkGlError();
        capture.finish();
        EXPECT_EQ(capture.err(), "");
        EXPECT_EQ(capture.out(), "");
    }
    glEnable(0x7FFF);               // invalid enum
    glEnableVertexAttribArray(~0u); // invalid value
    OutputCapture capture;
    checkGlError();
    capture.finish();
    EXPECT_EQ(capture.err(), "GL: enum argument out of range.\n");
    EXPECT_EQ(capture.out(), "");

    OutputCapture second;
    checkGlError();
    second.finish();
    const std::string& rest = second.err();
    EXPECT_TRUE(rest.empty() || rest == "GL: Numeric argument out of range.\n") << rest;

    glUseProgram(0);
    glUniform1i(0, 1); // no current program
    OutputCapture third;
    checkGlError();
    third.finish();
    EXPECT_EQ(third.err(), "GL: Operation illegal in current state.\n");
    while (glGetError() != GL_NO_ERROR) {
    }
}
