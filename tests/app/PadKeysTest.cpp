// The pad as keys, without a device: the key each button and stick holds
// in play and under the end picture, the sticks' two thresholds, and a
// button held as the end picture comes up.
#include "app/PadKeys.h"
#include "app/Window.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

std::set<int> asSet(const std::vector<int>& keys) {
    return std::set<int>(keys.begin(), keys.end());
}

PadState pressing(PadButton button) {
    PadState state;
    state.buttons[button] = true;
    return state;
}

PadState tilting(PadAxis axis, float value) {
    PadState state;
    state.axes[axis] = value;
    return state;
}

// Each input alone gives exactly the keys of the action the layout
// promises, as a press and then as held; the system's buttons, the left
// stick's press and the triggers give none.
TEST(PadKeys, EachButtonAndStickHoldsTheKeyOfItsActionAndNoOther) {
    const int ENTER = GLFW_KEY_ENTER;
    PadState triggers;
    triggers.axes[PAD_LEFT_TRIGGER] = triggers.axes[PAD_RIGHT_TRIGGER] = 1.0f;
    struct Case {
        const char* what;
        PadState state;
        std::set<int> inPlay, underEndPicture;
    };
    const Case cases[] = {
        {"B: red rune", pressing(PAD_B), {'1'}, {'1'}},
        {"A: green rune, play again", pressing(PAD_A), {'2'}, {ENTER}},
        {"X: blue rune", pressing(PAD_X), {'3'}, {'3'}},
        {"Y: white rune", pressing(PAD_Y), {'E'}, {'E'}},
        {"Start: pause, play again", pressing(PAD_START), {'P'}, {ENTER}},
        {"Back: the look", pressing(PAD_BACK), {GLFW_KEY_F1}, {GLFW_KEY_F1}},
        {"left bumper: jump", pressing(PAD_LEFT_BUMPER), {' '}, {' '}},
        {"right bumper: jump", pressing(PAD_RIGHT_BUMPER), {' '}, {' '}},
        {"right stick pressed: camera back", pressing(PAD_RIGHT_THUMB), {'X'}, {'X'}},
        {"d-pad up: walk", pressing(PAD_DPAD_UP), {'W'}, {'W'}},
        {"d-pad down: back", pressing(PAD_DPAD_DOWN), {'S'}, {'S'}},
        {"d-pad left: turn left", pressing(PAD_DPAD_LEFT), {'A'}, {'A'}},
        {"d-pad right: turn right", pressing(PAD_DPAD_RIGHT), {'D'}, {'D'}},
        {"left stick up: walk", tilting(PAD_LEFT_Y, -1.0f), {'W'}, {'W'}},
        {"left stick down: back", tilting(PAD_LEFT_Y, 1.0f), {'S'}, {'S'}},
        {"left stick left: turn left", tilting(PAD_LEFT_X, -1.0f), {'A'}, {'A'}},
        {"left stick right: turn right", tilting(PAD_LEFT_X, 1.0f), {'D'}, {'D'}},
        {"right stick up: zoom in", tilting(PAD_RIGHT_Y, -1.0f), {GLFW_KEY_UP}, {GLFW_KEY_UP}},
        {"right stick down: zoom out",
         tilting(PAD_RIGHT_Y, 1.0f),
         {GLFW_KEY_DOWN},
         {GLFW_KEY_DOWN}},
        {"right stick left: orbit", tilting(PAD_RIGHT_X, -1.0f), {GLFW_KEY_KP_4}, {GLFW_KEY_KP_4}},
        {"right stick right: orbit", tilting(PAD_RIGHT_X, 1.0f), {GLFW_KEY_KP_6}, {GLFW_KEY_KP_6}},
        {"guide", pressing(PAD_GUIDE), {}, {}},
        {"left stick pressed", pressing(PAD_LEFT_THUMB), {}, {}},
        {"triggers", triggers, {}, {}},
    };
    for (const Case& c : cases) {
        for (bool endPicture : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (endPicture ? ", end picture" : ", in play"));
            const std::set<int>& expected = endPicture ? c.underEndPicture : c.inPlay;
            PadKeys pad;
            pad.read(PadState{}); // a pad playing, nothing held
            pad.showEndPicture(endPicture);
            EXPECT_EQ(asSet(pad.read(c.state)), expected);
            EXPECT_EQ(asSet(pad.keysDown()), expected);
            for (int key : expected)
                EXPECT_TRUE(pad.isDown(key));
            EXPECT_TRUE(pad.read(c.state).empty()) << "held, not pressed anew";
            EXPECT_EQ(asSet(pad.read(PadState{})), std::set<int>{});
            EXPECT_TRUE(pad.keysDown().empty());
        }
    }
}

TEST(PadKeys, AStickHoldsItsKeyFromThePressThresholdUntilItIsUnderTheRelease) {
    const float nudge = 0.001f;
    PadKeys pad;
    auto leftStickUp = [&pad](float push) {
        pad.read(tilting(PAD_LEFT_Y, -push));
        return pad.isDown('W');
    };
    EXPECT_FALSE(leftStickUp(STICK_PRESS - nudge));
    EXPECT_TRUE(leftStickUp(STICK_PRESS));
    EXPECT_TRUE(leftStickUp(STICK_PRESS + nudge));
    // Resting back near the edge, it holds on down to the release threshold.
    EXPECT_TRUE(leftStickUp(STICK_RELEASE + nudge));
    EXPECT_TRUE(leftStickUp(STICK_RELEASE));
    EXPECT_FALSE(leftStickUp(STICK_RELEASE - nudge));
    // Coming up between the two, it holds nothing.
    EXPECT_FALSE(leftStickUp((STICK_RELEASE + STICK_PRESS) * 0.5f));

    // The right stick the other way, through the same two thresholds.
    auto rightStickRight = [&pad](float push) {
        pad.read(tilting(PAD_RIGHT_X, push));
        return pad.isDown(GLFW_KEY_KP_6);
    };
    EXPECT_FALSE(rightStickRight(STICK_PRESS - nudge));
    EXPECT_TRUE(rightStickRight(STICK_PRESS));
    EXPECT_TRUE(rightStickRight(STICK_RELEASE));
    EXPECT_FALSE(rightStickRight(STICK_RELEASE - nudge));
}

TEST(PadKeys, AButtonHeldAsTheEndPictureComesUpActsOnlyWhenPressedAfresh) {
    PadKeys pad;
    PadState held;
    held.buttons[PAD_A] = held.buttons[PAD_START] = true;
    pad.read(held);
    ASSERT_EQ(asSet(pad.keysDown()), (std::set<int>{'2', 'P'}));

    pad.showEndPicture(true);
    EXPECT_TRUE(pad.keysDown().empty());
    EXPECT_TRUE(pad.read(held).empty());
    EXPECT_FALSE(pad.isDown(GLFW_KEY_ENTER));

    PadState startLetGo = held;
    startLetGo.buttons[PAD_START] = false;
    pad.read(startLetGo);
    EXPECT_EQ(pad.read(held), std::vector<int>{GLFW_KEY_ENTER});
    EXPECT_TRUE(pad.isDown(GLFW_KEY_ENTER));
}

} // namespace
