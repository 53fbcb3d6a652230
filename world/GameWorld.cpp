#include "world/GameWorld.h"

#include "game/Difficulty.h"
#include "game/Monster.h"
#include "render/Origin.h"

#include <algorithm>
#include <iterator>

GameWorld::GameWorld(ShaderProgram* modelShader, ShaderProgram* shadowShader,
                     ShaderProgram* postProcessShader, ShaderProgram* interfaceShader)
    : modelShader(modelShader), shadowShader(shadowShader), postProcessShader(postProcessShader),
      interfaceShader(interfaceShader), difficulty(&STANDARD) {
    buildShadowMapTarget(shadowTarget);
    buildPostProcessTarget(postTarget);
    buildScreenQuad(screenQuad, postProcessShader);

    victoryTexture = pictures.load("victory.bmp");
    defeatTexture = pictures.load("defeat.bmp");
    tutorialTexture = pictures.load("tutorial.bmp");
    backgroundTexture = pictures.load("backgroundINTERFACE.bmp");
    const char* const runeFiles[4] = {"redruneINTERFACE.bmp", "greenruneINTERFACE.bmp",
                                      "blueruneINTERFACE.bmp", "whiteruneINTERFACE.bmp"};
    const char* const activeFiles[4] = {"redactiveINTERFACE.bmp", "greenactiveINTERFACE.bmp",
                                        "blueactiveINTERFACE.bmp", "whiteactiveINTERFACE.bmp"};
    for (int i = 0; i < 4; ++i)
        runeIcons[i] = pictures.load(runeFiles[i]);
    for (int i = 0; i < 4; ++i)
        activeIcons[i] = pictures.load(activeFiles[i]);
    hitTexture = pictures.load("hit.bmp");
    pictures.counterGlyphs = loadInterfacePicture("countersINTERFACE.bmp");
    pictures.runeMarkCells = loadInterfacePicture("runemarksINTERFACE.bmp");
    pictures.tutorialPadTexture = pictures.load("tutorialpad.bmp");
    pictures.markerCells = loadInterfacePicture("markersINTERFACE.bmp");
}

// What lasts from game to game. The camera and the player are kept as
// objects, and the new game makes their state afresh (world/FreshGame.cpp).
GameWorld::GameWorld(const GameWorld& last, NextGame)
    : modelShader(last.modelShader), shadowShader(last.shadowShader),
      postProcessShader(last.postProcessShader), interfaceShader(last.interfaceShader),
      screenQuad(last.screenQuad), shadowTarget(last.shadowTarget), postTarget(last.postTarget),
      victoryTexture(last.victoryTexture), defeatTexture(last.defeatTexture),
      tutorialTexture(last.tutorialTexture), hitTexture(last.hitTexture),
      backgroundTexture(last.backgroundTexture), light(last.light), camera(last.camera),
      sceneModels(last.sceneModels), player(last.player), monsterTotal(last.monsterTotal),
      postProcessMode(last.postProcessMode), pictures(last.pictures), difficulty(last.difficulty) {
    mode.drawing = last.mode.drawing;
    mode.padConnected = last.mode.padConnected;
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
