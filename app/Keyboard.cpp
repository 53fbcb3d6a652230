#include "app/Keyboard.h"

#include <set>

namespace {

KeySource currentSource = windowKeyDown;

// The GLFW 2.x key numbers, printable keys and special keys alike.
const int KEY_NUMBERS_END = 512;

// Keys held when ignoreKeysHeldNow was called, still not let go.
std::set<int> ignoredKeys;

} // namespace

bool isKeyDown(int key) {
    return currentSource(key) && ignoredKeys.count(key) == 0;
}

void setKeySource(KeySource source) {
    currentSource = source != nullptr ? source : windowKeyDown;
}

void ignoreKeysHeldNow() {
    for (int key = 0; key < KEY_NUMBERS_END; ++key) {
        if (currentSource(key))
            ignoredKeys.insert(key);
    }
}

void forgetReleasedKeys() {
    for (auto key = ignoredKeys.begin(); key != ignoredKeys.end();)
        key = currentSource(*key) ? std::next(key) : ignoredKeys.erase(key);
}
