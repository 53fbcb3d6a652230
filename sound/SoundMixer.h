#pragma once

// The mixer calls the game makes, as a table of plain C functions handed out
// by the sound module (sound/SoundMixer.cpp). The game loads the module at
// run time, so a machine without the mixer library still plays, silently;
// only the module links the mixer. Every function is called from the game's
// main thread; the mixing itself runs on the media library's audio thread.

struct Mix_Chunk;

// Raised whenever the table below changes, so a stale module is refused.
#define SOUND_MIXER_VERSION 1
#define SOUND_MIXER_ENTRY "talmorakSoundMixer"

struct SoundMixer {
    // Starts the media library's audio and opens the device in 16-bit
    // stereo with `channelCount` mixing channels. 0 on success; otherwise
    // lastError says why.
    int (*openAudio)(int rate, int bufferSamples, int channelCount);
    void (*closeAudio)(void);
    const char* (*lastError)(void);

    // A WAV file converted to the device's format and set to `volume`
    // (0 to 128), or null, with lastError saying why.
    Mix_Chunk* (*loadWav)(const char* path, int volume);
    void (*freeChunk)(Mix_Chunk* chunk);

    // Starts the chunk on the channel, stopping what played there, heard
    // from `angle` degrees (0 ahead, 90 right) and `distance` (0 near to 255
    // far); loops -1 repeats it until stopped.
    void (*play)(int channel, Mix_Chunk* chunk, int loops, int angle, int distance);
    void (*pause)(int channel);
    void (*resume)(int channel);
    void (*fadeOut)(int channel, int milliseconds);
    void (*halt)(int channel);

    // Silences the whole mix while nonzero; the channels play on unheard.
    void (*setMuted)(int muted);
};

// The module's one exported function: its table, or null when the module
// was built for another version of it.
typedef const SoundMixer* (*SoundMixerEntry)(int version);
