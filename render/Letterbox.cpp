#include "render/Letterbox.h"

#include "render/PictureSize.h"

Viewport letterbox(int framebufferWidth, int framebufferHeight) {
    if (framebufferWidth <= 0 || framebufferHeight <= 0)
        return {0, 0, 0, 0};
    // Narrower than the picture's shape: the picture spans the width, with
    // bars above and below. Otherwise it spans the height.
    if (framebufferWidth * PICTURE_HEIGHT <= framebufferHeight * PICTURE_WIDTH) {
        const int height = framebufferWidth * PICTURE_HEIGHT / PICTURE_WIDTH;
        return {0, (framebufferHeight - height) / 2, framebufferWidth, height};
    }
    const int width = framebufferHeight * PICTURE_WIDTH / PICTURE_HEIGHT;
    return {(framebufferWidth - width) / 2, 0, width, framebufferHeight};
}
