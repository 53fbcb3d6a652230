#pragma once

// Opens the 1024x768 game window with its GL context, loads the GL entry
// points, titles the window and sets the GL state of the whole run.
// Returns false when the windowing library or the window cannot be opened,
// or when the GL lacks what the game draws with (OpenGL 2.0 and
// EXT_framebuffer_object), which it reports; the library is then already
// terminated.
bool openGameWindow();
