#pragma once

#include <initializer_list>

// The keys a scripted player holds: while alive, the game's key query reads
// these in place of the window's, the listed keys as down and every other
// key as up. The scripted players, the demo and the tests press through it,
// so the rules never know who pressed. Restores the window as the key
// source on destruction.
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
