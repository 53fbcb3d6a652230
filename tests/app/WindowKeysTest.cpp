#include "app/Window.h"

#include <gtest/gtest.h>

// GLFW 3 renumbered the special keys; the game keeps the 2.x numbers.
TEST(WindowKeys, SpecialKeysMapFromTheirOldNumbersToTheNewOnes) {
    EXPECT_EQ(glfw3KeyFor(GLFW_KEY_ESC), 256);
    EXPECT_EQ(glfw3KeyFor(GLFW_KEY_F1), 290);
    EXPECT_EQ(glfw3KeyFor(GLFW_KEY_UP), 265);
    EXPECT_EQ(glfw3KeyFor(GLFW_KEY_DOWN), 264);
    EXPECT_EQ(glfw3KeyFor(GLFW_KEY_LEFT), 263);
    EXPECT_EQ(glfw3KeyFor(GLFW_KEY_RIGHT), 262);
    EXPECT_EQ(glfw3KeyFor(GLFW_KEY_KP_2), 322);
    EXPECT_EQ(glfw3KeyFor(GLFW_KEY_KP_4), 324);
    EXPECT_EQ(glfw3KeyFor(GLFW_KEY_KP_6), 326);
    EXPECT_EQ(glfw3KeyFor(GLFW_KEY_KP_8), 328);
}

TEST(WindowKeys, PrintableKeysKeepTheirUpperCaseCharacterCodes) {
    EXPECT_EQ(glfw3KeyFor('W'), 87);
    EXPECT_EQ(glfw3KeyFor('1'), 49);
    EXPECT_EQ(glfw3KeyFor(GLFW_KEY_SPACE), 32);
    // Lower case is not a key number of either version.
    EXPECT_EQ(glfw3KeyFor('w'), -1);
    EXPECT_EQ(glfw3KeyFor(999), -1);
}
