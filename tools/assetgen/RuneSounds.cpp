#include "Sounds.h"

#include "game/Rune.h"

#include <cmath>

namespace {

// A short burst of one bubble: a sine whose pitch rises as it decays.
Samples bubble(float hz, float seconds) {
    Samples out(samplesFor(seconds));
    Phase phase;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float t = secondsAt(static_cast<int>(i));
        const float rising = hz * (1.0f + 2.5f * t / seconds);
        out[i] = sine(phase.step(rising)) * strike(t, 0.002f, seconds / 4.0f);
    }
    return out;
}

} // namespace

Samples laidTone(float fundamentalHz) {
    // A plucked chime: six harmonics, the higher ones dying sooner, and one
    // inharmonic glint for the bell-like strike.
    const float amplitudes[6] = {1.0f, 0.55f, 0.32f, 0.2f, 0.12f, 0.07f};
    Samples out(samplesFor(0.6f));
    Phase phase, glint;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float t = secondsAt(static_cast<int>(i));
        const double p = phase.step(fundamentalHz);
        float s = 0.0f;
        for (int k = 1; k <= 6; ++k)
            s += amplitudes[k - 1] * sine(p * k) * decay(t, 0.16f / std::pow(k, 0.6f));
        s += 0.25f * sine(glint.step(fundamentalHz * 2.76f)) * decay(t, 0.03f);
        out[i] = s;
    }
    return out;
}

Samples redBlast() {
    // Fire: a roar of low-passed noise whose cutoff falls, with crackles,
    // over a low boom that sinks in pitch.
    const float blast = RED_BLAST_MS / 1000.0f, length = blast + 0.2f;
    Samples out(samplesFor(length));
    Noise noise(0x5eed01);
    Biquad roar, pop;
    pop.setBandPass(2500.0f, 0.9f); // crackles as wooden pops, not ticks
    Phase boom;
    Crackle crackle(0.003f, 0.75f);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float t = secondsAt(static_cast<int>(i));
        const float body = t < blast ? 1.0f - 0.4f * t / blast : 0.6f * decay(t - blast, 0.05f);
        roar.setLowPass(glide(t, length, 5000.0f, 400.0f), 0.9f);
        const float fire = roar.process(noise.white()) * (0.35f + 0.65f * decay(t, 0.07f)) * body;
        const float low = sine(boom.step(glide(t, 0.4f, 110.0f, 38.0f))) * strike(t, 0.003f, 0.16f);
        out[i] = 0.55f * fire + 0.8f * pop.process(crackle.next(noise, body)) + 0.9f * low;
    }
    saturate(out, 3.0f);
    return out;
}

Samples greenBlast() {
    // Acid: a fizzing band of noise, sharp crackles, and bubbles popping at
    // seeded random times and pitches through the blast.
    const float blast = GREEN_BLAST_MS / 1000.0f, length = blast + 0.15f;
    Samples out(samplesFor(length));
    Noise noise(0x5eed02);
    Biquad fizz, snap;
    fizz.setBandPass(2600.0f, 0.8f);
    snap.setBandPass(4200.0f, 1.5f);
    Crackle crackle(0.004f, 0.6f);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float t = secondsAt(static_cast<int>(i));
        const float body = t < blast ? 1.0f : decay(t - blast, 0.04f);
        const float hiss = fizz.process(noise.white()) * (0.3f + 0.7f * decay(t, 0.1f));
        out[i] = (0.5f * hiss + 0.6f * snap.process(4.0f * crackle.next(noise, body))) * body;
    }
    for (int b = 0; b < 26; ++b) {
        const float at = noise.uniform() * (blast - 0.06f);
        const float hz = 350.0f + 900.0f * noise.uniform();
        mixInto(out, bubble(hz, 0.05f + 0.04f * noise.uniform()), 0.5f, samplesFor(at));
    }
    saturate(out, 3.0f);
    return out;
}

