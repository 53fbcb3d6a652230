#pragma once

// The tutorial's list of controls, row by row: the keys, what they do, and
// the gamepad's buttons that do the same. The tutorial draws the keys and
// the actions; the pad overlay, drawn over it while a pad plays, draws the
// pad's buttons beside the same rows.

// The pad's buttons and sticks as the overlay draws them.
enum class PadGlyph {
    NONE,
    A,
    B,
    X,
    Y,
    LEFT_BUMPER,
    RIGHT_BUMPER,
    BACK,
    START,
    LEFT_STICK_UP_DOWN,
    LEFT_STICK_SIDEWAYS,
    DPAD_UP_DOWN,
    DPAD_SIDEWAYS,
    RIGHT_STICK_UP_DOWN,
    RIGHT_STICK_SIDEWAYS,
    RIGHT_STICK_PRESS,
};

struct ControlRow {
    const char* keys;
    const char* action;
    PadGlyph pad[3] = {};
};

const ControlRow CONTROL_ROWS[] = {
    {"W / S", "walk forward / back", {PadGlyph::LEFT_STICK_UP_DOWN, PadGlyph::DPAD_UP_DOWN}},
    {"A / D", "turn left / right", {PadGlyph::LEFT_STICK_SIDEWAYS, PadGlyph::DPAD_SIDEWAYS}},
    {"Space",
     "jump, over the monsters in the way",
     {PadGlyph::LEFT_BUMPER, PadGlyph::RIGHT_BUMPER}},
    {"1  2  3",
     "red, green, blue rune: lay it, press again to set it off",
     {PadGlyph::B, PadGlyph::A, PadGlyph::X}},
    {"", "red kills red, green kills green, blue the blue-striped monsters"},
    {"E", "white rune: lay it, press again to teleport back to it", {PadGlyph::Y}},
    {"Arrows", "camera: zoom in and out, pan left and right", {PadGlyph::RIGHT_STICK_UP_DOWN}},
    {"Keypad 2 4 6 8", "camera: lower, orbit, raise", {PadGlyph::RIGHT_STICK_SIDEWAYS}},
    {"C", "camera follows the mage on / off"},
    {"X",
     "camera back to its starting view of the mage, not turned",
     {PadGlyph::RIGHT_STICK_PRESS}},
    {"F1", "switch the post-process look", {PadGlyph::BACK}},
    {"F11", "fullscreen on / off (Alt+Enter too)"},
    {"M", "sound off / on"},
    {"P", "pause and resume", {PadGlyph::START}},
    {"Enter", "play again, once the game is won or lost", {PadGlyph::A, PadGlyph::START}},
    {"L", "difficulty, before the first P: calm, gentle, brisk or standard"},
    {"Esc", "quit"},
};

// Where the rows stand: the first row's baseline and the step to the next,
// the keys' right edge, the actions' left edge and the text's size.
const float CONTROL_ROWS_TOP = 285.0f;
const float CONTROL_ROW_STEP = 18.5f;
const float CONTROL_KEYS_RIGHT = 318.0f;
const float CONTROL_ACTIONS_LEFT = 340.0f;
const int CONTROL_TEXT_SIZE = 17;

// The prompt at the tutorial's foot that says how to start: its box and its
// text's baseline.
struct PromptBox {
    float left, top, right, bottom, baseline;
};
const PromptBox PLAY_PROMPT = {372.0f, 590.0f, 652.0f, 628.0f, 617.0f};
