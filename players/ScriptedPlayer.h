#pragma once

#include <glm/glm.hpp>

class GameWorld;
class Monster;
class ScriptedKeys;

// How a scripted player plays.
struct PlayStyle {
    // From a rune lighting up to its key going down, in ms of play.
    int reactionMs;
    // Plays everything the rules allow, not only the tutorial's technique:
    // it sets a rune off as a monster is about to step onto it, keeps out
    // of the monsters' reach, lets two monsters of a kind walk into one
    // blast, and teleports away from a crowd.
    bool expert;
};

// What the tutorial teaches, played at a person's speed: lay the rune of
// the monster coming, stand one step beyond it so that the monster stops on
// it, and set it off when it lights up.
const PlayStyle TUTORIAL_TECHNIQUE = {200, false};
// The same, reacting as a slow player does.
const PlayStyle SLOW_TUTORIAL_TECHNIQUE = {450, false};
// Everything the rules allow, reacting at once.
const PlayStyle EXPERT = {0, true};

// A player scripted in the game's own code. It reads the game as the
// screen shows it (where the monsters and the mage stand, which runes are
// laid, lit or recharging) and plays through the key state, as a person's
// keys do: the rules never know who pressed.
class ScriptedPlayer {
  public:
    ScriptedPlayer(GameWorld& world, ScriptedKeys& keys, PlayStyle style);

    // Holds the keys of the next frame, decided from what the last frame
    // showed, `now` ms into the game.
    void chooseKeys(int now);

  private:
    bool setOffLitRune(int now);
    bool setOffBeforeArrival(float frameMs);
    bool watchingLitBlast();
    Monster* nearestThreat();
    Monster* nextToCatch() const;
    void pursue(const Monster& threat);
    bool stuckWaiting(const Monster& threat);
    glm::vec2 nearestMonster() const;
    float mageSpeed() const;
    void keepAway(glm::vec2 from);
    glm::vec2 roomiestWay() const;
    bool escapeByTeleport();
    bool layWhiteRuneAside();
    bool mayLay(int colour) const;
    void walkTo(glm::vec2 goal, const Monster* lured);
    glm::vec2 freeWayToward(glm::vec2 wanted, const Monster* lured, bool& free) const;
    bool stepBlocked(glm::vec2 to, const Monster* lured) const;
    glm::vec2 mage() const;
    glm::vec2 facing() const;
    bool otherMonsterTooClose(const Monster& lured) const;
    void press(int key);

    GameWorld& world;
    ScriptedKeys& keys;
    PlayStyle style;
    Monster* target = nullptr;
    int litSince[3] = {-1, -1, -1};
    int previousNow = 0;
    int now = 0;
    int heldSince = -1;
    int steppingBackUntil = -1;
    // The rune (0 red to 2 blue) the expert set off while it was lit, until
    // its blast ends; -1 for none.
    int litBlastWatched = -1;
};
