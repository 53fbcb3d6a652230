#include "app/GameWorld.h"

#include "game/Monster.h"
#include "model/Origin.h"
#include "render/Texture.h"

#include <SDL.h>

#include <cstdio>
#include <string>

namespace {
const char* const INTERFACE_FOLDER = "../bin/objects/interface/";
}

GLuint loadInterfacePicture(const char* fileName) {
    SDL_Surface* image = loadBmp(std::string(INTERFACE_FOLDER) + fileName);
    if (image == nullptr) {
        printf("No texture found.\n");
        fflush(stdout);
        return 0;
    }
    return uploadTexture(image);
}

GameWorld::GameWorld(ShaderProgram* modelShader, ShaderProgram* shadowShader,
                     ShaderProgram* postProcessShader, ShaderProgram* interfaceShader)
    : modelShader(modelShader), shadowShader(shadowShader), postProcessShader(postProcessShader),
      interfaceShader(interfaceShader) {
    buildShadowMapTarget(shadowTarget);
    buildPostProcessTarget(postTarget);
    buildScreenQuad(screenQuad, postProcessShader);

    victoryTexture = loadInterfacePicture("victory.bmp");
    defeatTexture = loadInterfacePicture("defeat.bmp");
    tutorialTexture = loadInterfacePicture("tutorial.bmp");
    backgroundTexture = loadInterfacePicture("backgroundINTERFACE.bmp");
    const char* const runeFiles[4] = {"redruneINTERFACE.bmp", "greenruneINTERFACE.bmp",
                                      "blueruneINTERFACE.bmp", "whiteruneINTERFACE.bmp"};
    const char* const activeFiles[4] = {"redactiveINTERFACE.bmp", "greenactiveINTERFACE.bmp",
                                        "blueactiveINTERFACE.bmp", "whiteactiveINTERFACE.bmp"};
    for (int i = 0; i < 4; ++i)
        runeIcons[i] = loadInterfacePicture(runeFiles[i]);
    for (int i = 0; i < 4; ++i)
        activeIcons[i] = loadInterfacePicture(activeFiles[i]);
    hitTexture = loadInterfacePicture("hit.bmp");
    counterGlyphs = loadInterfacePicture("countersINTERFACE.bmp");
}

void GameWorld::addSceneModel(Model* model) {
    sceneModels.push_back(model);
}

void GameWorld::addMonster(Monster* monster) {
    monsters.push_back(monster);
    // Where the monster stands now: its `position` is refreshed only by its
    // own update, which a monster just released has not had yet.
    events.push_back({GameEventKind::MONSTER_RELEASED, NO_COLOUR, originOf(monster->worldMatrix)});
}
