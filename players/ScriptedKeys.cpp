#include "players/ScriptedKeys.h"

#include "game/Keys.h"

#include <set>

namespace {

std::set<int> heldKeys;

bool scriptedKeyDown(int key) {
    return heldKeys.count(key) > 0;
}

} // namespace

ScriptedKeys::ScriptedKeys() {
    heldKeys.clear();
    setKeySource(scriptedKeyDown);
}

ScriptedKeys::~ScriptedKeys() {
    heldKeys.clear();
    setKeySource(nullptr);
}

void ScriptedKeys::press(int key) {
    heldKeys.insert(key);
}

void ScriptedKeys::release(int key) {
    heldKeys.erase(key);
}

void ScriptedKeys::releaseAll() {
    heldKeys.clear();
}

void ScriptedKeys::hold(std::initializer_list<int> keys) {
    heldKeys.clear();
    heldKeys.insert(keys.begin(), keys.end());
}
