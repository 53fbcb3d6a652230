#include "app/WindowFit.h"

#include "render/Letterbox.h"
#include "render/PictureSize.h"

#include <cmath>

WindowPlace openingWindowPlace(const ScreenRoom& room) {
    const float scale = room.contentScale > 0.0f ? room.contentScale : 1.0f;
    int width = static_cast<int>(std::lround(PICTURE_WIDTH * scale));
    int height = width * PICTURE_HEIGHT / PICTURE_WIDTH;

    const int frameWidth = room.frameLeft + room.frameRight;
    const int frameHeight = room.frameTop + room.frameBottom;
    const Viewport fits = letterbox(room.workWidth - frameWidth, room.workHeight - frameHeight);
    if (fits.width <= 0) // nothing known of the screen
        return {room.workX + room.frameLeft, room.workY + room.frameTop, width, height};
    if (fits.width < width) {
        width = fits.width;
        height = fits.height;
    }
    const int x = room.workX + room.frameLeft + (room.workWidth - frameWidth - width) / 2;
    const int y = room.workY + room.frameTop + (room.workHeight - frameHeight - height) / 2;
    return {x, y, width, height};
}
