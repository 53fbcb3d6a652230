#pragma once

#include <cstdint>

// The mixer calls the game makes, as a table of plain C functions handed out
// by the sound module (sound/SoundMixer.cpp). The game loads the module at
// run time, so a machine without the mixer library still plays, silently;
// only the module links the mixer. Every function is called from the game's
// main thread; the mixing itself runs on the media library's audio thread.

struct SoundClip;

// Raised whenever the table below changes, so a stale module is refused.
#define SOUND_MIXER_VERSION 2
#define SOUND_MIXER_ENTRY "talmorakSoundMixer"

struct SoundMixer {
    // Starts the media library's audio and opens the device in 16-bit
    // stereo. 0 on success; otherwise lastError says why.
    int (*openAudio)(int rate, int bufferFrames);
    void (*closeAudio)(void);
    const char* (*lastError)(void);

    // A WAV file converted to the device's rate, or null, with lastError
    // saying why.
    SoundClip* (*loadClip)(const char* path);
    void (*freeClip)(SoundClip* clip);

    // Starts a voice of the clip from its beginning at a gain on each side;
    // loops nonzero repeats it until stopped. At most `voicesOfClip` voices
    // of the clip play at once: beyond that the oldest gives way. Returns
    // the voice's handle, or 0 when it did not start.
    uint32_t (*play)(SoundClip* clip, float left, float right, int loops, int voicesOfClip);
    void (*pause)(uint32_t voice);
    void (*resume)(uint32_t voice);
    void (*fadeOut)(uint32_t voice, int milliseconds);
    void (*halt)(uint32_t voice);

    // Silences the whole mix while nonzero; the voices play on unheard.
    void (*setMuted)(int muted);
};

// The module's one exported function: its table, or null when the module
// was built for another version of it.
typedef const SoundMixer* (*SoundMixerEntry)(int version);
