#include "app/WindowFit.h"
#include "render/PictureSize.h"

#include "RectParts.h"

#include <gtest/gtest.h>

TEST(WindowFit, AnOrdinaryScreenOpensThePictureSizeInTheMiddle) {
    EXPECT_EQ(rectParts(openingWindowPlace({1.0f, 0, 0, 1280, 1024, 0, 0, 0, 0})),
              (RectParts{128, 128, PICTURE_WIDTH, PICTURE_HEIGHT}));
    EXPECT_EQ(rectParts(openingWindowPlace({1.0f, 0, 0, 1920, 1080, 0, 0, 0, 0})),
              (RectParts{448, 156, PICTURE_WIDTH, PICTURE_HEIGHT}));
}

TEST(WindowFit, AScreenTooSmallForTheWindowAndItsDecorationsGetsTheLargestThatFits) {
    EXPECT_EQ(rectParts(openingWindowPlace({1.0f, 0, 0, 1280, 720, 0, 0, 0, 0})),
              (RectParts{160, 0, 960, 720}));
    // A laptop with a 32-row panel on top, and a title bar and borders: the
    // window, frame and all, stays within the work area below the panel.
    const WindowPlace laptop = openingWindowPlace({1.0f, 0, 32, 1366, 736, 8, 31, 8, 8});
    EXPECT_EQ(rectParts(laptop), (RectParts{218, 63, 929, 697}));
    EXPECT_LE(laptop.y + laptop.height + 8, 32 + 736);
}

TEST(WindowFit, ADenseScreenScalesTheWindowUpAsFarAsTheScreenAllows) {
    EXPECT_EQ(rectParts(openingWindowPlace({1.5f, 0, 0, 3840, 2160, 0, 0, 0, 0})),
              (RectParts{1152, 504, 1536, 1152}));
    EXPECT_EQ(rectParts(openingWindowPlace({2.0f, 0, 0, 1280, 1024, 0, 0, 0, 0})),
              (RectParts{0, 32, 1280, 960}));
    // A second monitor right of the first.
    EXPECT_EQ(rectParts(openingWindowPlace({2.0f, 1920, 0, 2560, 1440, 0, 0, 0, 0})),
              (RectParts{2240, 0, 1920, 1440}));
}

TEST(WindowFit, AnUnknownWorkAreaLeavesTheScaledSize) {
    EXPECT_EQ(rectParts(openingWindowPlace({1.0f, 0, 0, 0, 0, 4, 20, 4, 4})),
              (RectParts{4, 20, PICTURE_WIDTH, PICTURE_HEIGHT}));
    EXPECT_EQ(rectParts(openingWindowPlace({0.0f, 0, 0, 0, 0, 0, 0, 0, 0})),
              (RectParts{0, 0, PICTURE_WIDTH, PICTURE_HEIGHT}));
}
