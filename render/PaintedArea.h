#pragma once

#include "render/PixelRect.h"

#include <vector>

struct SDL_Surface;

// Where an interface picture is painted: rectangles that do not overlap and
// together hold every pixel whose alpha is above 0, and the pixels beside
// them, which a picture drawn at another size blends a little of. A pixel
// whose alpha is 0 leaves the window as it was under the pictures' blend, so
// a picture drawn over these rectangles alone shows exactly what it shows
// drawn over the whole window, at a fraction of the cost. The vertices are the screen
// quad's corners cut down to each rectangle, with the matching texture
// coordinates, kept for the draws.
struct PaintedArea {
    int width = 0; // the picture's own size
    int height = 0;
    std::vector<PixelRect> rects;
    std::vector<float> positions; // 4 per vertex, 4 vertices per rectangle
    std::vector<float> uvs;       // 2 per vertex
};

// Finds the painted area of a picture from its pixels: the fourth byte of a
// 32-bit pixel is its alpha as GL reads it. A picture without that byte is
// painted everywhere, and so is one that is not true colour, whose texture
// stays empty. Several rectangles serve where one box would be mostly empty.
PaintedArea findPaintedArea(const SDL_Surface* image);

// The whole picture as one rectangle: the full screen quad.
PaintedArea wholePicture(int width, int height);
