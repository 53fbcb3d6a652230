#pragma once

#include "game/Difficulty.h"
#include "game/FloorSquare.h"

#include <glm/glm.hpp>

#include <cstdint>
#include <vector>

class Model;

// Per kind (0 red, 1 green, 2 plain), at the standard pace: step length per
// ms and life points taken by one strike.
inline constexpr const float (&MONSTER_SPEEDS)[3] = STANDARD.monsterSpeeds;
inline constexpr const int (&MONSTER_DAMAGE)[3] = STANDARD.strikeDamage;

// A rune's blast kills a monster whose position lies strictly within this of
// the rune's, in x and in z along the world's axes: a square 0.4 wide.
const float BLAST_REACH = 0.2f;

// A monster whose centre stands (dx, dz) from a trap rune is on its kill
// square, strictly within BLAST_REACH; `inset` narrows the square, for a
// player who wants to be sure.
inline bool withinKillSquare(float dx, float dz, float inset = 0.0f) {
    return strictlyWithin(dx, dz, BLAST_REACH - inset);
}

// A chasing monster stops once the mage lies strictly within this of it in
// x and in z.
const float MONSTER_STOP_DISTANCE = 0.3f;

// An enemy: walks in from its spawn point, then chases the mage. All monsters
// of a kind share one Model and write their own matrix into it for the draw.
class Monster {
  public:
    Monster(Model* model, glm::mat4 placement);

    // One step of turning and walking toward the target (the mage).
    void update(glm::vec3 target, int32_t elapsed);
    void draw();
    // True when the point lies strictly within BLAST_REACH in x and z; y is ignored.
    bool isHitAt(glm::vec3 point) const;
    // One step of dying: shrink by one percent and sink a little.
    void shrinkStep();
    // Its last update left it where it stood: held by the mage's nearness
    // or by another monster, or not yet updated.
    bool stoodStill() const;

    Model* model;
    glm::vec3 position{0.0f};
    // Forward direction in the frame of the world matrix at creation.
    glm::vec3 facing{0.0f, -1.0f, 0.0f};
    bool alive = true;
    glm::mat4 worldMatrix{1.0f};
    float attackCooldown = 1000.0f;
    bool inReach = false;
    int32_t kind = 0;
    float speed = 0.002f;
    bool inArena = false;
    std::vector<Monster*> others;
    uint32_t ownIndex = 0;
    int32_t deathTimer = 4000;

  private:
    void turnToward(glm::vec3 direction);
    // Where one step would put the monster, or false when another live
    // monster stands within 0.3 of that spot.
    bool stepIsFree(glm::vec3 step) const;
    void chase(glm::vec3 target, int32_t elapsed);
    void walkIn(glm::vec3 target, int32_t elapsed);
};

// How many of the monsters have been slain: dying or dead.
int countSlain(const std::vector<Monster*>& monsters);
