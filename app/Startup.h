#pragma once

// Opens the game window with its GL context, sized and placed for the screen
// (app/WindowFit.h), loads the GL entry points, titles the window and sets
// the GL state of the whole run.
// Returns false when the windowing library or the window cannot be opened,
// or when the GL lacks what the game draws with (OpenGL 2.0 and
// EXT_framebuffer_object), which it reports; the library is then already
// terminated.
bool openGameWindow();
