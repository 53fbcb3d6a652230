#include "AssetTestSupport.h"
#include "game/Player.h"
#include "game/Rune.h"
#include "sound/SoundFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

// The generated sound files as the game's mixer will load and mix them, read
// from the staged folder: format, length, clean edges, level, and that each
// sound moves the way its event asks (distinct rune pitches, sweeps and
// fanfares going their way, an ambience that loops without a seam).

namespace {

const float FULL_SCALE = 32767.0f;
const float PEAK_LIMIT = 29204.0f; // -1 dBFS

struct Sound {
    std::string name;
    WavFile wav;
    std::vector<float> x; // samples as fractions of full scale
    float seconds() const { return x.size() / static_cast<float>(SOUND_RATE); }
};

const std::vector<Sound>& sounds() {
    static std::vector<Sound> all;
    if (all.empty())
        for (int id = 0; id < SOUND_COUNT; ++id) {
            Sound sound;
            sound.name = SOUNDS[id].file;
            sound.wav = readWav(soundPath(id));
            for (int16_t s : sound.wav.samples)
                sound.x.push_back(s / FULL_SCALE);
            all.push_back(sound);
        }
    return all;
}

int samples(float seconds) {
    return static_cast<int>(seconds * SOUND_RATE);
}

// RMS of `count` samples from `start`, wrapping around the end (for loops).
float rms(const std::vector<float>& x, int start, int count) {
    double sum = 0.0;
    for (int i = 0; i < count; ++i) {
        const float s = x[(start + i) % x.size()];
        sum += static_cast<double>(s) * s;
    }
    return static_cast<float>(std::sqrt(sum / count));
}

float decibels(float level) {
    return 20.0f * std::log10(level);
}

float loudestWindow(const std::vector<float>& x, int window) {
    float loudest = 0.0f;
    for (int start = 0; start + window <= static_cast<int>(x.size()); start += window / 2)
        loudest = std::max(loudest, rms(x, start, window));
    return loudest;
}

// Magnitudes of a Hann-windowed DFT of 4096 samples from `start`, bin k at
// k * SOUND_RATE / 4096 Hz.
const int DFT_SIZE = 4096;
std::vector<float> spectrum(const std::vector<float>& x, int start) {
    std::vector<double> cosines(DFT_SIZE), sines(DFT_SIZE), windowed(DFT_SIZE);
    for (int n = 0; n < DFT_SIZE; ++n) {
        const double angle = 2.0 * M_PI * n / DFT_SIZE;
        cosines[n] = std::cos(angle);
        sines[n] = std::sin(angle);
        windowed[n] = x[start + n] * (0.5 - 0.5 * cosines[n]);
    }
    std::vector<float> magnitudes(DFT_SIZE / 2);
    for (int k = 1; k < DFT_SIZE / 2; ++k) {
        double re = 0.0, im = 0.0;
        for (int n = 0; n < DFT_SIZE; ++n) {
            const int turn = (k * n) % DFT_SIZE;
            re += windowed[n] * cosines[turn];
            im -= windowed[n] * sines[turn];
        }
        magnitudes[k] = static_cast<float>(std::hypot(re, im));
    }
    return magnitudes;
}

float binHz(int k) {
    return static_cast<float>(k) * SOUND_RATE / DFT_SIZE;
}

float strongestHz(const std::vector<float>& x, int start) {
    const std::vector<float> m = spectrum(x, start);
    return binHz(static_cast<int>(std::max_element(m.begin(), m.end()) - m.begin()));
}

float centroidHz(const std::vector<float>& x, int start) {
    const std::vector<float> m = spectrum(x, start);
    double weighted = 0.0, total = 0.0;
    for (int k = 1; k < DFT_SIZE / 2; ++k) {
        weighted += binHz(k) * m[k];
        total += m[k];
    }
    return static_cast<float>(weighted / total);
}

} // namespace

