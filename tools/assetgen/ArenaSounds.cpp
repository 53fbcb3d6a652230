#include "Sounds.h"

#include <algorithm>
#include <cmath>

namespace {

// One note of a brass-like voice: a soft sawtooth whose low-pass opens with
// the attack, a slow vibrato on long notes, and a pitch that may droop.
Samples note(float hz, float seconds, float brightness, int harmonics, float droop) {
    Samples out(samplesFor(seconds));
    Phase phase;
    Biquad tone;
    const float release = std::min(0.15f, seconds / 3.0f);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float t = secondsAt(static_cast<int>(i));
        const float envelope = swell(t, 0.02f, release, seconds) * (0.7f + 0.3f * decay(t, 0.15f));
        const float vibrato =
            1.0f + 0.004f * sine(5.0 * t) * std::min(t / 0.4f, 1.0f) * (seconds > 0.6f);
        tone.setLowPass(hz * (1.5f + brightness * envelope), 0.7071f);
        const float pitch = hz * vibrato * glide(t, seconds, 1.0f, droop);
        out[i] = tone.process(softSaw(phase.step(pitch), harmonics)) * envelope;
    }
    return out;
}

// A sine of cycles whole periods over a loop of `length` samples: anything
// built from these repeats exactly at the loop's seam.
float loopSine(int sample, int length, int cycles, float offset) {
    return sine(static_cast<double>(cycles) * sample / length + offset);
}

} // namespace

Samples gateGong() {
    // A low gong: inharmonic partials of a struck plate, each with its own
    // decay, over a rumble of low-passed noise.
    const float ratios[6] = {1.0f, 1.52f, 2.03f, 2.71f, 3.32f, 4.18f};
    const float amplitudes[6] = {1.0f, 0.6f, 0.5f, 0.35f, 0.25f, 0.15f};
    const float taus[6] = {0.45f, 0.35f, 0.3f, 0.22f, 0.18f, 0.12f};
    const float fundamental = 73.42f, seconds = 0.9f;
    Samples out(samplesFor(seconds));
    Phase partials[6];
    Noise noise(0x5eed04);
    Biquad rumble;
    rumble.setLowPass(140.0f, 0.7071f);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float t = secondsAt(static_cast<int>(i));
        float plate = 0.0f;
        for (int k = 0; k < 6; ++k)
            plate += amplitudes[k] * sine(partials[k].step(fundamental * ratios[k])) *
                     strike(t, 0.008f, taus[k]);
        const float ground = rumble.process(noise.white()) * swell(t, 0.06f, 0.5f, seconds);
        out[i] = plate + 2.0f * ground;
    }
    return out;
}

Samples monsterStrike() {
    // A thud that sinks in pitch under a slash of noise falling from bright
    // to dull.
    const float seconds = 0.25f;
    Samples out(samplesFor(seconds));
    Noise noise(0x5eed05);
    Biquad slash;
    Phase thud;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float t = secondsAt(static_cast<int>(i));
        slash.setBandPass(glide(t, 0.2f, 6000.0f, 1500.0f), 1.2f);
        const float body =
            sine(thud.step(glide(t, 0.12f, 160.0f, 55.0f))) * strike(t, 0.002f, 0.045f);
        const float swish = slash.process(noise.white()) * strike(t, 0.01f, 0.05f);
        out[i] = body + 1.4f * swish;
    }
    return out;
}

