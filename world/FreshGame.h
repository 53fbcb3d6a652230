#pragma once

#include "world/SceneConstruction.h"

struct Difficulty;
class GameWorld;
class Monster;

// Sets the pace of a game that has not started yet: the world's difficulty,
// the mage's life and the prepared monsters' speeds.
void setDifficulty(GameWorld& world, Monster* const* preparedMonsters,
                   const Difficulty& difficulty);

// Makes the scene's game a new one, exactly as the program's start makes
// its first with this seed: the same draws of rand() in the same order, and
// every object of the game made anew rather than reset: the prepared
// monsters, the runes' fountains, the runes, the camera, the mage and the
// world. What lasts the session (the programs, targets, pictures and
// models, the difficulty, the post-process look, the pad) is listed once,
// in GameWorld's constructor for the next game.
void makeFreshGame(Scene& scene, unsigned seed);
