#pragma once

#include "app/SoundPlacement.h"
#include "game/SoundFiles.h"

#include <string>

struct Mix_Chunk;
struct SoundMixer;

// The game's sounds, played through the mixer module (sound/SoundMixer.h)
// and called from the main thread only. Each sound has a mixing channel of
// its own, so at most one of each plays at a time and SOUND_VOLUMES bounds
// the whole mix. Without the module, an audio device or a sound's file, the
// calls concerned do nothing and the game plays on silently.
class SoundPlayer {
  public:
    // Loads the mixer module, opens the audio and loads every sound file.
    // Returns false, after one line on standard output saying why, when the
    // game has to stay silent. A sound file that does not load gets a line
    // of its own and leaves only its event silent.
    bool open(const std::string& modulePath);
    // Stops every sound, frees the files and closes the audio.
    void close();

    // Starts a sound from its beginning, cutting short the same sound if it
    // is still playing.
    void play(SoundId id, SoundPlacement placement = SoundPlacement());

    // The ambience follows the game's pause: it starts looping the first
    // time the game runs, then pauses and resumes with it, until the end.
    void followPause(bool paused);
    // The victory or the defeat, as the end picture shows it (a defeat over
    // a victory), while the ambience fades out.
    void playEnding(SoundId ending);
    // Silences everything, and everything started meanwhile, until unmuted.
    void setMuted(bool muted);

  private:
    void start(SoundId id, SoundPlacement placement, int loops);
    void loadSounds();

    const SoundMixer* mixer = nullptr;
    Mix_Chunk* chunks[SOUND_COUNT] = {};
    bool ambienceStarted = false;
    bool ambienceEnded = false;
    bool defeatHeard = false;
};

// The mixer module's file beside the game's executable.
std::string soundModuleBesideProgram();
