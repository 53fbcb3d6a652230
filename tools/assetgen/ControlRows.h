#pragma once

// The tutorial's list of controls, row by row: the keys and what they do,
// and where the rows stand.

struct ControlRow {
    const char* keys;
    const char* action;
};

const ControlRow CONTROL_ROWS[] = {
    {"W / S", "walk forward / back"},
    {"A / D", "turn left / right"},
    {"Space", "jump"},
    {"1  2  3", "red, green, blue rune: lay it, press again to set it off"},
    {"", "red kills red, green kills green, blue the blue-striped monsters"},
    {"E", "white rune: lay it, press again to teleport back to it"},
    {"Arrows", "camera: zoom in and out, pan left and right"},
    {"Keypad 2 4 6 8", "camera: lower, orbit, raise"},
    {"C", "camera follows the mage on / off"},
    {"X", "camera back to its starting view of the mage, not turned"},
    {"F1", "switch the post-process look"},
    {"F11", "fullscreen on / off (Alt+Enter too)"},
    {"M", "sound off / on"},
    {"P", "pause and resume"},
    {"Enter", "play again, once the game is won or lost"},
    {"Esc", "quit"},
};

// Where the rows stand: the first row's baseline and the step to the next,
// the keys' right edge, the actions' left edge and the text's size.
const float CONTROL_ROWS_TOP = 288.0f;
const float CONTROL_ROW_STEP = 19.5f;
const float CONTROL_KEYS_RIGHT = 318.0f;
const float CONTROL_ACTIONS_LEFT = 340.0f;
const int CONTROL_TEXT_SIZE = 17;

// The prompt at the tutorial's foot that says how to start: its box and its
// text's baseline.
struct PromptBox {
    float left, top, right, bottom, baseline;
};
const PromptBox PLAY_PROMPT = {372.0f, 590.0f, 652.0f, 628.0f, 617.0f};
