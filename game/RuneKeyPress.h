#pragma once

// One rune key as a press: from the update it is first seen down until it
// is let go. A press is answered once, by acting or by a refusal, so a key
// held down says that it was refused once, and a key still held after it
// acted is not refused at all.
class RuneKeyPress {
  public:
    // Reads the key, once per player update: true while it is down.
    bool read(bool keyDown) {
        if (!keyDown)
            answeredYet = false;
        return keyDown;
    }
    // The press acted.
    void acted() { answeredYet = true; }
    // This press has acted or been refused already.
    bool answered() const { return answeredYet; }
    // The press is refused: true the first time only, when it is to be said.
    bool refuse() {
        const bool first = !answeredYet;
        answeredYet = true;
        return first;
    }

  private:
    bool answeredYet = false;
};
