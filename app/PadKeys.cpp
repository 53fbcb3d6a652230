#include "app/PadKeys.h"

#include "app/Window.h"

#include <algorithm>

namespace {

// The face buttons carry the runes' colours: B red, A green, X blue, and Y,
// yellow, stands for the white rune.
struct ButtonBinding {
    PadButton button;
    int key;
    int keyUnderEndPicture;
};

const ButtonBinding BUTTONS[] = {
    {PAD_B, '1', '1'},
    {PAD_A, '2', GLFW_KEY_ENTER},
    {PAD_X, '3', '3'},
    {PAD_Y, 'E', 'E'},
    {PAD_LEFT_BUMPER, GLFW_KEY_SPACE, GLFW_KEY_SPACE},
    {PAD_RIGHT_BUMPER, GLFW_KEY_SPACE, GLFW_KEY_SPACE},
    {PAD_BACK, GLFW_KEY_F1, GLFW_KEY_F1},
    {PAD_START, 'P', GLFW_KEY_ENTER},
    {PAD_RIGHT_THUMB, 'X', 'X'},
    {PAD_DPAD_UP, 'W', 'W'},
    {PAD_DPAD_DOWN, 'S', 'S'},
    {PAD_DPAD_LEFT, 'A', 'A'},
    {PAD_DPAD_RIGHT, 'D', 'D'},
};

// The left stick walks and turns as the d-pad does; the right stick's x
// orbits the camera and its y zooms, as the keypad's 4 and 6 and the arrow
// keys up and down do.
struct StickBinding {
    PadAxis axis;
    float direction;
    int key;
};

const StickBinding STICKS[PadKeys::STICK_DIRECTIONS] = {
    {PAD_LEFT_Y, -1.0f, 'W'},
    {PAD_LEFT_Y, 1.0f, 'S'},
    {PAD_LEFT_X, -1.0f, 'A'},
    {PAD_LEFT_X, 1.0f, 'D'},
    {PAD_RIGHT_Y, -1.0f, GLFW_KEY_UP},
    {PAD_RIGHT_Y, 1.0f, GLFW_KEY_DOWN},
    {PAD_RIGHT_X, -1.0f, GLFW_KEY_KP_4},
    {PAD_RIGHT_X, 1.0f, GLFW_KEY_KP_6},
};

} // namespace

template <typename Visit> void PadKeys::visitHeldKeys(Visit visit) const {
    for (const ButtonBinding& binding : BUTTONS) {
        if (buttonHeld[binding.button] && !buttonLatched[binding.button])
            visit(endPicture ? binding.keyUnderEndPicture : binding.key);
    }
    for (int i = 0; i < STICK_DIRECTIONS; ++i) {
        if (stickHeld[i])
            visit(STICKS[i].key);
    }
}

std::vector<int> PadKeys::read(const PadState& state) {
    const std::vector<int> before = keysDown();
    // A pad that begins to play under the end picture may hold buttons
    // pressed before the end: they wait to be pressed anew, as buttons held
    // when the picture comes up do.
    const bool latchHeld = endPicture && !beganPlaying;
    beganPlaying = true;
    for (int button = 0; button < PAD_BUTTON_COUNT; ++button) {
        buttonHeld[button] = state.buttons[button];
        buttonLatched[button] = (buttonLatched[button] || latchHeld) && buttonHeld[button];
    }
    for (int i = 0; i < STICK_DIRECTIONS; ++i) {
        const float push = state.axes[STICKS[i].axis] * STICKS[i].direction;
        stickHeld[i] = push >= (stickHeld[i] ? STICK_RELEASE : STICK_PRESS);
    }
    std::vector<int> pressed;
    for (int key : keysDown()) {
        if (std::find(before.begin(), before.end(), key) == before.end())
            pressed.push_back(key);
    }
    return pressed;
}

void PadKeys::showEndPicture(bool shown) {
    if (shown && !endPicture)
        std::copy(buttonHeld, buttonHeld + PAD_BUTTON_COUNT, buttonLatched);
    endPicture = shown;
}

void PadKeys::releaseAll() {
    std::fill(buttonHeld, buttonHeld + PAD_BUTTON_COUNT, false);
    std::fill(buttonLatched, buttonLatched + PAD_BUTTON_COUNT, false);
    std::fill(stickHeld, stickHeld + STICK_DIRECTIONS, false);
    beganPlaying = false;
}

bool PadKeys::isDown(int key) const {
    bool down = false;
    visitHeldKeys([&down, key](int held) { down = down || held == key; });
    return down;
}

std::vector<int> PadKeys::keysDown() const {
    std::vector<int> keys;
    visitHeldKeys([&keys](int key) {
        if (std::find(keys.begin(), keys.end(), key) == keys.end())
            keys.push_back(key);
    });
    return keys;
}
