#include "world/GameWorld.h"

#include "game/Difficulty.h"
#include "game/Monster.h"
#include "render/Origin.h"
#include "render/Texture.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>

namespace {
const char* const INTERFACE_FOLDER = "../bin/objects/interface/";
}

GLuint loadInterfacePicture(const char* fileName, PaintedArea* painted) {
    SDL_Surface* image = loadBmp(std::string(INTERFACE_FOLDER) + fileName);
    if (image == nullptr) {
        printf("No texture found.\n");
        fflush(stdout);
        return 0;
    }
    if (painted != nullptr)
        *painted = findPaintedArea(image);
    return uploadTexture(image);
}

GLuint GameWorld::loadPicture(const char* fileName) {
    PaintedArea painted;
    const GLuint texture = loadInterfacePicture(fileName, &painted);
    if (texture != 0)
        paintedAreas[texture] = painted;
    return texture;
}

GameWorld::GameWorld(ShaderProgram* modelShader, ShaderProgram* shadowShader,
                     ShaderProgram* postProcessShader, ShaderProgram* interfaceShader)
    : modelShader(modelShader), shadowShader(shadowShader), postProcessShader(postProcessShader),
      interfaceShader(interfaceShader), difficulty(&STANDARD) {
    buildShadowMapTarget(shadowTarget);
    buildPostProcessTarget(postTarget);
    buildScreenQuad(screenQuad, postProcessShader);

    victoryTexture = loadPicture("victory.bmp");
    defeatTexture = loadPicture("defeat.bmp");
    tutorialTexture = loadPicture("tutorial.bmp");
    backgroundTexture = loadPicture("backgroundINTERFACE.bmp");
    const char* const runeFiles[4] = {"redruneINTERFACE.bmp", "greenruneINTERFACE.bmp",
                                      "blueruneINTERFACE.bmp", "whiteruneINTERFACE.bmp"};
    const char* const activeFiles[4] = {"redactiveINTERFACE.bmp", "greenactiveINTERFACE.bmp",
                                        "blueactiveINTERFACE.bmp", "whiteactiveINTERFACE.bmp"};
    for (int i = 0; i < 4; ++i)
        runeIcons[i] = loadPicture(runeFiles[i]);
    for (int i = 0; i < 4; ++i)
        activeIcons[i] = loadPicture(activeFiles[i]);
    hitTexture = loadPicture("hit.bmp");
    counterGlyphs = loadInterfacePicture("countersINTERFACE.bmp");
    runeMarkCells = loadInterfacePicture("runemarksINTERFACE.bmp");
    tutorialPadTexture = loadPicture("tutorialpad.bmp");
    markerCells = loadInterfacePicture("markersINTERFACE.bmp");
}

// What lasts from game to game. The camera and the player are kept as
// objects, and the new game makes their state afresh (app/FreshGame.cpp).
GameWorld::GameWorld(const GameWorld& last, NextGame)
    : modelShader(last.modelShader), shadowShader(last.shadowShader),
      postProcessShader(last.postProcessShader), interfaceShader(last.interfaceShader),
      screenQuad(last.screenQuad), shadowTarget(last.shadowTarget), postTarget(last.postTarget),
      victoryTexture(last.victoryTexture), defeatTexture(last.defeatTexture),
      tutorialTexture(last.tutorialTexture), hitTexture(last.hitTexture),
      backgroundTexture(last.backgroundTexture), counterGlyphs(last.counterGlyphs),
      runeMarkCells(last.runeMarkCells), tutorialPadTexture(last.tutorialPadTexture),
      markerCells(last.markerCells), light(last.light), camera(last.camera),
      sceneModels(last.sceneModels), player(last.player), monsterTotal(last.monsterTotal),
      difficulty(last.difficulty), drawing(last.drawing), postProcessMode(last.postProcessMode),
      padConnected(last.padConnected), paintedAreas(last.paintedAreas) {
    std::copy(std::begin(last.runeIcons), std::end(last.runeIcons), runeIcons);
    std::copy(std::begin(last.activeIcons), std::end(last.activeIcons), activeIcons);
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
