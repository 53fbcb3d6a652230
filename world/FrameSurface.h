#pragma once

// What the frame needs of the window it draws into: its size in pixels,
// whether it is minimised, waiting for its events, and the buffer swap. The
// app's window installs itself when it starts (app/Window.cpp); until then
// the frame sees a window of the picture's size, never minimised, whose
// swap does nothing.
struct FrameSurface {
    int (*framebufferWidth)();
    int (*framebufferHeight)();
    bool (*isMinimised)();
    void (*awaitEvents)();
    void (*swapBuffers)();
};

void setFrameSurface(const FrameSurface& surface);
const FrameSurface& frameSurface();
