#include "Synth.h"

#include "sound/SoundFiles.h"

#include <algorithm>
#include <cmath>

int samplesFor(float seconds) {
    return static_cast<int>(std::lround(seconds * SOUND_RATE));
}

float secondsAt(int sample) {
    return static_cast<float>(sample) / SOUND_RATE;
}

float Noise::white() {
    return uniform() * 2.0f - 1.0f;
}

float Noise::uniform() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<float>(state >> 8) / 16777216.0f;
}

float Crackle::next(Noise& noise, float density) {
    if (noise.uniform() < chance * density)
        value = noise.white();
    value *= fade;
    return value;
}

double Phase::step(double hz) {
    const double before = cycles;
    cycles += hz / SOUND_RATE;
    cycles -= std::floor(cycles); // keeps the precision of long renders
    return before;
}

float sine(double cycles) {
    return static_cast<float>(std::sin(TWO_PI * cycles));
}

float softSaw(double cycles, int harmonics) {
    float sum = 0.0f;
    for (int k = 1; k <= harmonics; ++k)
        sum += sine(cycles * k) / static_cast<float>(k);
    return sum * 0.55f; // the partial sums overshoot to about 1.85
}

float decay(float t, float tau) {
    return std::exp(-t / tau);
}

float strike(float t, float attack, float tau) {
    if (t < attack)
        return t / attack;
    return decay(t - attack, tau);
}

float swell(float t, float attack, float release, float length) {
    if (t < 0.0f || t >= length)
        return 0.0f;
    if (t < attack)
        return t / attack;
    if (t > length - release)
        return (length - t) / release;
    return 1.0f;
}

float glide(float t, float length, float from, float to) {
    const float x = std::min(std::max(t / length, 0.0f), 1.0f);
    return from * std::pow(to / from, x);
}

OnePole::OnePole(float cutoffHz)
    : coefficient(1.0f - std::exp(static_cast<float>(-TWO_PI) * cutoffHz / SOUND_RATE)) {}

float OnePole::low(float x) {
    state += coefficient * (x - state);
    return state;
}

void Biquad::set(double nb0, double nb1, double nb2, double a0, double na1, double na2) {
    b0 = static_cast<float>(nb0 / a0);
    b1 = static_cast<float>(nb1 / a0);
    b2 = static_cast<float>(nb2 / a0);
    a1 = static_cast<float>(na1 / a0);
    a2 = static_cast<float>(na2 / a0);
}

void Biquad::setLowPass(float hz, float q) {
    const double w = TWO_PI * hz / SOUND_RATE, alpha = std::sin(w) / (2.0 * q), c = std::cos(w);
    set((1.0 - c) / 2.0, 1.0 - c, (1.0 - c) / 2.0, 1.0 + alpha, -2.0 * c, 1.0 - alpha);
}

void Biquad::setHighPass(float hz, float q) {
    const double w = TWO_PI * hz / SOUND_RATE, alpha = std::sin(w) / (2.0 * q), c = std::cos(w);
    set((1.0 + c) / 2.0, -(1.0 + c), (1.0 + c) / 2.0, 1.0 + alpha, -2.0 * c, 1.0 - alpha);
}

void Biquad::setBandPass(float hz, float q) {
    const double w = TWO_PI * hz / SOUND_RATE, alpha = std::sin(w) / (2.0 * q), c = std::cos(w);
    set(alpha, 0.0, -alpha, 1.0 + alpha, -2.0 * c, 1.0 - alpha);
}

float Biquad::process(float x) {
    // Transposed direct form II, which stays well-behaved when the
    // coefficients change every sample.
    const float y = b0 * x + z1;
    z1 = b1 * x - a1 * y + z2;
    z2 = b2 * x - a2 * y;
    return y;
}

void mixInto(Samples& into, const Samples& from, float gain, int offset) {
    if (into.size() < from.size() + offset)
        into.resize(from.size() + offset, 0.0f);
    for (std::size_t i = 0; i < from.size(); ++i)
        into[i + offset] += gain * from[i];
}

void blockDc(Samples& samples) {
    Biquad highPass;
    highPass.setHighPass(25.0f, 0.7071f);
    for (float& s : samples)
        s = highPass.process(s);
}

void fadeEdges(Samples& samples, float inMs, float outMs) {
    const int count = static_cast<int>(samples.size());
    const int in = std::min(samplesFor(inMs / 1000.0f), count);
    const int out = std::min(samplesFor(outMs / 1000.0f), count);
    for (int i = 0; i < in; ++i)
        samples[i] *= static_cast<float>(i) / in;
    for (int i = 0; i < out; ++i)
        samples[count - 1 - i] *= static_cast<float>(i) / out;
}

void saturate(Samples& samples, float drive) {
    const float gain = drive / peakOf(samples);
    for (float& s : samples)
        s = std::tanh(gain * s);
}

float peakOf(const Samples& samples) {
    float peak = 0.0f;
    for (float s : samples)
        peak = std::max(peak, std::fabs(s));
    return peak;
}

float rmsOf(const Samples& samples) {
    double sum = 0.0;
    for (float s : samples)
        sum += static_cast<double>(s) * s;
    return samples.empty() ? 0.0f : static_cast<float>(std::sqrt(sum / samples.size()));
}

void scaleTo(Samples& samples, float factor) {
    for (float& s : samples)
        s *= factor;
}

Samples foldIntoLoop(const Samples& render, int length, int crossfade) {
    Samples loop(render.begin(), render.begin() + length);
    for (int i = 0; i < crossfade; ++i) {
        const double x = (i + 0.5) / crossfade * (TWO_PI / 4.0);
        loop[i] = static_cast<float>(std::sin(x) * render[i] + std::cos(x) * render[i + length]);
    }
    return loop;
}

void startAtZeroCrossing(Samples& loop) {
    const int count = static_cast<int>(loop.size());
    int first = 0;
    while (first < count && !(loop[(first + count - 1) % count] < 0.0f && loop[first] >= 0.0f))
        ++first;
    std::rotate(loop.begin(), loop.begin() + first % count, loop.end());
}
