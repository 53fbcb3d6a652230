#include "app/Startup.h"

#include "app/Window.h"
#include "render/GL.h"

bool openGameWindow() {
    if (!windowInit())
        return false;
    if (!windowOpen(1024, 768, 32)) {
        windowTerminate();
        return false;
    }
    glewInit();
    windowSetTitle("Talmorak Arena");

    glClearColor(0.0f, 0.0f, 0.2f, 0.0f);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glViewport(0, 0, 1024, 768);
    return true;
}
