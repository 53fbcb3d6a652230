#pragma once

#include <array>

// A rectangle with x, y, width and height, as one value that gtest compares
// and prints whole.
using RectParts = std::array<int, 4>;

template <class Rect> RectParts rectParts(const Rect& rect) {
    return {rect.x, rect.y, rect.width, rect.height};
}
