#pragma once

#include "app/Window.h"

// The one key query of the game. Every binding asks it whether a key
// (a GLFW 2.x number) is down right now.
bool isKeyDown(int key);

// Where the answers come from: the window by default. Tests install their
// own source to script key presses; passing nullptr restores the window.
using KeySource = bool (*)(int key);
void setKeySource(KeySource source);
