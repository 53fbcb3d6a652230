#pragma once

#include "game/GameEvents.h"
#include "game/RefusalCues.h"
#include "game/RuneCues.h"
#include "render/GL.h"
#include "render/HudLayout.h"
#include "render/PaintedArea.h"
#include "render/RenderTargets.h"

#include <glm/glm.hpp>

#include <unordered_map>
#include <vector>

class Camera;
struct Difficulty;
class Light;
class Model;
class Monster;
class Player;
class ShaderProgram;

// The whole game as the frame sees it: programs, targets, interface pictures,
// scenery, released monsters, the player and the flags of the game's state.
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
    struct NextGame {};
    GameWorld(const GameWorld& last, NextGame);

    void addSceneModel(Model* model);
    void addMonster(Monster* monster);

    // One whole frame: toggle, passes, head-up display and buffer swap.
    void frame(int elapsed);
    void drawRunes(int elapsed);
    void renderPostProcessPass();
    void renderInterface(int elapsed);
    // The bar's counters: life, monsters slain and monsters still to come.
    void drawCounters();
    void drawOpeningDifficulty();
    hud::AtlasCell difficultyLabel() const;
    // The marks over the laid trap runes and the rune icons in the bar.
    void drawRuneMarks();
    void drawRuneIcons();
    // The marks that show the whole fight, over the scene: the mage's
    // facing, the square of a rune that refused a key, and a marker at the
    // picture's edge for every living monster out of sight.
    void drawFightMarks();
    void drawFacingMark();
    void drawSpacingSquare();
    void drawEdgeMarkers();
    // Loads an interface picture and keeps where it is painted.
    GLuint loadPicture(const char* fileName);
    // Blends the picture over the window where it is painted.
    void drawPicture(GLuint texture);

    // Uniforms of the camera and the light, written into modelShader.
    void setCameraUniforms();
    void setLightUniforms();
    void setLightViewUniforms();

    void drawSceneModels();

    // The rules of one frame, in their one order: the monsters are updated
    // and judged twice with the same elapsed time, then the player, then
    // the trap runes' readiness. While drawing, the monsters' first run
    // happens in the shadow pass and the rest in the main pass.
    void playRules(int elapsed);
    void beginShadowPass();
    // Draws the mage into the shadow map, then starts the main pass with
    // the scenery.
    void beginMainPass();
    // The mage in the main pass: see-through while it hides a monster from
    // the camera.
    void drawMage();
    bool mageHidesAMonster() const;

    // The game rules.
    void updateMonsters(int dt);
    void updatePlayer(int dt);
    // What the runes' cues show, from the state a frame of `frameMs` leaves:
    // after the monsters' second update and the player's.
    void judgeRuneReadiness(int frameMs);
    // Takes the player's events into the world's, starting the display's
    // answer to those it shows.
    void followPlayerEvents();

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
    GLuint runeMarkCells = 0;             // colours of the marks over laid trap runes
    GLuint tutorialPadTexture = 0;        // the pad's buttons beside the tutorial's keys
    GLuint markerCells = 0;               // the fight's marks: edge markers, facing, squares
    Light* light = nullptr;
    Camera* camera = nullptr;
    std::vector<Model*> sceneModels;
    std::vector<Monster*> monsters;
    Player* player = nullptr;
    int monsterTotal = 20;
    // The pace of danger of this game.
    const Difficulty* difficulty;
    // False for games played without a picture: the rules run, nothing is
    // drawn.
    bool drawing = true;
    int postProcessMode = 0;
    bool hitFlash = false;
    bool victory = false;
    bool defeat = false;
    bool gameOverShown = false;
    bool paused = true;
    // No game has started yet: the first P is still to come, and L chooses
    // the difficulty.
    bool openingScreen = true;
    // The game is playing itself, under its banner.
    bool demo = false;
    bool padConnected = false; // a gamepad plays
    int toggleTimer = 1000;
    int deathStepTimer = 0;
    int hitFlashTime = 0;
    // Which trap runes would kill if set off now, which a monster is headed
    // for, and where the approaching monsters will stop.
    RuneCues runeCues;
    // The blinks and squares that answer refused rune keys.
    RefusalCues refusals;
    // Where each loaded interface picture is painted, by texture name.
    std::unordered_map<GLuint, PaintedArea> paintedAreas;
    // What happened since the main loop last handed the events on.
    GameEvents events;
};

// Loads an interface picture; 0 (and "No texture found.") when unreadable.
// Where it is painted goes into `painted` when given.
GLuint loadInterfacePicture(const char* fileName, PaintedArea* painted = nullptr);
