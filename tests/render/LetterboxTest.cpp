#include "render/Letterbox.h"
#include "render/PictureSize.h"

#include <gtest/gtest.h>

namespace {

void expectViewport(const Viewport& got, int x, int y, int width, int height) {
    EXPECT_EQ(got.x, x);
    EXPECT_EQ(got.y, y);
    EXPECT_EQ(got.width, width);
    EXPECT_EQ(got.height, height);
}

} // namespace

TEST(Letterbox, ThePictureSizeFillsItsOwnFramebufferExactly) {
    expectViewport(letterbox(PICTURE_WIDTH, PICTURE_HEIGHT), 0, 0, PICTURE_WIDTH, PICTURE_HEIGHT);
}

TEST(Letterbox, ATallerFramebufferGetsBarsAboveAndBelow) {
    expectViewport(letterbox(1280, 1000), 0, 20, 1280, 960);
    // An odd leftover row goes to the top bar.
    expectViewport(letterbox(1024, 769), 0, 0, 1024, 768);
    expectViewport(letterbox(640, 1000), 0, 260, 640, 480);
}

TEST(Letterbox, AWiderFramebufferGetsBarsLeftAndRight) {
    expectViewport(letterbox(1920, 1080), 240, 0, 1440, 1080);
    expectViewport(letterbox(1366, 768), 171, 0, 1024, 768);
    // The width is rounded down, so the picture never spills over the bars.
    expectViewport(letterbox(1000, 749), 1, 0, 998, 749);
}

TEST(Letterbox, AnEmptyFramebufferGetsAnEmptyRectangle) {
    expectViewport(letterbox(0, 0), 0, 0, 0, 0);
    expectViewport(letterbox(1024, 0), 0, 0, 0, 0);
    expectViewport(letterbox(0, 768), 0, 0, 0, 0);
}
