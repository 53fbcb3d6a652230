#pragma once

#include "app/SceneConstruction.h"

struct Difficulty;
class GameWorld;
class Monster;

// Sets the pace of a game that has not started yet: the world's difficulty,
// the mage's life and the prepared monsters' speeds.
void setDifficulty(GameWorld& world, Monster* const* preparedMonsters,
                   const Difficulty& difficulty);

// Makes the scene a new game in this process, as the program starts one with
// this seed, at the scene's difficulty: no monster out, no rune laid, the
// mage whole where it starts, full life, the counts at zero, the camera back
// where it starts, and the game paused under the tutorial. The player's
// choices stay: the difficulty and the post-process look.
void restartScene(Scene& scene, unsigned seed);
