#pragma once

#include <glm/glm.hpp>

#include <vector>

// What the rules report as it happens, for whoever follows the game (the
// sound): the rules append, the main loop hands the list on after each frame
// and clears it. The rules change nothing because of an event.
enum class GameEventKind {
    RUNE_LAID,        // colour 0 to 3, where it was laid
    RUNE_SET_OFF,     // colour 0 to 2, where it lies
    RUNE_READY,       // a trap rune would kill a monster of its colour now
    RUNE_REFUSED,     // a rune key refused by the runes' spacing, at the mage; `cause`
                      // is the rune standing too close
    TELEPORT_SINK,    // the mage starts sinking, where it stands
    TELEPORT_RISE,    // the mage starts rising, at the white rune
    MONSTER_RELEASED, // through its gate, where it stands
    MONSTER_STRIKE,   // on the mage, from where the monster stands
    MONSTER_DEATH,    // where the monster stands; colour: the rune that killed it
    VICTORY,
    DEFEAT,
};

// An event's colour when it has none.
const int NO_COLOUR = -1;

struct GameEvent {
    GameEventKind kind;
    int colour; // the rune's: 0 red, 1 green, 2 blue, 3 white; or NO_COLOUR
    glm::vec3 where;
    int cause = NO_COLOUR; // the colour of the rune that made it happen, if another one did
};

using GameEvents = std::vector<GameEvent>;
