#include "app/Keyboard.h"

namespace {
KeySource currentSource = windowKeyDown;
}

bool isKeyDown(int key) {
    return currentSource(key);
}

void setKeySource(KeySource source) {
    currentSource = source != nullptr ? source : windowKeyDown;
}
