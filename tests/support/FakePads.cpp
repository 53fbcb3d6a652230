#include "FakePads.h"

#include "app/Window.h"

namespace {

const int PAD_SLOTS = 16;
bool connected[PAD_SLOTS] = {};
PadState states[PAD_SLOTS];

bool fakePadState(int pad, PadState& state) {
    if (pad < 0 || pad >= PAD_SLOTS || !connected[pad])
        return false;
    state = states[pad];
    return true;
}

} // namespace

FakePads::FakePads() {
    setPadSource(fakePadState);
}

FakePads::~FakePads() {
    for (int pad = 0; pad < PAD_SLOTS; ++pad)
        unplug(pad);
    setPadSource(nullptr);
    windowTakeLookedAway(); // the unplugging is no test's business
}

void FakePads::plugIn(int pad) {
    states[pad] = PadState{};
    connected[pad] = true;
    windowPadEvent(pad, true);
}

void FakePads::unplug(int pad) {
    if (!connected[pad])
        return;
    connected[pad] = false;
    windowPadEvent(pad, false);
}

PadState& FakePads::operator[](int pad) {
    return states[pad];
}
