#include "AssetTestSupport.h"
#include "sound/SoundFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

// The staged sound files as the game mixes them, each at its level in SOUNDS:
// the balance between them. (That no overlap clips is the mixer's limiter's
// work, heard in the sound tests.)

namespace {

const double FULL_SCALE = 32768.0;

// The RMS of a sound at its level in the mix, as a fraction of full scale.
double rmsInTheMix(SoundId id) {
    const WavFile wav = readWav(soundPath(id));
    double sum = 0.0;
    for (int16_t sample : wav.samples)
        sum += static_cast<double>(sample) * sample;
    if (wav.samples.empty())
        return 0.0;
    const double gain = std::pow(10.0, SOUNDS[id].levelDb / 20.0);
    return gain * std::sqrt(sum / wav.samples.size()) / FULL_SCALE;
}

bool isBlast(int id) {
    return id >= SOUND_BLAST_RED && id <= SOUND_BLAST_BLUE;
}

} // namespace

TEST(SoundMix, BlastsStandOutAndTheAmbienceStaysUnderEverything) {
    double levels[SOUND_COUNT];
    for (int id = 0; id < SOUND_COUNT; ++id)
        levels[id] = rmsInTheMix(static_cast<SoundId>(id));
    for (int id = 0; id < SOUND_COUNT; ++id) {
        EXPECT_GT(levels[id], 0.0) << SOUNDS[id].file << " is silent or missing";
        if (id != SOUND_AMBIENCE) {
            EXPECT_GT(levels[id], levels[SOUND_AMBIENCE])
                << SOUNDS[id].file << " is quieter than the ambience";
        }
        if (isBlast(id))
            continue;
        for (int blast = SOUND_BLAST_RED; blast <= SOUND_BLAST_BLUE; ++blast)
            EXPECT_GT(levels[blast], levels[id])
                << SOUNDS[id].file << " is as loud as " << SOUNDS[blast].file;
    }
}
