#pragma once

#include <cmath>

// The gain, as a factor on the samples, of a level in decibels: 0 dB is 1,
// -20 dB a tenth.
inline float gainOfDecibels(float decibels) {
    return std::pow(10.0f, decibels / 20.0f);
}
