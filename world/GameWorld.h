#pragma once

#include "game/GameEvents.h"
#include "game/Keys.h"
#include "game/RefusalCues.h"
#include "game/RuneCues.h"
#include "render/GL.h"
#include "render/DisplayPictures.h"
#include "render/RenderTargets.h"

#include <glm/glm.hpp>

#include <vector>

class Camera;
struct Difficulty;
class Light;
class Model;
class Monster;
class Player;
class ShaderProgram;

// How the world is shown and played, beside the game's own flags.
struct WorldMode {
    // False for games played without a picture: the rules run, nothing is
    // drawn.
    bool drawing = true;
    // No game has started yet: the first P is still to come, and L chooses
    // the difficulty.
    bool openingScreen = true;
    // The game is playing itself, under its banner.
    bool demo = false;
    bool padConnected = false; // a gamepad plays
};

// The tag of the constructor that makes the world of the next game.
struct NextGame {};

// The whole game as the frame sees it: programs, targets, interface pictures,
// scenery, released monsters, the player and the flags of the game's state.
// Each feature beyond them keeps its state in one member of its own type;
// the operations that are not the frame's own are free functions of the
// world's files (world/*.h).
// A new game keeps only what its constructor below lists (GameWorld.cpp);
// every other member starts the new game as its initialiser says. A member
// that must last the whole session, such as a picture loaded at start-up,
// goes on that list.
class GameWorld {
  public:
    GameWorld(ShaderProgram* modelShader, ShaderProgram* shadowShader,
              ShaderProgram* postProcessShader, ShaderProgram* interfaceShader);
    // The world of a new game after `last`: the session's programs,
    // targets, pictures and scenery, the camera, light and player it points
    // to, and the player's choices, taken from `last`; nothing else.
    GameWorld(const GameWorld& last, NextGame);

    void addSceneModel(Model* model);
    void addMonster(Monster* monster);

    // One whole frame: toggle, passes, head-up display and buffer swap.
    void frame(int elapsed);
    void renderPostProcessPass();
    void renderInterface(int elapsed);

    // Uniforms of the camera and the light, written into modelShader.
    void setCameraUniforms();
    void setLightUniforms();
    void setLightViewUniforms();

    void drawSceneModels();

    // The game rules, run by the frame in their one order (world/GameRules.h).
    void updateMonsters(int dt);
    void updatePlayer(int dt);

    ShaderProgram* modelShader;
    ShaderProgram* shadowShader;
    ShaderProgram* postProcessShader;
    ShaderProgram* interfaceShader;
    ScreenQuad screenQuad;
    ShadowMapTarget shadowTarget;
    PostProcessTarget postTarget;
    GLuint victoryTexture = 0;
    GLuint defeatTexture = 0;
    GLuint tutorialTexture = 0;
    GLuint hitTexture = 0;
    GLuint backgroundTexture = 0;
    GLuint runeIcons[4] = {0, 0, 0, 0};   // red, green, blue, white
    GLuint activeIcons[4] = {0, 0, 0, 0}; // red, green, blue, white
    Light* light = nullptr;
    Camera* camera = nullptr;
    std::vector<Model*> sceneModels;
    std::vector<Monster*> monsters;
    Player* player = nullptr;
    int monsterTotal = 20;
    int postProcessMode = 0;
    bool hitFlash = false;
    bool victory = false;
    bool defeat = false;
    bool gameOverShown = false;
    bool paused = true;
    int toggleTimer = DEBOUNCE_MS;
    int deathStepTimer = 0;
    int hitFlashTime = 0;

    // The display's other pictures, and where each is painted.
    DisplayPictures pictures;
    // The pace of danger of this game.
    const Difficulty* difficulty;
    WorldMode mode;
    // Which trap runes would kill if set off now, which a monster is headed
    // for, and where the approaching monsters will stop.
    RuneCues runeCues;
    // The blinks and squares that answer refused rune keys.
    RefusalCues refusals;
    // What happened since the main loop last handed the events on.
    GameEvents events;
};
