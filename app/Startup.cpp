#include "app/Startup.h"

#include "app/Window.h"
#include "render/GL.h"
#include "render/PictureSize.h"

#include <cstdio>
#include <string>

namespace {

// What the game needs of the GL and the display lacks, or "" when nothing.
std::string missingGlFeatures() {
    std::string missing;
    if (!GLEW_VERSION_2_0)
        missing = "OpenGL 2.0";
    if (!GLEW_EXT_framebuffer_object)
        missing += (missing.empty() ? "" : " and ") + std::string("EXT_framebuffer_object");
    return missing;
}

// Loads the GL entry points; false, with one line on standard error naming
// what is missing, when the game cannot draw with this GL.
bool loadGlEntryPoints() {
    const GLenum status = glewInit();
    if (status != GLEW_OK) {
        fprintf(stderr, "Talmorak Arena cannot use this display's OpenGL: %s.\n",
                reinterpret_cast<const char*>(glewGetErrorString(status)));
        return false;
    }
    const std::string missing = missingGlFeatures();
    if (missing.empty())
        return true;
    const GLubyte* version = glGetString(GL_VERSION);
    fprintf(stderr, "Talmorak Arena needs %s, which this display's OpenGL %s lacks.\n",
            missing.c_str(), version ? reinterpret_cast<const char*>(version) : "(unknown)");
    return false;
}

} // namespace

bool openGameWindow() {
    if (!windowInit())
        return false;
    // Opened hidden, so that it appears at once at its size and place.
    if (!windowOpen(PICTURE_WIDTH, PICTURE_HEIGHT, 32, false) || !loadGlEntryPoints()) {
        windowTerminate();
        return false;
    }
    windowSetTitle("Talmorak Arena");
    windowFitToScreenAndShow();

    glClearColor(0.0f, 0.0f, 0.2f, 0.0f);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glViewport(0, 0, PICTURE_WIDTH, PICTURE_HEIGHT);
    return true;
}
