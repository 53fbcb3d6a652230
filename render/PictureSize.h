#pragma once

// The size of the game's picture in pixels. The scene is rendered at this
// size and the head-up display's pictures are painted at it; the window
// shows the picture scaled into the largest rectangle of its shape that the
// window's framebuffer holds.
const int PICTURE_WIDTH = 1024;
const int PICTURE_HEIGHT = 768;
// The camera's and the light's views have the picture's shape.
const float PICTURE_ASPECT = static_cast<float>(PICTURE_WIDTH) / PICTURE_HEIGHT;
