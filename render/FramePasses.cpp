#include "app/GameWorld.h"

#include "app/Keyboard.h"
#include "app/Window.h"

void GameWorld::frame(int elapsed) {
    (void)elapsed;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    windowSwapBuffers();
}
