// The sound module: the only code that links the mixer library (SDL_mixer
// 1.2). The game loads it at run time and reaches the mixer only through the
// table it hands out.
//
// SDL_mixer opens the device and reads the WAV files; the game's voices are
// mixed here, in floating point, in the mixer's music hook. SDL_mixer's own
// channels add in 16 bits and clamp, so overlapping sounds would clip before
// anything could limit them; summed in floats, they pass a look-ahead
// limiter first and reach 16 bits below full scale.
#include "sound/SoundMixer.h"

#include "sound/Decibels.h"
#include "sound/Limiter.h"
#include "sound/SoundFiles.h"
#include "sound/VoiceMix.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#ifdef _WIN32
#define SOUND_MODULE_EXPORT __declspec(dllexport)
#else
#define SOUND_MODULE_EXPORT __attribute__((visibility("default")))
#endif

namespace {

// The limiter sees 2 ms ahead and recovers over 150 ms.
const float LOOKAHEAD_SECONDS = 0.002f;
const float RELEASE_SECONDS = 0.15f;
const float FULL_SCALE = 32767.0f;
const int MIX_FRAMES = 512; // mixed and limited at a time

// Why the last call failed, kept apart from the media library's error text,
// which later calls may overwrite.
char failure[512] = "";

void recordFailure() {
    strncpy(failure, SDL_GetError(), sizeof failure - 1);
}

// Touched by the audio thread, and by the game's calls under the audio lock.
VoiceMix voices;
std::unique_ptr<Limiter> limiter;
int muted = 0;
int deviceRate = 0;

// Runs on the audio thread for every buffer the device takes: the voices'
// sum, limited, as the device's 16-bit samples. SDL_mixer's own channels,
// which the game does not use, add nothing after it.
void mixVoices(void*, Uint8* stream, int length) {
    Sint16* out = reinterpret_cast<Sint16*>(stream);
    int frames = length / static_cast<int>(2 * sizeof(Sint16));
    float mix[2 * MIX_FRAMES];
    while (frames > 0) {
        const int count = frames < MIX_FRAMES ? frames : MIX_FRAMES;
        memset(mix, 0, sizeof mix);
        voices.addTo(mix, count);
        limiter->process(mix, count);
        for (int i = 0; i < 2 * count; ++i)
            out[i] = muted ? 0 : static_cast<Sint16>(std::lrint(mix[i] * FULL_SCALE));
        out += 2 * count;
        frames -= count;
    }
}

// The voices are mixed as 16-bit stereo, so the device has to take that.
bool deviceTakesStereo16() {
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    if (Mix_QuerySpec(&frequency, &format, &channels) == 0)
        return false;
    deviceRate = frequency;
    if (format == AUDIO_S16SYS && channels == 2)
        return true;
    SDL_SetError("the device offers no 16-bit stereo");
    return false;
}

int openAudio(int rate, int bufferFrames) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        recordFailure();
        return -1;
    }
    if (Mix_OpenAudio(rate, AUDIO_S16SYS, 2, bufferFrames) != 0) {
        recordFailure();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return -1;
    }
    if (!deviceTakesStereo16()) {
        recordFailure();
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return -1;
    }
    const float ceiling = gainOfDecibels(SOUND_CEILING_DB);
    limiter = std::make_unique<Limiter>(ceiling, std::lround(LOOKAHEAD_SECONDS * deviceRate),
                                        RELEASE_SECONDS * deviceRate);
    voices = VoiceMix();
    Mix_HookMusic(mixVoices, nullptr);
    return 0;
}

void closeAudio() {
    Mix_HookMusic(nullptr, nullptr);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    limiter.reset();
}

const char* lastError() {
    return failure;
}

SoundClip* loadClip(const char* path) {
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
    // The chunk is in the device's format, 16-bit stereo; the files are
    // mono, so both sides carry the same sample.
    const int frames = static_cast<int>(chunk->alen / (2 * sizeof(Sint16)));
    const Sint16* pcm = reinterpret_cast<const Sint16*>(chunk->abuf);
    float* samples = new float[frames];
    for (int i = 0; i < frames; ++i)
        samples[i] = (pcm[2 * i] + pcm[2 * i + 1]) / (2.0f * FULL_SCALE);
    Mix_FreeChunk(chunk);
    SoundClip* clip = new SoundClip;
    clip->samples = samples;
    clip->length = frames;
    return clip;
}

void freeClip(SoundClip* clip) {
    SDL_LockAudio();
    voices.haltClip(clip);
    SDL_UnlockAudio();
    delete[] clip->samples;
    delete clip;
}

uint32_t play(SoundClip* clip, float left, float right, int loops, int voicesOfClip) {
    VoiceStart how;
    how.left = left;
    how.right = right;
    how.loops = loops != 0;
    how.voicesOfClip = voicesOfClip;
    SDL_LockAudio();
    const uint32_t voice = voices.start(clip, how);
    SDL_UnlockAudio();
    return voice;
}

void pause(uint32_t voice) {
    SDL_LockAudio();
    voices.pause(voice);
    SDL_UnlockAudio();
}

void resume(uint32_t voice) {
    SDL_LockAudio();
    voices.resume(voice);
    SDL_UnlockAudio();
}

void fadeOut(uint32_t voice, int milliseconds) {
    SDL_LockAudio();
    voices.fadeOut(voice, static_cast<int>(static_cast<long>(milliseconds) * deviceRate / 1000));
    SDL_UnlockAudio();
}

void halt(uint32_t voice) {
    SDL_LockAudio();
    voices.halt(voice);
    SDL_UnlockAudio();
}

void setMuted(int mute) {
    SDL_LockAudio();
    muted = mute;
    SDL_UnlockAudio();
}

const SoundMixer MIXER = {openAudio, closeAudio, lastError, loadClip, freeClip, play,
                          pause,     resume,     fadeOut,   halt,     setMuted};

} // namespace

extern "C" SOUND_MODULE_EXPORT const SoundMixer* talmorakSoundMixer(int version) {
    return version == SOUND_MIXER_VERSION ? &MIXER : nullptr;
}
