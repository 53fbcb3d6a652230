#include "world/FrameSurface.h"

#include "render/PictureSize.h"

namespace {

int pictureWidth() {
    return PICTURE_WIDTH;
}

int pictureHeight() {
    return PICTURE_HEIGHT;
}

bool neverMinimised() {
    return false;
}

void nothingToDo() {}

FrameSurface installed = {pictureWidth, pictureHeight, neverMinimised, nothingToDo, nothingToDo};

} // namespace

void setFrameSurface(const FrameSurface& surface) {
    installed = surface;
}

const FrameSurface& frameSurface() {
    return installed;
}
