#include "render/Letterbox.h"
#include "render/PictureSize.h"

#include "RectParts.h"

#include <gtest/gtest.h>

TEST(Letterbox, ThePictureSizeFillsItsOwnFramebufferExactly) {
    EXPECT_EQ(rectParts(letterbox(PICTURE_WIDTH, PICTURE_HEIGHT)),
              (RectParts{0, 0, PICTURE_WIDTH, PICTURE_HEIGHT}));
}

TEST(Letterbox, ATallerFramebufferGetsBarsAboveAndBelow) {
    EXPECT_EQ(rectParts(letterbox(1280, 1000)), (RectParts{0, 20, 1280, 960}));
    // An odd leftover row goes to the top bar.
    EXPECT_EQ(rectParts(letterbox(1024, 769)), (RectParts{0, 0, 1024, 768}));
    EXPECT_EQ(rectParts(letterbox(640, 1000)), (RectParts{0, 260, 640, 480}));
}

TEST(Letterbox, AWiderFramebufferGetsBarsLeftAndRight) {
    EXPECT_EQ(rectParts(letterbox(1920, 1080)), (RectParts{240, 0, 1440, 1080}));
    EXPECT_EQ(rectParts(letterbox(1366, 768)), (RectParts{171, 0, 1024, 768}));
    // The width is rounded down, so the picture never spills over the bars.
    EXPECT_EQ(rectParts(letterbox(1000, 749)), (RectParts{1, 0, 998, 749}));
}

TEST(Letterbox, AnEmptyFramebufferGetsAnEmptyRectangle) {
    EXPECT_EQ(rectParts(letterbox(0, 0)), (RectParts{0, 0, 0, 0}));
    EXPECT_EQ(rectParts(letterbox(1024, 0)), (RectParts{0, 0, 0, 0}));
    EXPECT_EQ(rectParts(letterbox(0, 768)), (RectParts{0, 0, 0, 0}));
}
