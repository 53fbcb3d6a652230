#include "app/GameWorld.h"
#include "app/MainLoop.h"
#include "app/NewGame.h"
#include "app/ProgramFolder.h"
#include "app/SceneConstruction.h"
#include "app/Startup.h"
#include "app/Window.h"
#include "sound/SoundPlayer.h"

#include <SDL.h>

#include <cstdlib>
#include <ctime>

int main(int, char** argv) {
    // SDL 1.2 has no main wrapper on Linux to do this; on Windows its wrapper
    // has done it already, and doing it again changes nothing.
    SDL_Init(SDL_INIT_NOPARACHUTE);
    atexit(SDL_Quit);
    int lastGameExitCode = 0;
    if (runAsGameStarter(argv, lastGameExitCode))
        exit(lastGameExitCode);

    if (!openGameWindow())
        exit(1);
    // Without sound the game plays on silently; opening says why.
    // The sound module and the sounds lie beside the executable.
    SoundPlayer* sound = new SoundPlayer;
    sound->open(programFolder());
    srand(static_cast<unsigned>(time(nullptr)));

    Scene scene = buildScene();
    MainLoop loop(scene.world, scene.preparedMonsters, SDL_GetTicks);
    loop.sound = sound;
    LoopStep step = LoopStep::KEEP_RUNNING;
    while (step == LoopStep::KEEP_RUNNING)
        step = loop.pass();
    sound->close();
    windowTerminate();
    if (step == LoopStep::PLAY_AGAIN) {
        SDL_Quit();
        startNewGame(argv);
        exit(1);
    }
    exit(0);
}
