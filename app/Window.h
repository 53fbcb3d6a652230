#pragma once

// The game's window and keyboard, with the GLFW 2.x behaviour it was designed
// around: one window, key numbers of GLFW 2.x, events processed inside the
// buffer swap, and every key released while no window is open. A gamepad
// plays beside the keyboard through the same key state.

#include "game/Keys.h"

struct PadState;

// Returns false when the windowing library cannot start.
bool windowInit();

// Opens the window with a compatibility GL context made current, swapping
// once per display refresh. Returns false when it cannot be opened.
bool windowOpen(int width, int height, int depthBits, bool visible = true);

// Sizes the hidden window for the screen it opens on, places it in the
// middle of that screen's work area, and shows it (see app/WindowFit.h).
void windowFitToScreenAndShow();

// The size of the window's framebuffer in pixels, which on a high-density
// display differs from the window's size; 0 x 0 while minimised on some
// systems.
int windowFramebufferWidth();
int windowFramebufferHeight();

// True while the window is minimised or its framebuffer is empty: there is
// nothing to draw into.
bool windowIsMinimised();

// Switches between a borderless window covering the monitor the window is
// on, at that monitor's current mode, and the window's size and place
// before that.
void windowToggleFullscreen();
bool windowIsFullscreen();

// True once after the window lost the focus or was minimised, false until
// that happens again.
bool windowTakeLookedAway();

void windowSetTitle(const char* title);

// True once after any key went down in the window, whichever key, false
// until another does.
bool windowTakeKeyPressed();

// True while the key (a GLFW 2.x number) is down in the window, and for the
// whole frame after a swap in which it went down, even if it came up again
// before the swap ended: a quick tap during a slow frame still counts, once.
// False when no window is open or the key has no GLFW 3 equivalent.
bool windowKeyDown(int key);

// Presents the frame, then processes pending window events.
void windowSwapBuffers();

// Instead of a swap while there is nothing to draw: waits up to a tenth of a
// second for window events and processes them.
void windowAwaitEvents();

// What the window's key events report, one event at a time (a GLFW 3 key
// number and GLFW_PRESS or GLFW_RELEASE). The swap forgets the taps of the
// frame before it, then processes the events that bring the next ones.
void windowKeyEvent(int glfw3Key, int action);

// What the window's focus, minimise and framebuffer size events report.
void windowFocusEvent(bool focused);
void windowMinimiseEvent(bool minimised);
void windowFramebufferSizeEvent(int width, int height);

// The gamepads. The first gamepad connected, of those still connected,
// plays: after each swap's events its state is read and holds keys
// (app/PadKeys.h) as the keyboard's keys do, and what it newly holds comes
// as key presses. Unplugging it lets go of everything it held and counts as
// looking away.

// Where pad states come from: the windowing library, or a stand-in that
// tests and tools install for pads the machine has not got (nullptr
// restores the library). Fills `state` and returns true while `pad` (a
// joystick number) is a connected gamepad.
using PadSource = bool (*)(int pad, PadState& state);
void setPadSource(PadSource source);

// What the windowing library reports when a joystick comes or goes.
void windowPadEvent(int pad, bool connected);

// True while a gamepad plays.
bool windowHasPad();

// Whether the end picture is up, where the pad's A and Start play again.
void windowPadShowsEndPicture(bool shown);

// False once the user has closed the window (or before one is opened).
bool windowIsOpen();

void windowTerminate();

// Maps a GLFW 2.x key number to its GLFW 3 number, or -1 when there is none.
int glfw3KeyFor(int glfw2Key);
