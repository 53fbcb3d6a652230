#pragma once

#include "game/Difficulty.h"
#include "game/GameEvents.h"
#include "game/RuneColour.h"
#include "game/RuneKeyPress.h"

#include <glm/glm.hpp>

#include <vector>

class Camera;
class Model;
class Monster;
class Rune;

// The mage's life points when a game at the standard pace starts.
const int START_LIFE_POINTS = STANDARD.lifePoints;

// How far the mage walks per ms, in its model's units.
const float MAGE_WALK_SPEED = 0.003f;

// The teleport: the mage sinks, is carried to the white rune and rises
// again, within the whole teleport's time (ms).
const int TELEPORT_MS = 720;
const int TELEPORT_SINK_MS = 350;
const int TELEPORT_RISE_MS = 350;

// The mage the user steers. It drives the mage model's matrix, the shared
// camera and the four runes it lays and triggers.
class Player {
  public:
    Player(Model* model, Rune* redRune, Rune* greenRune, Rune* blueRune, Rune* whiteRune);

    // The per-frame update: timers, camera keys, walk, runes, jump, camera.
    void update(float dt);
    void jumpStep(int dt);
    // Loses one life point (never below 0).
    void hit();
    // One frame of a running teleport to the white rune.
    void teleportStep(float dt);
    // One trap rune as the rules and the display read it, by colour (0 red,
    // 1 green, 2 blue, which kill monster kinds 0, 1 and 2).
    struct TrapState {
        const Rune* rune;
        bool laid;
        bool blasting;
        glm::vec3 laidAt;
        float cooldown; // its key acts only once this is spent
    };
    TrapState trapState(int colour) const;
    // The rune of a colour (0 red to 3 white): the one way to reach a rune
    // by its colour.
    Rune* rune(int colour) const;
    // The player's flags of the rune of a colour (0 red to 3 white).
    struct RuneFlags {
        bool placed;
        bool recharging;
    };
    RuneFlags runeFlags(int colour) const;
    // The runes keep RUNE_SPACING apart: the colour of the first rune (red,
    // green, blue, white) but `rune` whose spacing square, widened by
    // `widening`, holds the floor point `at`; NO_COLOUR when there is none.
    int runeTooCloseAt(glm::vec3 at, const Rune* rune, float widening = 0.0f) const;
    // True while a teleport has time left or has not finished growing back.
    bool isTeleporting() const { return teleportTime > 0 || shrinkTime > 0 || growTime > 0; }

    Model* model;
    Camera* camera;
    glm::vec3 position{0.0f};
    glm::vec3 forward{0.0f, 0.0f, -1.0f};
    glm::mat4 orientation{1.0f};
    Rune* redRune;
    Rune* greenRune;
    Rune* blueRune;
    Rune* whiteRune;
    int lifePoints = START_LIFE_POINTS;
    glm::vec3 whiteRunePos{0.0f};
    float whiteCooldown = 1000.0f;
    bool whitePlaced = false;
    bool whiteRecharging = false;
    glm::vec3 bluePos{0.0f};
    float blueCooldown = 1000.0f;
    bool bluePlaced = false;
    bool blueActive = false;
    float blueBlastTime = 0.0f;
    bool blueRecharging = false;
    bool cameraFollow = true;
    float followToggleDelay = 0.0f;
    float cameraResetDelay = 0.0f;
    glm::vec3 redPos{0.0f};
    float redCooldown = 1000.0f;
    bool redPlaced = false;
    bool redActive = false;
    float redBlastTime = 0.0f;
    bool redRecharging = false;
    glm::vec3 greenPos{0.0f};
    float greenCooldown = 1000.0f;
    bool greenPlaced = false;
    bool greenActive = false;
    float greenBlastTime = 0.0f;
    bool greenRecharging = false;
    int shrinkTime = 0;
    int growTime = 0;
    int teleportTime = 0;
    glm::mat4 teleportTurn{1.0f};
    glm::vec3 teleportCameraShift{0.0f};
    glm::vec3 teleportDelta{0.0f};
    // Shrink frames not yet matched by grow frames in the running teleport.
    int unmatchedShrinkFrames = 0;
    std::vector<Monster*> monsters;
    // Starts idle (elapsed = duration): a running jump at start-up would
    // pull the mage down through the floor during the first second.
    int jumpElapsed = 1000;
    int jumpDuration = 1000;
    glm::vec3 jumpVelocity{0.0f};
    // Where the running jump took off; it never takes the mage lower.
    float jumpTakeOffHeight = 0.0f;
    // What the mage's steps did, for the world to collect after each step.
    GameEvents events;
    // Red, green, blue, white: each rune key as a press, refused at most
    // once, by the runes' spacing or its rune's cooldown.
    RuneKeyPress runeKeys[RUNE_COLOURS];

  private:
    // The fields of one trap rune (red, green or blue), so that the three
    // colours share one set of rules.
    struct TrapRune {
        Rune* rune;
        glm::vec3& laidPos;
        float& cooldown;
        bool& placed;
        bool& active;
        float& blastTime;
        bool& recharging;
        float blastLength;
        int colour; // 0 red, 1 green, 2 blue
    };
    TrapRune trap(int colour);

    void countDownTimers(float dt);
    void countDownTrap(TrapRune trap, float dt);
    void moveCamera(float dt, glm::vec3& eye, glm::vec3& target) const;
    void readWalkKeys(float dt, glm::vec3& walk, glm::mat4& turn);
    void handleCameraToggles(glm::vec3& eye, glm::vec3& target);
    void handleJumpKey(float dt);
    void applyWalk(float dt, glm::vec3 walk, glm::vec3& eye, glm::vec3& target);
    void handleRuneKeys();
    void handleTrapKey(int key, TrapRune trap);
    void handleWhiteKey();
    // Whether the key of the rune of `colour` may lay it here; a refusal is
    // reported once per press.
    bool layAllowedOrRefused(const Rune* rune, int colour);
    // Whether the key of the rune of `colour`, down now, may act with the
    // rune's cooldown at `cooldown`; a new press during the cooldown is
    // refused, and says so.
    bool cooldownSpentOrRefused(float cooldown, int colour);
    void refuse(int colour, int cause);
    glm::vec3 localStepFor(glm::vec3 d) const;
    void startTeleport();
    void jumpToWhiteRune();
    void growStep();
    void undoGrowStep();
    bool walkIsBlocked(glm::vec3 candidate) const;
};
