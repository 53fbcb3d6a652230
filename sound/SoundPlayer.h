#pragma once

#include "game/GameEvents.h"
#include "sound/SoundFiles.h"
#include "sound/SoundPlacement.h"

#include <cstdint>
#include <string>

struct SoundClip;
struct SoundMixer;

// The game's sounds, played through the mixer module (sound/SoundMixer.h)
// and called from the main thread only. Each sound plays at its level from
// SOUNDS, with up to its count of voices at once. Without the module, an
// audio device or a sound's file, the calls concerned do nothing and the
// game plays on silently.
class SoundPlayer {
  public:
    // Loads the mixer module from `folder`, opens the audio and loads every
    // sound file from the folder's SOUND_FOLDER. Returns false, after one
    // line on standard output saying why, when the game has to stay silent.
    // A sound file that does not load gets a line of its own and leaves only
    // its event silent.
    bool open(const std::string& folder);
    // The same with a mixer table at hand (a test's own).
    bool openWith(const SoundMixer* mixer, const std::string& folder);
    // Stops every sound, frees the files and closes the audio.
    void close();

    // Starts a sound from its beginning, placed.
    void play(SoundId id, SoundPlacement placement = SoundPlacement());
    // Plays what the game's events sound like, placed as the camera with its
    // eye at `eye`, looking at `target`, hears them (sound/EventSounds.cpp).
    void hear(const GameEvents& events, glm::vec3 eye, glm::vec3 target);

    // The ambience follows the game's pause: it starts looping the first
    // time the game runs, then pauses and resumes with it, until the end.
    void followPause(bool paused);
    // The victory or the defeat, as the end picture shows it (a defeat over
    // a victory), while the ambience fades out. From then on the monsters
    // still released come in silently.
    void playEnding(SoundId ending);
    // Back to a game not yet started: the ambience and the ending stop, and
    // the ambience starts anew the first time the next game runs.
    void startOver();
    // Silences everything, and everything started meanwhile, until unmuted.
    void setMuted(bool muted);

  private:
    uint32_t start(SoundId id, SoundPlacement placement, bool loops);
    void loadSounds(const std::string& folder);

    const SoundMixer* mixer = nullptr;
    SoundClip* clips[SOUND_COUNT] = {};
    uint32_t ambience = 0;    // the looping ambience's voice, once started
    uint32_t victory = 0;     // the victory's voice, which a defeat stops
    uint32_t endingVoice = 0; // the last ending's voice
    bool ambienceStarted = false;
    bool ended = false;
    bool defeatHeard = false;
};
