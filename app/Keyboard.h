#pragma once

#include "app/Window.h"

// The one key query of the game. Every binding asks it whether a key
// (a GLFW 2.x number) is down right now.
bool isKeyDown(int key);

// Where the answers come from: the window by default. Tests install their
// own source to script key presses; passing nullptr restores the window.
using KeySource = bool (*)(int key);
void setKeySource(KeySource source);

// The keys down in the source now read as up until they are let go, so the
// key that ends the demo does nothing else. Keys that were let go are
// forgotten by forgetReleasedKeys, which the main loop calls every pass.
void ignoreKeysHeldNow();
void forgetReleasedKeys();
