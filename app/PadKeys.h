#pragma once

#include <vector>

// A gamepad as the keys it holds. The windowing library maps every pad it
// knows onto one layout (the buttons and axes below, in its order); here
// that layout turns into the GLFW 2.x key numbers of the keyboard's
// bindings, so the game's rules read a pad exactly as they read the keys.
// Nothing here talks to a device: the window layer polls the pad and hands
// its state over.

enum PadButton {
    PAD_A,
    PAD_B,
    PAD_X,
    PAD_Y,
    PAD_LEFT_BUMPER,
    PAD_RIGHT_BUMPER,
    PAD_BACK,
    PAD_START,
    PAD_GUIDE,
    PAD_LEFT_THUMB,
    PAD_RIGHT_THUMB,
    PAD_DPAD_UP,
    PAD_DPAD_RIGHT,
    PAD_DPAD_DOWN,
    PAD_DPAD_LEFT,
    PAD_BUTTON_COUNT
};

enum PadAxis {
    PAD_LEFT_X,
    PAD_LEFT_Y,
    PAD_RIGHT_X,
    PAD_RIGHT_Y,
    PAD_LEFT_TRIGGER,
    PAD_RIGHT_TRIGGER,
    PAD_AXIS_COUNT
};

// One poll of a pad. Stick axes run from -1 to 1, up and left negative.
struct PadState {
    bool buttons[PAD_BUTTON_COUNT] = {};
    float axes[PAD_AXIS_COUNT] = {};
};

// A stick pushed this far along an axis holds that direction's key, and
// lets go only once back under STICK_RELEASE: a stick resting near the
// threshold does not flicker.
const float STICK_PRESS = 0.5f;
const float STICK_RELEASE = 0.3f;

class PadKeys {
  public:
    // Takes the pad's state as polled once a frame. Returns the keys the pad
    // holds now and did not hold before.
    std::vector<int> read(const PadState& state);

    // Under the end picture A and Start play again (Enter) instead of laying
    // the green rune and pausing. A button held as the picture comes up, or
    // as the pad begins to play while the picture is up, acts only once it
    // is let go and pressed again, so a press meant for the game does not
    // start the next one.
    void showEndPicture(bool shown);

    // Lets go of every button and stick: the pad is gone, and the next
    // state read is the first of a pad beginning to play.
    void releaseAll();

    // True while the pad holds the key (a GLFW 2.x number).
    bool isDown(int key) const;
    // Every key the pad holds, each once.
    std::vector<int> keysDown() const;

    // Each way of the two sticks that holds a key: up, down, left, right.
    static const int STICK_DIRECTIONS = 8;

  private:
    // Calls `visit` with the key of each binding the pad holds now.
    template <typename Visit> void visitHeldKeys(Visit visit) const;

    bool buttonHeld[PAD_BUTTON_COUNT] = {};
    // Held when the end picture came up, or when the pad began to play under
    // it, and not let go since.
    bool buttonLatched[PAD_BUTTON_COUNT] = {};
    bool stickHeld[STICK_DIRECTIONS] = {};
    bool endPicture = false;
    bool beganPlaying = false; // a state has been read since the pad began to play
};
