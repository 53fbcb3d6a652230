#pragma once

// GLFW 2.x key numbers. Printable keys use their upper-case character code.
enum Glfw2Key {
    GLFW_KEY_SPACE = 32,
    GLFW_KEY_ESC = 257,
    GLFW_KEY_F1 = 258,
    GLFW_KEY_F11 = 268,
    GLFW_KEY_UP = 283,
    GLFW_KEY_DOWN = 284,
    GLFW_KEY_LEFT = 285,
    GLFW_KEY_RIGHT = 286,
    GLFW_KEY_LALT = 291,
    GLFW_KEY_RALT = 292,
    GLFW_KEY_ENTER = 294,
    GLFW_KEY_KP_2 = 304,
    GLFW_KEY_KP_4 = 306,
    GLFW_KEY_KP_6 = 308,
    GLFW_KEY_KP_8 = 310,
    GLFW_KEY_KP_ENTER = 318,
};

// A toggle key (pause, F1, mute, fullscreen, the camera's keys) acts once,
// then not again for this long, in ms, however long it is held.
const int DEBOUNCE_MS = 1000;

// The one key query of the game. Every binding asks it whether a key
// (a GLFW 2.x number) is down right now.
bool isKeyDown(int key);

// Where the answers come from: the default source unless another is
// installed. Tests and scripted players install their own source to script
// key presses; passing nullptr restores the default.
using KeySource = bool (*)(int key);
void setKeySource(KeySource source);
// The default source: the window, which installs itself when it starts
// (app/Window.cpp). Until then no key is down.
void setDefaultKeySource(KeySource source);

// The keys down in the source now read as up until they are let go, so the
// key that ends the demo does nothing else. Keys that were let go are
// forgotten by forgetReleasedKeys, which the main loop calls every pass.
void ignoreKeysHeldNow();
void forgetReleasedKeys();
