#pragma once

#include "game/Keys.h"

#include <cstdint>
#include <string>

class MainLoop;

// What the picture-taking tools share: the game started as it starts, run
// on a clock of their own with one key held at a time, and its window's
// picture written to a file.

// Starts the tool as the game starts: the media library, the game's window
// and GL state, and rand() seeded with `seed`. False when the window cannot
// open.
// Keys are read from the tool's held key, see playPasses.
bool openToolWindow(unsigned seed);

// The tool's clock, for the main loop: moved on by each pass of playPasses.
uint32_t toolTicks();

// Passes of the real main loop of `passMs` each, for `milliseconds`, with
// `key` (a GLFW 2.x number, or -1 for none) held throughout.
void playPasses(MainLoop& loop, int milliseconds, int passMs, int key = -1);

// Holds `key` (or none, -1) until told otherwise.
void holdToolKey(int key);

// Writes the game window's last frame, the picture's size, as a binary PPM file.
// Returns false when the file cannot be written.
bool writeWindowPicture(const std::string& path);
