#pragma once

// What a monitor offers a new window, in screen coordinates.
struct ScreenRoom {
    // 1 on an ordinary 96 dpi screen, 2 on a screen twice as dense.
    float contentScale;
    // The work area: the monitor less its panels and task bars.
    int workX;
    int workY;
    int workWidth;
    int workHeight;
    // What the window's decorations add on each side of its content.
    int frameLeft;
    int frameTop;
    int frameRight;
    int frameBottom;
};

// The window's content area: its top left corner and its size.
struct WindowPlace {
    int x;
    int y;
    int width;
    int height;
};

// Where the game's window opens: the picture's size times the content
// scale, or, when that window with its decorations would not fit the work
// area, the largest size of the picture's shape that does; centred in the
// work area. An unknown or empty work area leaves the scaled size.
WindowPlace openingWindowPlace(const ScreenRoom& room);