Samples blueBlast() {
    // Lightning: a buzzing arc whose pitch jitters, a falling zap, and crisp
    // bursts of high noise switching on and off.
    const float blast = BLUE_BLAST_MS / 1000.0f, length = blast + 0.08f;
    Samples out(samplesFor(length));
    Noise noise(0x5eed03);
    Phase buzz, zap;
    Biquad crisp, arcFilter;
    crisp.setHighPass(4000.0f, 0.7f);
    arcFilter.setHighPass(300.0f, 0.7f);
    float jitter = 1.0f, gate = 1.0f;
    const int holdSamples = samplesFor(0.006f);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float t = secondsAt(static_cast<int>(i));
        if (i % holdSamples == 0) {
            jitter = 0.7f + 0.6f * noise.uniform();
            gate = noise.uniform() < 0.6f ? 1.0f : 0.15f;
        }
        const float body = t < blast ? 1.0f : decay(t - blast, 0.02f);
        const float arc = arcFilter.process(softSaw(buzz.step(130.0f * jitter), 14));
        const float fall =
            sine(zap.step(glide(t, 0.15f, 2600.0f, 300.0f))) * strike(t, 0.002f, 0.06f);
        const float sparks = crisp.process(noise.white()) * gate;
        out[i] = (0.45f * arc + 0.6f * sparks) * body + 0.5f * fall;
    }
    saturate(out, 3.0f);
    return out;
}

Samples teleportSweep(float seconds, float fromHz, float toHz, uint32_t seed) {
    // A whoosh: noise through a resonant band gliding from one pitch to the
    // other, with a soft sine along the same glide an octave below.
    Samples out(samplesFor(seconds));
    Noise noise(seed);
    Biquad band;
    Phase tone;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float t = secondsAt(static_cast<int>(i));
        const float hz = glide(t, seconds, fromHz, toHz);
        band.setBandPass(hz, 3.0f);
        const float shape =
            std::pow(std::sin(static_cast<float>(TWO_PI / 2.0) * t / seconds), 0.6f);
        out[i] = (band.process(noise.white()) + 0.12f * sine(tone.step(hz * 0.5f))) * shape;
    }
    return out;
}

Samples runeReadyChime() {
    // Two soft sine notes, A5 then E6 a fifth above, each swelling in
    // gently (no strike) with a quiet octave over it: a cue to act, not an
    // alarm.
    const float notes[2] = {880.0f, 1318.51f};
    const float noteSeconds = 0.16f, length = 0.42f;
    Samples out(samplesFor(length));
    for (int n = 0; n < 2; ++n) {
        Phase phase;
        const int from = samplesFor(n * noteSeconds);
        for (int i = from; i < static_cast<int>(out.size()); ++i) {
            const float t = secondsAt(i - from);
            const double p = phase.step(notes[n]);
            const float shape = swell(t, 0.025f, 0.02f, length - n * noteSeconds) * decay(t, 0.12f);
            out[i] += (sine(p) + 0.2f * sine(2.0 * p)) * shape;
        }
    }
    return out;
}

Samples runeRefusedBuzz() {
    // Two short low buzzes, the second a fifth below the first, each a
    // band-limited sawtooth, low-passed so it grumbles instead of rasping.
    const float notes[2] = {196.0f, 130.81f}; // G3, C3
    const float noteSeconds = 0.11f, gapSeconds = 0.02f;
    Samples out(samplesFor(2 * noteSeconds + gapSeconds));
    Biquad soften;
    soften.setLowPass(1400.0f, 0.7f);
    for (int n = 0; n < 2; ++n) {
        Phase phase;
        const int from = samplesFor(n * (noteSeconds + gapSeconds));
        for (int i = 0; i < samplesFor(noteSeconds); ++i) {
            const float t = secondsAt(i);
            out[from + i] =
                softSaw(phase.step(notes[n]), 12) * swell(t, 0.008f, 0.02f, noteSeconds);
        }
    }
    for (float& sample : out)
        sample = soften.process(sample);
    return out;
}