TEST(SoundFiles, AreMonoSixteenBitPcmAtTheGameRate) {
    for (const Sound& sound : sounds()) {
        SCOPED_TRACE(sound.name);
        ASSERT_EQ(sound.wav.error, "");
        EXPECT_EQ(sound.wav.format, 1);
        EXPECT_EQ(sound.wav.channels, 1);
        EXPECT_EQ(sound.wav.bits, 16);
        EXPECT_EQ(sound.wav.rate, SOUND_RATE);
    }
}

TEST(SoundFiles, LastAboutAsLongAsTheirEvents) {
    const float blastSeconds[3] = {RED_BLAST_MS / 1000.0f, GREEN_BLAST_MS / 1000.0f,
                                   BLUE_BLAST_MS / 1000.0f};
    for (int id = 0; id < SOUND_COUNT; ++id) {
        float low = 0.15f, high = 0.8f; // the laid tones
        if (id >= SOUND_BLAST_RED && id <= SOUND_BLAST_BLUE) {
            low = 0.8f * blastSeconds[id - SOUND_BLAST_RED];
            high = 1.6f * blastSeconds[id - SOUND_BLAST_RED];
        } else if (id == SOUND_TELEPORT_SINK || id == SOUND_TELEPORT_RISE) {
            const float phase = (id == SOUND_TELEPORT_SINK ? TELEPORT_SINK_MS : TELEPORT_RISE_MS);
            low = 0.85f * phase / 1000.0f;
            high = 1.25f * phase / 1000.0f;
        } else if (id == SOUND_GATE) {
            low = 0.3f, high = 1.0f;
        } else if (id == SOUND_STRIKE) {
            low = 0.15f, high = 0.35f;
        } else if (id == SOUND_DEATH) {
            low = 0.5f, high = 1.0f;
        } else if (id == SOUND_VICTORY || id == SOUND_DEFEAT) {
            low = 1.5f, high = 3.0f;
        } else if (id == SOUND_AMBIENCE) {
            low = 4.0f, high = 15.0f;
        }
        const float seconds = sounds()[id].seconds();
        EXPECT_TRUE(seconds >= low && seconds <= high)
            << SOUNDS[id].file << " lasts " << seconds << " s, not " << low << ".." << high;
    }
}

TEST(SoundFiles, HaveNoClickDcOrClipping) {
    for (const Sound& sound : sounds()) {
        SCOPED_TRACE(sound.name);
        ASSERT_GT(sound.x.size(), static_cast<std::size_t>(samples(0.1f)));
        const std::vector<float>& x = sound.x;
        double sum = 0.0;
        float peak = 0.0f;
        for (float s : x) {
            sum += s;
            peak = std::max(peak, std::fabs(s));
        }
        EXPECT_LE(std::fabs(sum / x.size()), 0.002) << "DC offset";
        EXPECT_LE(peak * FULL_SCALE, PEAK_LIMIT) << "peak " << decibels(peak) << " dBFS";
        EXPECT_LE(std::fabs(x.front()), 0.01f) << "first sample";
        if (sound.name == SOUNDS[SOUND_AMBIENCE].file)
            continue; // it loops: its end is its start, see AmbienceLoopsWithoutASeam
        EXPECT_LE(std::fabs(x.back()), 0.01f) << "last sample";
        // The first and last millisecond at least 12 dB under the loudest 10 ms.
        const int ms = samples(0.001f);
        const float body = loudestWindow(x, 10 * ms);
        EXPECT_LE(rms(x, 0, ms), 0.25f * body) << "first ms against the loudest 10 ms";
        EXPECT_LE(rms(x, static_cast<int>(x.size()) - ms, ms), 0.25f * body)
            << "last ms against the loudest 10 ms";
    }
}

// Every file peaks at the same level: how loud a sound plays is set in the
// game's table alone.
TEST(SoundFiles, AllPeakAtTheFilesLevel) {
    for (const Sound& sound : sounds()) {
        float peak = 0.0f;
        for (float s : sound.x)
            peak = std::max(peak, std::fabs(s));
        EXPECT_NEAR(decibels(peak), SOUND_FILE_PEAK_DB, 0.1f) << sound.name;
    }
}

