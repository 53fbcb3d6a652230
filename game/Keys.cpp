#include "game/Keys.h"

#include <set>

namespace {

bool noKeyDown(int) {
    return false;
}

KeySource defaultSource = noKeyDown;
KeySource currentSource = noKeyDown;

// The GLFW 2.x key numbers, printable keys and special keys alike.
const int KEY_NUMBERS_END = 512;

// Keys held when ignoreKeysHeldNow was called, still not let go.
std::set<int> ignoredKeys;

} // namespace

bool isKeyDown(int key) {
    return currentSource(key) && ignoredKeys.count(key) == 0;
}

void setKeySource(KeySource source) {
    currentSource = source != nullptr ? source : defaultSource;
}

void setDefaultKeySource(KeySource source) {
    const bool usingDefault = currentSource == defaultSource;
    defaultSource = source != nullptr ? source : noKeyDown;
    if (usingDefault)
        currentSource = defaultSource;
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
