#pragma once

#include <cstdint>

// A mono sound's samples at the mix's rate, as fractions of full scale.
struct SoundClip {
    const float* samples = nullptr;
    int length = 0;
};

// How a voice starts: its gain on each side, whether it loops until
// stopped, and how many voices of its clip may play at once (beyond that the
// oldest gives way).
struct VoiceStart {
    float left = 1.0f;
    float right = 1.0f;
    bool loops = false;
    int voicesOfClip = 1;
};

// The game's voices summed in floating point: each voice plays one clip at
// its gains, and may be paused, resumed, faded out or halted through the
// handle its start returned. Runs on one thread at a time: the audio thread
// mixes, and the game's calls hold the audio lock.
class VoiceMix {
  public:
    static const int VOICE_COUNT = 64;
    // A voice that gives way fades over this long instead of stopping with
    // a click.
    static const int GIVE_WAY_FRAMES = 220; // 5 ms at 44.1 kHz

    // The new voice's handle, never 0; 0 when every voice is busy.
    uint32_t start(const SoundClip* clip, VoiceStart how);
    void pause(uint32_t handle);
    void resume(uint32_t handle);
    // Fades the voice to silence over `frames`, then stops it.
    void fadeOut(uint32_t handle, int frames);
    void halt(uint32_t handle);
    // Stops every voice of the clip, before the clip's samples are freed.
    void haltClip(const SoundClip* clip);

    // Adds `frames` stereo frames of every playing voice into `stereo`.
    void addTo(float* stereo, int frames);

  private:
    struct Voice {
        const SoundClip* clip = nullptr; // null when the voice is free
        int position = 0;
        float left = 0.0f, right = 0.0f;
        bool loops = false;
        bool paused = false;
        bool leaving = false; // fading out: no longer counts for its clip
        float fade = 1.0f;
        float fadeStep = 0.0f; // per frame, while fading out
        uint32_t started = 0;  // the start count when it began: the oldest is lowest
        uint32_t generation = 0;
    };

    Voice* find(uint32_t handle);
    void giveWayForOneMore(const SoundClip* clip, int voicesOfClip);
    void addVoice(Voice& voice, float* stereo, int frames);

    Voice voices[VOICE_COUNT];
    uint32_t startCount = 0;
};
