#include "sound/SoundPlayer.h"

#include "sound/Decibels.h"

#include "sound/SoundMixer.h"
#include "sound/VoiceMix.h"

#include <SDL.h>

#include <cmath>
#include <cstdio>

namespace {

// 11.6 ms at SOUND_RATE: a sound started in a frame is heard within it.
const int BUFFER_FRAMES = 512;
const int AMBIENCE_FADE_MS = 1500;

// Every sound's voices fit in the mix at once, with room for one more of
// each fading out as it gives way: no voice ever waits for a free one.
constexpr int allVoices() {
    int sum = 0;
    for (const SoundEntry& sound : SOUNDS)
        sum += sound.voices + 1;
    return sum;
}
static_assert(allVoices() <= VoiceMix::VOICE_COUNT, "the mix has too few voices for SOUNDS");

bool reportSilence(const std::string& why) {
    printf("Sound is off: %s.\n", why.c_str());
    fflush(stdout);
    return false;
}

const SoundMixer* loadMixerModule(const std::string& modulePath) {
    // The module stays loaded until the process ends.
    void* module = SDL_LoadObject(modulePath.c_str());
    if (module == nullptr)
        return nullptr;
    const auto entry =
        reinterpret_cast<SoundMixerEntry>(SDL_LoadFunction(module, SOUND_MIXER_ENTRY));
    if (entry == nullptr)
        return nullptr;
    const SoundMixer* mixer = entry(SOUND_MIXER_VERSION);
    if (mixer == nullptr)
        SDL_SetError("%s was built for another version of the game", modulePath.c_str());
    return mixer;
}

} // namespace

bool SoundPlayer::open(const std::string& folder) {
    const SoundMixer* loaded = loadMixerModule(folder + TALMORAK_SOUND_MODULE);
    if (loaded == nullptr)
        return reportSilence(SDL_GetError());
    return openWith(loaded, folder);
}

bool SoundPlayer::openWith(const SoundMixer* loaded, const std::string& folder) {
    if (loaded->openAudio(SOUND_RATE, BUFFER_FRAMES) != 0)
        return reportSilence(std::string("the audio did not open: ") + loaded->lastError());
    mixer = loaded;
    loadSounds(folder);
    return true;
}

void SoundPlayer::loadSounds(const std::string& folder) {
    for (int id = 0; id < SOUND_COUNT; ++id) {
        const std::string path = folder + SOUND_FOLDER + SOUNDS[id].file;
        clips[id] = mixer->loadClip(path.c_str());
        if (clips[id] == nullptr) {
            printf("Sound file %s stays silent: %s.\n", path.c_str(), mixer->lastError());
            fflush(stdout);
        }
    }
}

void SoundPlayer::close() {
    if (mixer == nullptr)
        return;
    for (SoundClip*& clip : clips) {
        if (clip != nullptr)
            mixer->freeClip(clip);
        clip = nullptr;
    }
    mixer->closeAudio();
    mixer = nullptr;
}

uint32_t SoundPlayer::start(SoundId id, SoundPlacement placement, bool loops) {
    if (mixer == nullptr || clips[id] == nullptr)
        return 0;
    const StereoGain side = stereoGainOf(placement);
    const float level = gainOfDecibels(SOUNDS[id].levelDb);
    return mixer->play(clips[id], level * side.left, level * side.right, loops ? 1 : 0,
                       SOUNDS[id].voices);
}

void SoundPlayer::play(SoundId id, SoundPlacement placement) {
    start(id, placement, false);
}

void SoundPlayer::followPause(bool paused) {
    if (mixer == nullptr || ended)
        return;
    if (paused) {
        mixer->pause(ambience);
    } else if (!ambienceStarted) {
        ambience = start(SOUND_AMBIENCE, SoundPlacement(), true);
        ambienceStarted = true;
    } else {
        mixer->resume(ambience);
    }
}

void SoundPlayer::playEnding(SoundId ending) {
    if (mixer == nullptr || defeatHeard)
        return;
    if (ending == SOUND_DEFEAT) {
        mixer->halt(victory);
        defeatHeard = true;
    }
    const uint32_t voice = start(ending, SoundPlacement(), false);
    if (ending == SOUND_VICTORY)
        victory = voice;
    endingVoice = voice;
    if (!ended) {
        mixer->fadeOut(ambience, AMBIENCE_FADE_MS);
        ended = true;
    }
}

void SoundPlayer::startOver() {
    if (mixer == nullptr)
        return;
    for (uint32_t voice : {ambience, victory, endingVoice}) {
        if (voice != 0)
            mixer->halt(voice);
    }
    ambience = victory = endingVoice = 0;
    ambienceStarted = ended = defeatHeard = false;
}

void SoundPlayer::setMuted(bool muted) {
    if (mixer != nullptr)
        mixer->setMuted(muted ? 1 : 0);
}
