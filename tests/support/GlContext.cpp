#include "GlContext.h"

#include "app/Window.h"
#include "render/GL.h"
#include "render/PictureSize.h"

#include <SDL.h>

#include <cstdlib>

bool ensureGlContext() {
    static bool tried = false;
    static bool ready = false;
    if (tried)
        return ready;
    tried = true;
    SDL_Init(SDL_INIT_NOPARACHUTE);
    if (!windowInit())
        return false;
    if (!windowOpen(PICTURE_WIDTH, PICTURE_HEIGHT, 32, false))
        return false;
    glewInit();
    // Consume the error glewInit may leave on some drivers.
    while (glGetError() != GL_NO_ERROR) {
    }
    ready = true;
    return true;
}
