#include "SoundTestSupport.h"
#include "sound/SoundPlayer.h"

#include <ebur128.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

// The voices' float mix: overlapping voices of one sound, the oldest giving
// way, the limiter under every sound at once, and the ambience's loudness.

namespace {

const int FRAMES_PER_MS = SOUND_RATE / 1000;

// `frames` stereo frames of the mix, from silence.
std::vector<float> render(VoiceMix& mix, int frames) {
    std::vector<float> stereo(2 * static_cast<size_t>(frames), 0.0f);
    mix.addTo(stereo.data(), frames);
    return stereo;
}

VoiceStart voices(int count) {
    VoiceStart how;
    how.voicesOfClip = count;
    return how;
}

// The largest difference between the left side of `heard` and the clip's
// voices started at the given frames, summed.
float furthestFrom(const std::vector<float>& heard, const LoadedClip& clip,
                   const std::vector<int>& starts) {
    float furthest = 0.0f;
    for (size_t frame = 0; frame < heard.size() / 2; ++frame) {
        float expected = 0.0f;
        for (int start : starts) {
            const int at = static_cast<int>(frame) - start;
            if (at >= 0 && at < clip.clip.length)
                expected += clip.samples[at];
        }
        furthest = std::max(furthest, std::fabs(heard[2 * frame] - expected));
    }
    return furthest;
}

} // namespace

TEST(Mix, TwoStrikesAHundredMillisecondsApartAreBothHeard) {
    const LoadedClip strike = loadStagedClip(SOUND_STRIKE);
    ASSERT_GT(strike.clip.length, 150 * FRAMES_PER_MS);
    VoiceMix mix;
    const int second = 100 * FRAMES_PER_MS;
    mix.start(&strike.clip, voices(SOUNDS[SOUND_STRIKE].voices));
    std::vector<float> heard = render(mix, second);
    mix.start(&strike.clip, voices(SOUNDS[SOUND_STRIKE].voices));
    const std::vector<float> rest = render(mix, strike.clip.length);
    heard.insert(heard.end(), rest.begin(), rest.end());
    // The first strike plays on under the second, to its end.
    EXPECT_LT(furthestFrom(heard, strike, {0, second}), 1e-5f);
}

TEST(Mix, BeyondItsVoicesTheOldestOfASoundGivesWayAndNoOtherSound) {
    const LoadedClip strike = loadStagedClip(SOUND_STRIKE);
    const LoadedClip blast = loadStagedClip(SOUND_BLAST_RED);
    VoiceMix mix;
    mix.start(&blast.clip, voices(2));
    const int step = 10 * FRAMES_PER_MS;
    // A third strike within one strike's length: the first fades out within
    // 5 ms and the blast plays on. Strikes beyond the mix's voices do not
    // start at all rather than take the blast's.
    mix.start(&strike.clip, voices(2));
    render(mix, step);
    mix.start(&strike.clip, voices(2));
    render(mix, step);
    mix.start(&strike.clip, voices(2));
    for (int i = 0; i < VoiceMix::VOICE_COUNT; ++i)
        mix.start(&strike.clip, voices(VoiceMix::VOICE_COUNT));
    const std::vector<float> heard = render(mix, step);
    float furthest = 0.0f;
    for (int frame = VoiceMix::GIVE_WAY_FRAMES; frame < step; ++frame) {
        const int at = 2 * step + frame;
        float expected = blast.samples[at] + strike.samples[step + frame] + strike.samples[frame];
        for (int extra = 0; extra < VoiceMix::VOICE_COUNT - 4; ++extra)
            expected += strike.samples[frame];
        furthest = std::max(furthest, std::fabs(heard[2 * frame] - expected));
    }
    EXPECT_LT(furthest, 1e-4f);
}

// Every sound started twice within one frame, through the module and SDL's
// disk driver as the game hears them: the limiter keeps every sample under
// full scale, and at or under its own ceiling.
TEST(Mix, EverySoundTwiceAtOnceNeverReachesFullScale) {
    const std::vector<int16_t> heard = hearThroughTheDiskDriver(
        [](SoundPlayer& player) {
            for (int twice = 0; twice < 2; ++twice)
                for (int id = 0; id < SOUND_COUNT; ++id)
                    player.play(static_cast<SoundId>(id));
        },
        1200);
    ASSERT_GT(heard.size(), static_cast<size_t>(2 * SOUND_RATE));
    int peak = 0;
    for (int16_t sample : heard)
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    printf("loudest sample of every sound twice: %d (%.2f dBFS)\n", peak,
           20.0 * std::log10(peak / 32767.0));
    EXPECT_LT(peak, 32767);
    EXPECT_LE(peak, std::lround(32767.0 * std::pow(10.0, SOUND_CEILING_DB / 20.0)));
    EXPECT_GT(peak, 16000) << "the overlap did not reach the limiter";
}

// A played game sits at -23 LUFS (the e2e sound test plays a minute); the
// ambience alone, at its level, 12 to 15 LU under it.
TEST(Mix, TheAmbienceSitsTwelveToFifteenLuUnderAPlayedGame) {
    const LoadedClip ambience = loadStagedClip(SOUND_AMBIENCE);
    VoiceMix mix;
    VoiceStart how = voices(1);
    how.loops = true;
    how.left = how.right = std::pow(10.0f, SOUNDS[SOUND_AMBIENCE].levelDb / 20.0f);
    mix.start(&ambience.clip, how);
    const std::vector<float> heard = render(mix, 20 * SOUND_RATE);
    ebur128_state* meter = ebur128_init(2, SOUND_RATE, EBUR128_MODE_I);
    ASSERT_NE(meter, nullptr);
    ebur128_add_frames_float(meter, heard.data(), heard.size() / 2);
    double loudness = 0.0;
    ebur128_loudness_global(meter, &loudness);
    ebur128_destroy(&meter);
    printf("the ambience alone: %.1f LUFS\n", loudness);
    EXPECT_GE(loudness, -23.0 - 15.0);
    EXPECT_LE(loudness, -23.0 - 12.0);
}
