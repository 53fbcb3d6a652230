#include "app/Window.h"

#include "GlContext.h"
#include "render/GL.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {
int requestedSwapInterval = -1;
}

// Linked ahead of GLFW's own: notes what the window asks for, then asks GLFW.
// A driver may ignore the request, as Mesa's software renderer does, so the
// display could not tell.
extern "C" void glfwSwapInterval(int interval) {
    requestedSwapInterval = interval;
    auto glfwOwn = reinterpret_cast<void (*)(int)>(dlsym(RTLD_NEXT, "glfwSwapInterval"));
    glfwOwn(interval);
}

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

TEST(WindowSwap, AsksForOneBufferSwapPerDisplayRefresh) {
    REQUIRE_GL_CONTEXT();
    EXPECT_EQ(requestedSwapInterval, 1);
}

// A press and a release that both arrive while one swap processes the
// window's events, as a quick tap during a slow frame does.
TEST(WindowKeys, ATapWithinOneSwapIsSeenInExactlyTheNextFrame) {
    REQUIRE_GL_CONTEXT();
    windowSwapBuffers();
    windowKeyEvent(glfw3KeyFor('1'), 1 /* press */);
    windowKeyEvent(glfw3KeyFor('1'), 0 /* release */);
    // Every read of the frame sees it, and no other key.
    EXPECT_TRUE(windowKeyDown('1'));
    EXPECT_TRUE(windowKeyDown('1'));
    EXPECT_FALSE(windowKeyDown('2'));
    windowSwapBuffers();
    EXPECT_FALSE(windowKeyDown('1'));
}
