#pragma once

// A rectangle of a picture or texture in pixels, row 0 at the top; right and
// bottom lie just outside it.
struct PixelRect {
    int left;
    int top;
    int right;
    int bottom;

    // The rectangle of `width` by `height` pixels whose top-left pixel is
    // (left, top).
    static PixelRect sized(int left, int top, int width, int height) {
        return {left, top, left + width, top + height};
    }
};
