#pragma once

#include <glm/glm.hpp>

#include <vector>

class Monster;

// Where a chasing monster is headed while the mage stands where it is now.
// It aims at the mage and walks straight on at its own pace, two steps a
// frame, until it stops an arm's length away (strictly within
// MONSTER_STOP_DISTANCE in x and in z). Another living monster in its way
// holds it, for as long as the other stands there: the crowd moves too, so
// where a held monster will be is not known, only where it is. All on the
// floor: x and z of the world as a vec2's x and y.
struct MonsterCourse {
    glm::vec2 from{0.0f}; // where it stands now
    glm::vec2 way{0.0f};  // unit direction it walks; zero while it stands at the mage
    float speed = 0.0f;   // world units per ms of play
    float length = 0.0f;  // how far it walks before it stops at the mage
    bool held = false;    // another monster stands in its way before that
    glm::vec2 stop() const { return from + way * length; }
};

// A span of ms from now; empty when `begin` > `end`.
struct TimeSpan {
    float begin;
    float end;
    bool empty() const { return begin > end; }
};

// How far a monster walks in the world per ms of play: its step in its own
// model units, twice a frame.
float monsterWorldSpeed(const Monster& monster);

// The course of a living monster that chases the mage standing at `mage`,
// among `crowd` (the monster itself may be in it). A monster still walking
// in, or a dead one, has no way.
MonsterCourse courseOf(const Monster& monster, glm::vec3 mage, const std::vector<Monster*>& crowd);

// Whether no other living monster of `crowd` can come into the course's way
// within `ms` from now, walking at its own pace from where it stands now:
// then the monster's walk up to that time is as the course says.
bool courseClearFor(const MonsterCourse& course, const Monster& monster,
                    const std::vector<Monster*>& crowd, float ms);

// When the monster's centre is sure to be strictly within `halfWidth` of
// `centre` along x and z, in ms from now. A monster whose course ends
// inside stays there: the span then ends at infinity. A held monster is
// sure to be inside only while it stands inside now and would still be
// there had it walked on freely since.
TimeSpan timeWithin(const MonsterCourse& course, glm::vec2 centre, float halfWidth);
