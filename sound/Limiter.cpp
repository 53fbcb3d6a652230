#include "sound/Limiter.h"

#include <algorithm>
#include <cmath>

// Why the output never passes the ceiling: the frame leaving the delay line
// entered `window - 1` frames ago. Each of the last `window` released gains
// is at most the lowest gain needed over the `window` frames up to it, and
// each of those spans of frames includes the leaving frame; so each is at
// most the gain that frame needs, and so is their average, which is applied.
Limiter::Limiter(float ceiling, int lookaheadFrames, float releaseFrames)
    : ceiling(ceiling), window(std::max(lookaheadFrames, 1) + 1),
      releaseStep(1.0f - std::exp(-1.0f / releaseFrames)), delayed(2 * (window - 1), 0.0f),
      needed(window, 1.0f), released(window, 1.0f), releasedSum(window),
      framesSinceReduction(window) {}

void Limiter::process(float* stereo, int frames) {
    for (int frame = 0; frame < frames; ++frame)
        limitFrame(stereo[2 * frame], stereo[2 * frame + 1]);
}

void Limiter::limitFrame(float& left, float& right) {
    const float peak = std::max(std::fabs(left), std::fabs(right));
    const float need = peak > ceiling ? ceiling / peak : 1.0f;
    needed[at] = need;
    framesSinceReduction = need < 1.0f ? 0 : framesSinceReduction + 1;

    // The lowest gain the coming frames need, released toward 1 no faster
    // than the release allows; then averaged over the look-ahead, so the gain
    // ramps down instead of jumping.
    const float recovered = lastReleased + (1.0f - lastReleased) * releaseStep;
    lastReleased = std::min(lowestNeededGain(), recovered);
    releasedSum += lastReleased - released[at];
    released[at] = lastReleased;
    const float gain = static_cast<float>(releasedSum / window);

    at = (at + 1) % window;

    const float leavingLeft = delayed[2 * delayAt], leavingRight = delayed[2 * delayAt + 1];
    delayed[2 * delayAt] = left;
    delayed[2 * delayAt + 1] = right;
    delayAt = (delayAt + 1) % (window - 1);
    // The clamp only catches the last rounding of the running sum.
    left = std::clamp(leavingLeft * gain, -ceiling, ceiling);
    right = std::clamp(leavingRight * gain, -ceiling, ceiling);
}

float Limiter::lowestNeededGain() const {
    if (framesSinceReduction >= window)
        return 1.0f; // nothing within reach needs less: the usual case
    return *std::min_element(needed.begin(), needed.end());
}
