#include "app/SoundPlayer.h"

#include "app/ProgramFolder.h"
#include "sound/SoundMixer.h"

#include <SDL.h>

#include <cstdio>

namespace {

// 11.6 ms at SOUND_RATE: a sound started in a frame is heard within it.
const int BUFFER_SAMPLES = 512;
const int AMBIENCE_FADE_MS = 1500;
const int LOOP_FOREVER = -1;

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

std::string soundModuleBesideProgram() {
    return programFolder() + TALMORAK_SOUND_MODULE;
}

bool SoundPlayer::open(const std::string& modulePath) {
    const SoundMixer* loaded = loadMixerModule(modulePath);
    if (loaded == nullptr)
        return reportSilence(SDL_GetError());
    if (loaded->openAudio(SOUND_RATE, BUFFER_SAMPLES, SOUND_COUNT) != 0)
        return reportSilence(std::string("the audio did not open: ") + loaded->lastError());
    mixer = loaded;
    loadSounds();
    return true;
}

void SoundPlayer::loadSounds() {
    for (int id = 0; id < SOUND_COUNT; ++id) {
        const std::string path = std::string(SOUND_FOLDER) + SOUND_FILES[id];
        chunks[id] = mixer->loadWav(path.c_str(), SOUND_VOLUMES[id]);
        if (chunks[id] == nullptr) {
            printf("Sound file %s stays silent: %s.\n", path.c_str(), mixer->lastError());
            fflush(stdout);
        }
    }
}

void SoundPlayer::close() {
    if (mixer == nullptr)
        return;
    for (Mix_Chunk*& chunk : chunks) {
        if (chunk != nullptr)
            mixer->freeChunk(chunk);
        chunk = nullptr;
    }
    mixer->closeAudio();
    mixer = nullptr;
}

void SoundPlayer::start(SoundId id, SoundPlacement placement, int loops) {
    if (mixer != nullptr && chunks[id] != nullptr)
        mixer->play(id, chunks[id], loops, placement.angle, placement.distance);
}

void SoundPlayer::play(SoundId id, SoundPlacement placement) {
    start(id, placement, 0);
}

void SoundPlayer::followPause(bool paused) {
    if (mixer == nullptr || ambienceEnded)
        return;
    if (paused) {
        mixer->pause(SOUND_AMBIENCE);
    } else if (!ambienceStarted) {
        start(SOUND_AMBIENCE, SoundPlacement(), LOOP_FOREVER);
        ambienceStarted = true;
    } else {
        mixer->resume(SOUND_AMBIENCE);
    }
}

void SoundPlayer::playEnding(SoundId ending) {
    if (mixer == nullptr || defeatHeard)
        return;
    if (ending == SOUND_DEFEAT) {
        mixer->halt(SOUND_VICTORY);
        defeatHeard = true;
    }
    play(ending);
    if (!ambienceEnded) {
        mixer->fadeOut(SOUND_AMBIENCE, AMBIENCE_FADE_MS);
        ambienceEnded = true;
    }
}

void SoundPlayer::setMuted(bool muted) {
    if (mixer != nullptr)
        mixer->setMuted(muted ? 1 : 0);
}
