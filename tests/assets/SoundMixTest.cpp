#include "AssetTestSupport.h"
#include "game/SoundFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

// The staged sound files as the game mixes them, each at its SOUND_VOLUMES
// entry: room for all of them at once, and the balance between them.

namespace {

const double FULL_SCALE = 32768.0;
const double MIXER_FULL_VOLUME = 128.0;

struct Level {
    double peak = 0.0; // fractions of full scale, at the sound's volume
    double rms = 0.0;
};

Level levelInTheMix(SoundId id) {
    const WavFile wav = readWav(std::string(SOUND_FOLDER) + SOUND_FILES[id]);
    Level level;
    double sum = 0.0;
    for (int16_t sample : wav.samples) {
        level.peak = std::max(level.peak, std::abs(sample) / FULL_SCALE);
        sum += static_cast<double>(sample) * sample;
    }
    const double gain = SOUND_VOLUMES[id] / MIXER_FULL_VOLUME;
    level.peak *= gain;
    if (!wav.samples.empty())
        level.rms = gain * std::sqrt(sum / wav.samples.size()) / FULL_SCALE;
    return level;
}

bool isBlast(int id) {
    return id >= SOUND_BLAST_RED && id <= SOUND_BLAST_BLUE;
}

} // namespace

TEST(SoundMix, EverySoundAtOnceStaysWithinFullScale) {
    double sum = 0.0;
    for (int id = 0; id < SOUND_COUNT; ++id) {
        const Level level = levelInTheMix(static_cast<SoundId>(id));
        EXPECT_GT(level.peak, 0.0) << SOUND_FILES[id] << " is silent or missing";
        sum += level.peak;
    }
    EXPECT_LE(sum, 1.0) << "the peaks of all sounds at their volumes add up past full scale";
}

TEST(SoundMix, BlastsStandOutAndTheAmbienceStaysUnderEverything) {
    Level levels[SOUND_COUNT];
    for (int id = 0; id < SOUND_COUNT; ++id)
        levels[id] = levelInTheMix(static_cast<SoundId>(id));
    for (int id = 0; id < SOUND_COUNT; ++id) {
        if (id != SOUND_AMBIENCE) {
            EXPECT_GT(levels[id].rms, levels[SOUND_AMBIENCE].rms)
                << SOUND_FILES[id] << " is quieter than the ambience";
        }
        if (isBlast(id))
            continue;
        for (int blast = SOUND_BLAST_RED; blast <= SOUND_BLAST_BLUE; ++blast)
            EXPECT_GT(levels[blast].rms, levels[id].rms)
                << SOUND_FILES[id] << " is as loud as " << SOUND_FILES[blast];
    }
}
