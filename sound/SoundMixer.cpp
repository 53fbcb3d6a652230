// The sound module: the only code that links the mixer library (SDL_mixer
// 1.2). The game loads it at run time and reaches the mixer only through the
// table it hands out.
#include "sound/SoundMixer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#define SOUND_MODULE_EXPORT __declspec(dllexport)
#else
#define SOUND_MODULE_EXPORT __attribute__((visibility("default")))
#endif

namespace {

// Why the last call failed, kept apart from the media library's error text,
// which later calls may overwrite.
char failure[512] = "";

void recordFailure() {
    strncpy(failure, SDL_GetError(), sizeof failure - 1);
}

// Read on the audio thread, written under the audio lock.
int muted = 0;

// Runs on the audio thread after each buffer is mixed.
void silenceWhenMuted(void*, Uint8* stream, int length) {
    if (muted)
        memset(stream, 0, static_cast<size_t>(length));
}

int openAudio(int rate, int bufferSamples, int channelCount) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        recordFailure();
        return -1;
    }
    if (Mix_OpenAudio(rate, AUDIO_S16SYS, 2, bufferSamples) != 0) {
        recordFailure();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return -1;
    }
    Mix_AllocateChannels(channelCount);
    Mix_SetPostMix(silenceWhenMuted, nullptr);
    return 0;
}

void closeAudio() {
    Mix_SetPostMix(nullptr, nullptr);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

const char* lastError() {
    return failure;
}

Mix_Chunk* loadWav(const char* path, int volume) {
    // Opened here rather than by Mix_LoadWAV, whose own error for a file
    // that cannot be opened hides the reason.
    SDL_RWops* file = SDL_RWFromFile(path, "rb");
    if (file == nullptr) {
        const int cause = errno;
        snprintf(failure, sizeof failure, "%s: %s", SDL_GetError(), strerror(cause));
        return nullptr;
    }
    Mix_Chunk* chunk = Mix_LoadWAV_RW(file, 1);
    if (chunk == nullptr) {
        recordFailure();
        return nullptr;
    }
    Mix_VolumeChunk(chunk, volume);
    return chunk;
}

void freeChunk(Mix_Chunk* chunk) {
    Mix_FreeChunk(chunk);
}

void play(int channel, Mix_Chunk* chunk, int loops, int angle, int distance) {
    // Starting a channel drops its placement, so the new one is set before
    // the audio thread mixes the first buffer of the sound.
    SDL_LockAudio();
    if (Mix_PlayChannel(channel, chunk, loops) == channel)
        Mix_SetPosition(channel, static_cast<Sint16>(angle), static_cast<Uint8>(distance));
    SDL_UnlockAudio();
}

void pause(int channel) {
    Mix_Pause(channel);
}

void resume(int channel) {
    Mix_Resume(channel);
}

void fadeOut(int channel, int milliseconds) {
    Mix_FadeOutChannel(channel, milliseconds);
}

void halt(int channel) {
    Mix_HaltChannel(channel);
}

void setMuted(int mute) {
    SDL_LockAudio();
    muted = mute;
    SDL_UnlockAudio();
}

const SoundMixer MIXER = {openAudio, closeAudio, lastError, loadWav, freeChunk, play,
                          pause,     resume,     fadeOut,   halt,    setMuted};

} // namespace

extern "C" SOUND_MODULE_EXPORT const SoundMixer* talmorakSoundMixer(int version) {
    return version == SOUND_MIXER_VERSION ? &MIXER : nullptr;
}
