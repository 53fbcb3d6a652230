#pragma once

#include <cstdint>
#include <vector>

// The building blocks of the generated sounds: oscillators, envelopes,
// seeded noise, filters and mixing on mono float samples in -1..1 at the
// game's sound rate. Everything is deterministic, so the same code always
// writes the same files.

using Samples = std::vector<float>;

const double TWO_PI = 6.283185307179586;

// Sample count and time of the game's sound rate.
int samplesFor(float seconds);
float secondsAt(int sample);

// White noise in -1..1 from a fixed seed (xorshift32).
class Noise {
  public:
    explicit Noise(uint32_t seed) : state(seed ? seed : 1u) {}
    float white();
    // Uniform in 0..1, for picking times and pitches.
    float uniform();

  private:
    uint32_t state;
};

// Crackle: sparse random impulses, each dying away within a few samples.
class Crackle {
  public:
    Crackle(float chancePerSample, float fadePerSample)
        : chance(chancePerSample), fade(fadePerSample) {}
    // The next sample; density (0..1) thins the impulses out.
    float next(Noise& noise, float density);

  private:
    float chance, fade;
    float value = 0.0f;
};

// A phase that follows a frequency which may change every sample.
class Phase {
  public:
    // Advances by one sample at hz and returns the phase before, in cycles.
    double step(double hz);

  private:
    double cycles = 0.0;
};

float sine(double cycles);
// Band-limited enough for these effects: the first `harmonics` partials of a
// sawtooth, each at 1/k, scaled to peak near 1.
float softSaw(double cycles, int harmonics);

// exp(-t / tau): the decay of a struck or plucked thing.
float decay(float t, float tau);
// Linear attack to 1, then exponential decay.
float strike(float t, float attack, float tau);
// Rises over `attack`, holds, falls over `release` to 0 at `length`.
float swell(float t, float attack, float release, float length);
// Exponential glide from `from` at 0 to `to` at `length` (frequencies).
float glide(float t, float length, float from, float to);

// One-pole low-pass, for smoothing control signals.
class OnePole {
  public:
    explicit OnePole(float cutoffHz);
    float low(float x);

  private:
    float coefficient = 0.0f;
    float state = 0.0f;
};

// A second-order section (the usual cookbook forms); set* may be called every
// sample for sweeps, the state carries over.
class Biquad {
  public:
    void setLowPass(float hz, float q);
    void setHighPass(float hz, float q);
    void setBandPass(float hz, float q); // peak gain 1
    float process(float x);

  private:
    void set(double b0, double b1, double b2, double a0, double a1, double a2);
    float b0 = 1.0f, b1 = 0.0f, b2 = 0.0f, a1 = 0.0f, a2 = 0.0f;
    float z1 = 0.0f, z2 = 0.0f;
};

// Adds `from` times `gain` into `into` from sample `offset`, growing `into`
// as needed.
void mixInto(Samples& into, const Samples& from, float gain, int offset);

// Removes any DC with a high-pass a little below the audible range.
void blockDc(Samples& samples);
// Linear fades over the first and last milliseconds, so a sound neither
// starts nor stops with a step.
void fadeEdges(Samples& samples, float inMs, float outMs);
// Soft clipping (tanh) after scaling the peak to `drive`: squeezes the
// peaks of a noisy sound so it carries more energy at the same peak.
void saturate(Samples& samples, float drive);
float peakOf(const Samples& samples);
float rmsOf(const Samples& samples);
void scaleTo(Samples& samples, float factor);

// A loop of `length` samples from a render at least `length + crossfade`
// long: the render's tail past `length` is crossfaded (equal power, for
// uncorrelated noise) into its head, so the result is continuous from its
// last sample back to its first.
Samples foldIntoLoop(const Samples& render, int length, int crossfade);
// Rotates a loop so that it starts at its first upward zero crossing.
void startAtZeroCrossing(Samples& loop);
