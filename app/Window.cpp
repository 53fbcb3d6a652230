#include "app/Window.h"

// GLFW 3 defines its own GLFW_KEY_* macros with other numbers, so this file
// spells the key numbers of both versions out instead of using those names.
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

namespace {

GLFWwindow* openWindow = nullptr;

// Keys that went down while the last swap processed its events.
bool tappedKeys[GLFW_KEY_LAST + 1] = {};

void onKey(GLFWwindow*, int key, int, int action, int) {
    windowKeyEvent(key, action);
}

struct KeyPair {
    int glfw2;
    int glfw3;
};

const KeyPair specialKeys[] = {
    {257, 256}, // escape
    {258, 290}, // F1
    {283, 265}, // up
    {284, 264}, // down
    {285, 263}, // left
    {286, 262}, // right
    {294, 257}, // enter
    {304, 322}, // keypad 2
    {306, 324}, // keypad 4
    {308, 326}, // keypad 6
    {310, 328}, // keypad 8
    {318, 335}, // keypad enter
};

} // namespace

int glfw3KeyFor(int glfw2Key) {
    for (const KeyPair& pair : specialKeys) {
        if (pair.glfw2 == glfw2Key)
            return pair.glfw3;
    }
    // Space, digits and upper-case letters share their numbers in both versions.
    bool printable = glfw2Key == ' ' || (glfw2Key >= '0' && glfw2Key <= '9') ||
                     (glfw2Key >= 'A' && glfw2Key <= 'Z');
    return printable ? glfw2Key : -1;
}

bool windowInit() {
    return glfwInit() == GLFW_TRUE;
}

bool windowOpen(int width, int height, int depthBits, bool visible) {
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_DEPTH_BITS, depthBits);
    glfwWindowHint(GLFW_STENCIL_BITS, 0);
    glfwWindowHint(GLFW_VISIBLE, visible ? GLFW_TRUE : GLFW_FALSE);
    // No version hint: the driver hands out its compatibility context.
    openWindow = glfwCreateWindow(width, height, "", nullptr, nullptr);
    if (openWindow == nullptr)
        return false;
    glfwMakeContextCurrent(openWindow);
    // Without it a GPU that does not force vertical sync would run thousands
    // of frames a second, most of them 0 ms long.
    glfwSwapInterval(1);
    glfwSetKeyCallback(openWindow, onKey);
    return true;
}

void windowSetTitle(const char* title) {
    if (openWindow != nullptr)
        glfwSetWindowTitle(openWindow, title);
}

bool windowKeyDown(int key) {
    if (openWindow == nullptr)
        return false;
    int glfw3Key = glfw3KeyFor(key);
    if (glfw3Key < 0)
        return false;
    return tappedKeys[glfw3Key] || glfwGetKey(openWindow, glfw3Key) == GLFW_PRESS;
}

void windowSwapBuffers() {
    if (openWindow == nullptr)
        return;
    glfwSwapBuffers(openWindow);
    for (bool& tapped : tappedKeys)
        tapped = false;
    glfwPollEvents();
}

void windowKeyEvent(int glfw3Key, int action) {
    if (action == GLFW_PRESS && glfw3Key >= 0 && glfw3Key <= GLFW_KEY_LAST)
        tappedKeys[glfw3Key] = true;
}

bool windowIsOpen() {
    return openWindow != nullptr && !glfwWindowShouldClose(openWindow);
}

void windowTerminate() {
    glfwTerminate();
    openWindow = nullptr;
}