Samples monsterDeath() {
    // A groan falling in pitch through two vowel formants that close, and a
    // grainy hiss as the body dissolves.
    const float seconds = 0.85f;
    Samples out(samplesFor(seconds));
    Noise noise(0x5eed06);
    Biquad mouth, throat, grains;
    grains.setBandPass(3000.0f, 0.8f);
    Phase voice;
    OnePole grainEdges(300.0f); // no clicks where the grains switch
    float grain = 0.0f;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const float t = secondsAt(static_cast<int>(i));
        const float pitch = glide(t, seconds, 210.0f, 70.0f) * (1.0f + 0.03f * sine(6.0 * t));
        const float source = softSaw(voice.step(pitch), 12);
        mouth.setBandPass(glide(t, seconds, 700.0f, 350.0f), 3.0f);
        throat.setBandPass(glide(t, seconds, 1200.0f, 700.0f), 4.0f);
        const float groan = mouth.process(source) + 0.6f * throat.process(source);
        if (i % samplesFor(0.004f) == 0)
            grain = noise.uniform() < 0.5f ? 1.0f : 0.2f;
        const float hiss =
            grains.process(noise.white()) * grainEdges.low(grain) * swell(t, 0.3f, 0.4f, seconds);
        out[i] = groan * swell(t, 0.05f, 0.45f, seconds) + 0.3f * hiss;
    }
    return out;
}

Samples victoryFanfare() {
    // A rising major arpeggio (G C E G) into a held C major chord.
    const float arpeggio[4] = {392.0f, 523.25f, 659.26f, 783.99f};
    const float chord[4] = {523.25f, 659.26f, 783.99f, 1046.5f};
    Samples out;
    for (int n = 0; n < 4; ++n)
        mixInto(out, note(arpeggio[n], 0.2f, 5.0f, 10, 1.0f), 0.5f, samplesFor(0.13f * n));
    for (float hz : chord)
        mixInto(out, note(hz, 1.55f, 4.0f, 10, 1.0f), 0.3f, samplesFor(0.55f));
    return out;
}

Samples defeatPhrase() {
    // A falling C minor line (G F E-flat D) onto a low C that sags.
    const float line[4] = {392.0f, 349.23f, 311.13f, 293.66f};
    Samples out;
    for (int n = 0; n < 4; ++n)
        mixInto(out, note(line[n], 0.36f, 2.0f, 6, 1.0f), 0.5f, samplesFor(0.32f * n));
    mixInto(out, note(261.63f, 1.1f, 1.5f, 6, 0.97f), 0.45f, samplesFor(1.28f));
    mixInto(out, note(130.81f, 1.1f, 1.5f, 6, 0.97f), 0.35f, samplesFor(1.28f));
    return out;
}

Samples arenaAmbience() {
    // Wind (noise through a wandering band, and a faint whistle) over a low
    // drone. Every modulation and drone partial runs whole cycles over the
    // loop; the noise, which cannot, is folded into a loop by crossfading a
    // longer render's tail into its head.
    const int length = samplesFor(10.0f), crossfade = samplesFor(1.0f);
    Noise noise(0x5eed07);
    Biquad band, whistle, dull;
    dull.setLowPass(1500.0f, 0.7071f); // wind roars and whistles but does not hiss
    Samples render(length + crossfade);
    for (int i = 0; i < length + crossfade; ++i) {
        band.setBandPass(600.0f + 250.0f * loopSine(i, length, 2, 0.0f) +
                             120.0f * loopSine(i, length, 5, 0.3f),
                         0.8f);
        whistle.setBandPass(1300.0f + 200.0f * loopSine(i, length, 3, 0.1f), 12.0f);
        const float white = noise.white();
        render[i] = dull.process(band.process(white) + 0.25f * whistle.process(white));
    }
    Samples loop = foldIntoLoop(render, length, crossfade);
    for (int i = 0; i < length; ++i) {
        const float gust = 0.8f + 0.2f * loopSine(i, length, 3, 0.0f);
        const float drone = 0.5f * loopSine(i, length, 550, 0.0f) +
                            0.35f * loopSine(i, length, 825, 0.0f) +
                            0.15f * loopSine(i, length, 1103, 0.0f);
        loop[i] = loop[i] * gust + 0.35f * drone * (0.8f + 0.2f * loopSine(i, length, 2, 0.25f));
    }
    return loop;
}
