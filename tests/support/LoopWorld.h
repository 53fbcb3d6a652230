#pragma once

#include "world/SceneConstruction.h"

// A scene for driving the main loop on a synthetic clock: real programs,
// targets and a player, with models that are never loaded, so that nothing
// is read from disk. A new game made in it tries to load the monsters'
// models, and says on standard error that it could not.
Scene makeLoopScene();
