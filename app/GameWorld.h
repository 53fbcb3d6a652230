#pragma once

#include "game/GameEvents.h"
#include "render/GL.h"
#include "render/RenderTargets.h"

#include <glm/glm.hpp>

#include <vector>

class Camera;
class Light;
class Model;
class Monster;
class Player;
class ShaderProgram;

// The whole game as the frame sees it: programs, targets, interface pictures,
// scenery, released monsters, the player and the flags of the game's state.
class GameWorld {
  public:
    GameWorld(ShaderProgram* modelShader, ShaderProgram* shadowShader,
              ShaderProgram* postProcessShader, ShaderProgram* interfaceShader);

    void addSceneModel(Model* model);
    void addMonster(Monster* monster);

    // One whole frame: toggle, passes, head-up display and buffer swap.
    void frame(int elapsed);
    void renderShadowPass(int elapsed);
    void renderMainPass(int elapsed);
    void renderPostProcessPass();
    void renderInterface(int elapsed);
    // The bar's counters: life, monsters slain and monsters still to come.
    void drawCounters();

    // Uniforms of the camera and the light, written into modelShader.
    void setCameraUniforms();
    void setLightUniforms();
    void setLightViewUniforms();

    void drawSceneModels();

    // The game rules.
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
    GLuint counterGlyphs = 0;             // digits and the life meter of the counters
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
    int toggleTimer = 1000;
    int deathStepTimer = 0;
    int hitFlashTime = 0;
    // What happened since the main loop last handed the events on.
    GameEvents events;
};

// Loads an interface picture; 0 (and "No texture found.") when unreadable.
GLuint loadInterfacePicture(const char* fileName);
