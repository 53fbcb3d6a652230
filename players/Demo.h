#pragma once

class GameWorld;
class ScriptedKeys;
class ScriptedPlayer;

// The game playing itself while nobody plays, as arcade games show their
// play: a scripted player plays a whole game through the key state, at the
// real frame rate, while the game's messages keep quiet: the tutorial's
// technique at the gentler difficulties, the expert at the standard, which
// the technique does not win. The main loop starts and ends it
// (app/MainLoop.h).
class Demo {
  public:
    Demo() = default;
    Demo(const Demo&) = delete;
    Demo& operator=(const Demo&) = delete;
    ~Demo() { stop(); }

    // Takes the key state over with the scripted player, and silences the
    // game's messages.
    void start(GameWorld& world);
    // The scripted player's keys for the coming frame, `elapsed` ms after
    // the last.
    void chooseKeys(int elapsed);
    // Gives the key state back to the window, and the messages their voice.
    void stop();
    bool running() const { return player != nullptr; }

  private:
    ScriptedKeys* keys = nullptr;
    ScriptedPlayer* player = nullptr;
    int playedMs = 0;
};
