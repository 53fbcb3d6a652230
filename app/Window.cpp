#include "app/Window.h"

#include "app/PadKeys.h"
#include "app/WindowFit.h"
#include "world/FrameSurface.h"

// GLFW 3 defines its own GLFW_KEY_* macros with other numbers, so this file
// spells the key numbers of both versions out instead of using those names.
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <algorithm>

static_assert(PAD_A == GLFW_GAMEPAD_BUTTON_A && PAD_START == GLFW_GAMEPAD_BUTTON_START &&
                  PAD_DPAD_LEFT == GLFW_GAMEPAD_BUTTON_LAST &&
                  PAD_BUTTON_COUNT == GLFW_GAMEPAD_BUTTON_LAST + 1,
              "the pad's buttons in the windowing library's order");
static_assert(PAD_RIGHT_Y == GLFW_GAMEPAD_AXIS_RIGHT_Y &&
                  PAD_AXIS_COUNT == GLFW_GAMEPAD_AXIS_LAST + 1,
              "the pad's axes in the windowing library's order");

namespace {

GLFWwindow* openWindow = nullptr;

// Keys that went down while the last swap processed its events.
bool tappedKeys[GLFW_KEY_LAST + 1] = {};

int framebufferWidth = 0;
int framebufferHeight = 0;
bool minimised = false;
bool lookedAway = false;
bool keyPressed = false; // a key went down since the last windowTakeKeyPressed

// The window's place before it went fullscreen, to go back to.
int windowedX = 0;
int windowedY = 0;
int windowedWidth = 0;
int windowedHeight = 0;

// How long a frame with nothing to draw waits for the window's events.
const double IDLE_WAIT_SECONDS = 0.1;

bool libraryPadState(int pad, PadState& state) {
    GLFWgamepadstate polled;
    if (glfwGetGamepadState(pad, &polled) != GLFW_TRUE)
        return false;
    for (int button = 0; button < PAD_BUTTON_COUNT; ++button)
        state.buttons[button] = polled.buttons[button] == GLFW_PRESS;
    std::copy(polled.axes, polled.axes + PAD_AXIS_COUNT, state.axes);
    return true;
}

PadSource padSource = libraryPadState;
// The connected gamepads, the first connected first: pads[0] plays.
int pads[GLFW_JOYSTICK_LAST + 1] = {};
int padCount = 0;
PadKeys playingPad;

void onKey(GLFWwindow*, int key, int, int action, int) {
    windowKeyEvent(key, action);
}

void onFramebufferSize(GLFWwindow*, int width, int height) {
    windowFramebufferSizeEvent(width, height);
}

void onFocus(GLFWwindow*, int focused) {
    windowFocusEvent(focused == GLFW_TRUE);
}

void onIconify(GLFWwindow*, int iconified) {
    windowMinimiseEvent(iconified == GLFW_TRUE);
}

void onJoystick(int joystick, int event) {
    windowPadEvent(joystick, event == GLFW_CONNECTED);
}

// A pad whose state cannot be read has gone, whether or not the library
// has said so yet.
void readPlayingPad() {
    if (padCount == 0)
        return;
    const int pad = pads[0];
    PadState state;
    if (!padSource(pad, state)) {
        windowPadEvent(pad, false);
        return;
    }
    for (int key : playingPad.read(state))
        windowKeyEvent(glfw3KeyFor(key), GLFW_PRESS);
}

// Lets go of all the playing pad held, its presses of this frame included.
void releasePlayingPad() {
    for (int key : playingPad.keysDown())
        tappedKeys[glfw3KeyFor(key)] = false;
    playingPad.releaseAll();
}

void forgetTaps() {
    for (bool& tapped : tappedKeys)
        tapped = false;
}

// The monitor that holds the largest part of the window, or the primary
// monitor when none holds any of it.
GLFWmonitor* monitorUnderWindow() {
    int x = 0, y = 0, width = 0, height = 0;
    glfwGetWindowPos(openWindow, &x, &y);
    glfwGetWindowSize(openWindow, &width, &height);
    GLFWmonitor* best = glfwGetPrimaryMonitor();
    long bestOverlap = 0;
    int count = 0;
    GLFWmonitor** monitors = glfwGetMonitors(&count);
    for (int i = 0; i < count; ++i) {
        const GLFWvidmode* mode = glfwGetVideoMode(monitors[i]);
        if (mode == nullptr)
            continue;
        int left = 0, top = 0;
        glfwGetMonitorPos(monitors[i], &left, &top);
        const long across = std::min(x + width, left + mode->width) - std::max(x, left);
        const long down = std::min(y + height, top + mode->height) - std::max(y, top);
        if (across > 0 && down > 0 && across * down > bestOverlap) {
            bestOverlap = across * down;
            best = monitors[i];
        }
    }
    return best;
}

struct KeyPair {
    int glfw2;
    int glfw3;
};

const KeyPair specialKeys[] = {
    {257, 256}, // escape
    {258, 290}, // F1
    {268, 300}, // F11
    {283, 265}, // up
    {284, 264}, // down
    {285, 263}, // left
    {286, 262}, // right
    {291, 342}, // left alt
    {292, 346}, // right alt
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

// The window answers the game's key queries and takes the frames from here
// on.
bool windowInit() {
    setDefaultKeySource(windowKeyDown);
    setFrameSurface({windowFramebufferWidth, windowFramebufferHeight, windowIsMinimised,
                     windowAwaitEvents, windowSwapBuffers});
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
    glfwSetFramebufferSizeCallback(openWindow, onFramebufferSize);
    glfwSetWindowFocusCallback(openWindow, onFocus);
    glfwSetWindowIconifyCallback(openWindow, onIconify);
    glfwGetFramebufferSize(openWindow, &framebufferWidth, &framebufferHeight);
    // Pads plugged in before the start, in the library's order, then any
    // that come later.
    glfwSetJoystickCallback(onJoystick);
    for (int joystick = GLFW_JOYSTICK_1; joystick <= GLFW_JOYSTICK_LAST; ++joystick)
        windowPadEvent(joystick, true);
    return true;
}

// The window opens on the primary monitor, so that monitor's scale and work
// area decide. The decorations are known once the window exists, before it
// is shown.
void windowFitToScreenAndShow() {
    if (openWindow == nullptr)
        return;
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    if (monitor != nullptr) {
        ScreenRoom room = {};
        float verticalScale = 1.0f;
        glfwGetMonitorContentScale(monitor, &room.contentScale, &verticalScale);
        glfwGetMonitorWorkarea(monitor, &room.workX, &room.workY, &room.workWidth,
                               &room.workHeight);
        glfwGetWindowFrameSize(openWindow, &room.frameLeft, &room.frameTop, &room.frameRight,
                               &room.frameBottom);
        const WindowPlace place = openingWindowPlace(room);
        glfwSetWindowSize(openWindow, place.width, place.height);
        glfwSetWindowPos(openWindow, place.x, place.y);
    }
    glfwShowWindow(openWindow);
    glfwGetFramebufferSize(openWindow, &framebufferWidth, &framebufferHeight);
}

int windowFramebufferWidth() {
    return framebufferWidth;
}

int windowFramebufferHeight() {
    return framebufferHeight;
}

bool windowIsMinimised() {
    return minimised || framebufferWidth <= 0 || framebufferHeight <= 0;
}

void windowToggleFullscreen() {
    if (openWindow == nullptr)
        return;
    if (windowIsFullscreen()) {
        glfwSetWindowMonitor(openWindow, nullptr, windowedX, windowedY, windowedWidth,
                             windowedHeight, 0);
        return;
    }
    GLFWmonitor* monitor = monitorUnderWindow();
    const GLFWvidmode* mode = monitor != nullptr ? glfwGetVideoMode(monitor) : nullptr;
    if (mode == nullptr)
        return;
    glfwGetWindowPos(openWindow, &windowedX, &windowedY);
    glfwGetWindowSize(openWindow, &windowedWidth, &windowedHeight);
    // The monitor's own mode: the screen keeps its resolution.
    glfwSetWindowMonitor(openWindow, monitor, 0, 0, mode->width, mode->height, mode->refreshRate);
}

bool windowIsFullscreen() {
    return openWindow != nullptr && glfwGetWindowMonitor(openWindow) != nullptr;
}

bool windowTakeLookedAway() {
    const bool was = lookedAway;
    lookedAway = false;
    return was;
}

void windowSetTitle(const char* title) {
    if (openWindow != nullptr)
        glfwSetWindowTitle(openWindow, title);
}

bool windowKeyDown(int key) {
    if (openWindow == nullptr)
        return false;
    if (padCount > 0 && playingPad.isDown(key))
        return true;
    int glfw3Key = glfw3KeyFor(key);
    if (glfw3Key < 0)
        return false;
    return tappedKeys[glfw3Key] || glfwGetKey(openWindow, glfw3Key) == GLFW_PRESS;
}

void windowSwapBuffers() {
    if (openWindow == nullptr)
        return;
    glfwSwapBuffers(openWindow);
    forgetTaps();
    glfwPollEvents();
    readPlayingPad();
}

void windowAwaitEvents() {
    if (openWindow == nullptr)
        return;
    forgetTaps();
    glfwWaitEventsTimeout(IDLE_WAIT_SECONDS);
    readPlayingPad();
}

void windowKeyEvent(int glfw3Key, int action) {
    if (action == GLFW_PRESS)
        keyPressed = true;
    if (action == GLFW_PRESS && glfw3Key >= 0 && glfw3Key <= GLFW_KEY_LAST)
        tappedKeys[glfw3Key] = true;
}

bool windowTakeKeyPressed() {
    const bool was = keyPressed;
    keyPressed = false;
    return was;
}

void windowFocusEvent(bool focused) {
    if (!focused)
        lookedAway = true;
}

void windowFramebufferSizeEvent(int width, int height) {
    framebufferWidth = width;
    framebufferHeight = height;
}

void windowMinimiseEvent(bool isMinimised) {
    minimised = isMinimised;
    if (isMinimised)
        lookedAway = true;
}

void setPadSource(PadSource source) {
    padSource = source != nullptr ? source : libraryPadState;
}

// A joystick the library cannot map onto the gamepad layout is not played.
void windowPadEvent(int pad, bool connected) {
    int* const end = pads + padCount;
    int* const found = std::find(pads, end, pad);
    if (connected) {
        PadState state;
        if (found == end && padCount < GLFW_JOYSTICK_LAST + 1 && padSource(pad, state))
            pads[padCount++] = pad;
        return;
    }
    if (found == end)
        return;
    if (found == pads) {
        releasePlayingPad();
        lookedAway = true;
    }
    std::copy(found + 1, end, found);
    --padCount;
}

bool windowHasPad() {
    return padCount > 0;
}

void windowPadShowsEndPicture(bool shown) {
    playingPad.showEndPicture(shown);
}

bool windowIsOpen() {
    return openWindow != nullptr && !glfwWindowShouldClose(openWindow);
}

void windowTerminate() {
    glfwTerminate();
    openWindow = nullptr;
    framebufferWidth = framebufferHeight = 0;
    minimised = lookedAway = false;
    padCount = 0;
    playingPad = PadKeys{};
}
