#pragma once

#include "Synth.h"

#include <string>

// Writes mono samples (-1..1) as a RIFF/WAVE file of 16-bit PCM at the
// game's sound rate, the form the game's mixer loads.
bool writeWav(const Samples& samples, const std::string& path);
