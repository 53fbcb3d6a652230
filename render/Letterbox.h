#pragma once

// A rectangle of a framebuffer as glViewport takes it: x and y count from
// the lower left corner.
struct Viewport {
    int x;
    int y;
    int width;
    int height;
};

// Where the picture goes in a framebuffer of the given size: the largest
// rectangle of the picture's shape, centred, leaving bars on two opposite
// sides. An empty framebuffer (a minimised window) gets an empty rectangle.
Viewport letterbox(int framebufferWidth, int framebufferHeight);
