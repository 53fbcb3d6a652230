#pragma once

#include "app/PadKeys.h"

// Stands in for gamepads while alive, since test machines have none: pads
// plugged in and unplugged as the windowing library reports them, each
// holding the state a test gives it, which the window reads after each
// swap's events. On destruction every pad is unplugged and the library is
// the window's source again.
class FakePads {
  public:
    FakePads();
    ~FakePads();
    FakePads(const FakePads&) = delete;
    FakePads& operator=(const FakePads&) = delete;

    // As the library's connection event: the pad is there.
    void plugIn(int pad);
    // As the library's disconnection event: the pad is gone.
    void unplug(int pad);

    // The pad's buttons and axes, as its next read will find them.
    PadState& operator[](int pad);
};
