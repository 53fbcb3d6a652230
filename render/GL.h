#pragma once

// The GL entry points of the game, loaded by GLEW. Include this instead of any
// other GL header so that GLEW always comes first.
#include <GL/glew.h>
