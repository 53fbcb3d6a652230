#pragma once

#include <initializer_list>

// Scripts the key query while alive: the listed keys read as down, every
// other key as up. Restores the window as the key source on destruction.
class ScriptedKeys {
  public:
    ScriptedKeys();
    ~ScriptedKeys();
    ScriptedKeys(const ScriptedKeys&) = delete;
    ScriptedKeys& operator=(const ScriptedKeys&) = delete;

    void press(int key);
    void release(int key);
    void releaseAll();
    // Replaces the whole set of held keys.
    void hold(std::initializer_list<int> keys);
};
