#include "sound/VoiceMix.h"

namespace {

// A handle holds the voice's slot and the generation of its start, so a
// handle kept after its voice ended never reaches the slot's next voice.
uint32_t handleOf(int slot, uint32_t generation) {
    return generation * VoiceMix::VOICE_COUNT + static_cast<uint32_t>(slot) + 1;
}

} // namespace

uint32_t VoiceMix::start(const SoundClip* clip, VoiceStart how) {
    if (clip == nullptr || clip->length <= 0)
        return 0;
    giveWayForOneMore(clip, how.voicesOfClip);
    for (int slot = 0; slot < VOICE_COUNT; ++slot) {
        Voice& voice = voices[slot];
        if (voice.clip != nullptr)
            continue;
        const uint32_t generation = voice.generation + 1;
        voice = Voice();
        voice.clip = clip;
        voice.left = how.left;
        voice.right = how.right;
        voice.loops = how.loops;
        voice.started = ++startCount;
        voice.generation = generation;
        return handleOf(slot, generation);
    }
    return 0;
}

// Beyond its clip's count of voices, the oldest voices of the clip fade out.
void VoiceMix::giveWayForOneMore(const SoundClip* clip, int voicesOfClip) {
    for (;;) {
        int playing = 0;
        Voice* oldest = nullptr;
        for (Voice& voice : voices) {
            if (voice.clip != clip || voice.leaving)
                continue;
            ++playing;
            if (oldest == nullptr || voice.started < oldest->started)
                oldest = &voice;
        }
        if (playing < voicesOfClip || oldest == nullptr)
            return;
        oldest->leaving = true;
        oldest->fadeStep = oldest->fade / GIVE_WAY_FRAMES;
    }
}

VoiceMix::Voice* VoiceMix::find(uint32_t handle) {
    if (handle == 0)
        return nullptr;
    Voice& voice = voices[(handle - 1) % VOICE_COUNT];
    if (voice.clip == nullptr || voice.generation != (handle - 1) / VOICE_COUNT)
        return nullptr;
    return &voice;
}

void VoiceMix::pause(uint32_t handle) {
    if (Voice* voice = find(handle))
        voice->paused = true;
}

void VoiceMix::resume(uint32_t handle) {
    if (Voice* voice = find(handle))
        voice->paused = false;
}

void VoiceMix::fadeOut(uint32_t handle, int frames) {
    Voice* voice = find(handle);
    if (voice == nullptr)
        return;
    if (frames <= 0) {
        voice->clip = nullptr;
        return;
    }
    voice->leaving = true;
    voice->fadeStep = voice->fade / static_cast<float>(frames);
}

void VoiceMix::halt(uint32_t handle) {
    fadeOut(handle, 0);
}

void VoiceMix::haltClip(const SoundClip* clip) {
    for (Voice& voice : voices)
        if (voice.clip == clip)
            voice.clip = nullptr;
}

void VoiceMix::addTo(float* stereo, int frames) {
    for (Voice& voice : voices)
        if (voice.clip != nullptr && !voice.paused)
            addVoice(voice, stereo, frames);
}

void VoiceMix::addVoice(Voice& voice, float* stereo, int frames) {
    const float* samples = voice.clip->samples;
    const int length = voice.clip->length;
    for (int frame = 0; frame < frames; ++frame) {
        if (voice.position >= length) {
            if (!voice.loops) {
                voice.clip = nullptr;
                return;
            }
            voice.position = 0;
        }
        if (voice.fadeStep > 0.0f) {
            voice.fade -= voice.fadeStep;
            if (voice.fade <= 0.0f) {
                voice.clip = nullptr;
                return;
            }
        }
        const float sample = samples[voice.position++] * voice.fade;
        stereo[2 * frame] += sample * voice.left;
        stereo[2 * frame + 1] += sample * voice.right;
    }
}
