#pragma once

#include <vector>

// A look-ahead peak limiter on an interleaved stereo float stream. Its output
// is its input delayed by `lookaheadFrames`, times a gain that never lets a
// sample past `ceiling`: the gain starts to fall a look-ahead before a peak,
// ramps down smoothly over that time, and recovers afterwards with the
// release's time constant. Below the ceiling it passes the stream unchanged.
class Limiter {
  public:
    Limiter(float ceiling, int lookaheadFrames, float releaseFrames);

    // Limits `frames` frames in place.
    void process(float* stereo, int frames);

  private:
    void limitFrame(float& left, float& right);
    float lowestNeededGain() const;

    float ceiling;
    int window; // the look-ahead plus the frame at hand
    float releaseStep;
    // The delay line, a ring of the look-ahead's frames; and rings of
    // `window` entries: the gain each input frame needs, and the released
    // gains that the output averages.
    std::vector<float> delayed;
    int delayAt = 0;
    std::vector<float> needed;
    std::vector<float> released;
    int at = 0;
    double releasedSum;
    float lastReleased = 1.0f;
    int framesSinceReduction;
};
