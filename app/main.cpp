#include "app/CommandLine.h"
#include "world/FreshGame.h"
#include "world/GameWorld.h"
#include "app/MainLoop.h"
#include "app/ProgramFolder.h"
#include "world/SceneConstruction.h"
#include "app/Startup.h"
#include "app/Window.h"
#include "sound/SoundPlayer.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

// The program's name as the user typed it, for its messages.
std::string programName(const char* argv0) {
    std::string name = argv0 != nullptr ? argv0 : "talmorak";
    name = name.substr(name.find_last_of("/\\") + 1);
    const size_t exe = name.rfind(".exe");
    return exe != std::string::npos && exe + 4 == name.size() ? name.substr(0, exe) : name;
}

// --help and a command line the program refuses end it before any window.
void answerCommandLine(const CommandLine& line, const char* argv0) {
    if (line.action == CommandLineAction::HELP) {
        fputs(usage(programName(argv0).c_str()).c_str(), stdout);
        exit(HELP_EXIT_CODE);
    }
    if (line.action == CommandLineAction::REFUSE) {
        fprintf(stderr, "%s: %s\n", programName(argv0).c_str(), line.complaint.c_str());
        exit(REFUSED_EXIT_CODE);
    }
}

int main(int argc, char** argv) {
    const CommandLine line = readCommandLine(argc, argv);
    answerCommandLine(line, argv[0]);
    // SDL 1.2 has no main wrapper on Linux to do this; on Windows its wrapper
    // has done it already, and doing it again changes nothing.
    SDL_Init(SDL_INIT_NOPARACHUTE);
    atexit(SDL_Quit);

    if (!openGameWindow())
        exit(1);
    // Without sound the game plays on silently; opening says why.
    // The sound module and the sounds lie beside the executable.
    SoundPlayer* sound = new SoundPlayer;
    sound->open(programFolder());
    srand(static_cast<unsigned>(time(nullptr)));

    Scene scene = buildScene();
    setDifficulty(*scene.world, scene.preparedMonsters, *line.difficulty);
    // One loop for the whole session: every game after the first is made
    // in place by the loop, in this window.
    MainLoop loop(scene, SDL_GetTicks);
    loop.sound = sound;
    LoopStep step = LoopStep::KEEP_RUNNING;
    while (step == LoopStep::KEEP_RUNNING)
        step = loop.pass();
    sound->close();
    windowTerminate();
    exit(0);
}