TEST(SoundFiles, AmbienceLoopsWithoutASeam) {
    const std::vector<float>& x = sounds()[SOUND_AMBIENCE].x;
    const int count = static_cast<int>(x.size());
    ASSERT_GT(count, samples(1.0f));
    auto at = [&](int i) { return x[(i + count) % count]; };
    // The loop starts at a zero crossing, and the step from its last sample
    // back to its first is an ordinary one.
    std::vector<float> steps;
    for (int i = 1; i < count; ++i)
        steps.push_back(std::fabs(x[i] - x[i - 1]));
    std::sort(steps.begin(), steps.end());
    const float ordinary = steps[steps.size() * 99 / 100];
    const float seam = std::fabs(x.front() - x.back());
    EXPECT_LE(std::fabs(x.front()), ordinary) << "first sample " << x.front() * FULL_SCALE;
    EXPECT_LE(seam, ordinary) << "seam step " << seam * FULL_SCALE << " against 99% of steps at "
                              << ordinary * FULL_SCALE;
    // No fade into the seam, which would dip the wind on every pass: the 10 ms
    // across it keep a fair share of the level of the 200 ms around it (any
    // 10 ms of the wind may be half as loud).
    const float across = rms(x, count - samples(0.005f), samples(0.01f));
    const float around = rms(x, count - samples(0.1f), samples(0.2f));
    EXPECT_GE(across, 0.4f * around) << "RMS across the seam " << across << ", around " << around;
    // No click anywhere around the loop, which would show where a render that
    // does not loop was cut: a step lights up the fourth difference, which
    // the loop's smooth wind and drone barely move.
    std::vector<float> fourth;
    for (int i = 0; i < count; ++i)
        fourth.push_back(
            std::fabs(at(i - 2) - 4 * at(i - 1) + 6 * at(i) - 4 * at(i + 1) + at(i + 2)));
    const auto worst = std::max_element(fourth.begin(), fourth.end());
    std::vector<float> sorted = fourth;
    std::sort(sorted.begin(), sorted.end());
    const float usual = sorted[sorted.size() * 999 / 1000];
    EXPECT_LE(*worst, 3.0f * usual) << "click at " << (worst - fourth.begin()) / float(SOUND_RATE)
                                    << " s: fourth difference " << *worst << " against " << usual;
}

TEST(SoundFiles, PitchesAndSweepsRunTheirWay) {
    // Each rune colour lays its own note, a semitone or more from the others.
    float laid[4];
    for (int c = 0; c < 4; ++c)
        laid[c] = strongestHz(sounds()[SOUND_LAID_RED + c].x, 0);
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b)
            EXPECT_GT(std::max(laid[a], laid[b]) / std::min(laid[a], laid[b]), 1.059f)
                << SOUNDS[SOUND_LAID_RED + a].file << " at " << laid[a] << " Hz, "
                << SOUNDS[SOUND_LAID_RED + b].file << " at " << laid[b] << " Hz";
    // The teleport sinks down and rises up; the victory climbs, the defeat
    // falls; a rune's readiness rises and a refusal falls.
    struct Direction {
        SoundId id;
        bool rising;
        float (*measure)(const std::vector<float>&, int);
        const char* what;
    };
    const Direction directions[6] = {{SOUND_TELEPORT_SINK, false, centroidHz, "centroid"},
                                     {SOUND_TELEPORT_RISE, true, centroidHz, "centroid"},
                                     {SOUND_VICTORY, true, strongestHz, "strongest"},
                                     {SOUND_DEFEAT, false, strongestHz, "strongest"},
                                     {SOUND_RUNE_READY, true, strongestHz, "strongest"},
                                     {SOUND_RUNE_REFUSED, false, strongestHz, "strongest"}};
    for (const Direction& d : directions) {
        const std::vector<float>& x = sounds()[d.id].x;
        const float first = d.measure(x, 0);
        const float last = d.measure(x, static_cast<int>(x.size()) - DFT_SIZE - samples(0.05f));
        EXPECT_GT(d.rising ? last / first : first / last, 1.3f)
            << SOUNDS[d.id].file << " " << d.what << " " << first << " Hz at the start, " << last
            << " Hz at the end";
    }
}
