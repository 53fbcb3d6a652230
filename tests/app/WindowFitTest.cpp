#include "app/WindowFit.h"

#include <gtest/gtest.h>

namespace {

void expectPlace(const WindowPlace& got, int x, int y, int width, int height) {
    EXPECT_EQ(got.x, x);
    EXPECT_EQ(got.y, y);
    EXPECT_EQ(got.width, width);
    EXPECT_EQ(got.height, height);
}

} // namespace

TEST(WindowFit, AnOrdinaryScreenOpensThePictureSizeInTheMiddle) {
    expectPlace(openingWindowPlace({1.0f, 0, 0, 1280, 1024, 0, 0, 0, 0}), 128, 128, 1024, 768);
    expectPlace(openingWindowPlace({1.0f, 0, 0, 1920, 1080, 0, 0, 0, 0}), 448, 156, 1024, 768);
}

TEST(WindowFit, AScreenTooSmallForTheWindowAndItsDecorationsGetsTheLargestThatFits) {
    expectPlace(openingWindowPlace({1.0f, 0, 0, 1280, 720, 0, 0, 0, 0}), 160, 0, 960, 720);
    // A laptop with a 32-row panel on top, and a title bar and borders: the
    // window, frame and all, stays within the work area below the panel.
    const WindowPlace laptop = openingWindowPlace({1.0f, 0, 32, 1366, 736, 8, 31, 8, 8});
    expectPlace(laptop, 218, 63, 929, 697);
    EXPECT_LE(laptop.y + laptop.height + 8, 32 + 736);
}

TEST(WindowFit, ADenseScreenScalesTheWindowUpAsFarAsTheScreenAllows) {
    expectPlace(openingWindowPlace({1.5f, 0, 0, 3840, 2160, 0, 0, 0, 0}), 1152, 504, 1536, 1152);
    expectPlace(openingWindowPlace({2.0f, 0, 0, 1280, 1024, 0, 0, 0, 0}), 0, 32, 1280, 960);
    // A second monitor right of the first.
    expectPlace(openingWindowPlace({2.0f, 1920, 0, 2560, 1440, 0, 0, 0, 0}), 2240, 0, 1920, 1440);
}

TEST(WindowFit, AnUnknownWorkAreaLeavesTheScaledSize) {
    expectPlace(openingWindowPlace({1.0f, 0, 0, 0, 0, 4, 20, 4, 4}), 4, 20, 1024, 768);
    expectPlace(openingWindowPlace({0.0f, 0, 0, 0, 0, 0, 0, 0, 0}), 0, 0, 1024, 768);
}
