#include "app/MainLoop.h"
#include "app/SceneConstruction.h"
#include "app/Startup.h"
#include "app/Window.h"

#include <SDL.h>

#include <cstdlib>
#include <ctime>

int main(int, char**) {
    // SDL 1.2 has no main wrapper here to initialise it.
    SDL_Init(SDL_INIT_NOPARACHUTE);
    atexit(SDL_Quit);

    if (!openGameWindow())
        exit(1);
    srand(static_cast<unsigned>(time(nullptr)));

    Scene scene = buildScene();
    MainLoop loop(scene.world, scene.preparedMonsters, SDL_GetTicks());
    while (loop.pass(SDL_GetTicks())) {
    }
    windowTerminate();
    exit(0);
}
