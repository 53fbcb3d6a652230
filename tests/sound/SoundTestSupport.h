#pragma once

#include "sound/SoundFiles.h"
#include "sound/VoiceMix.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A staged sound file's samples as the mix plays them: mono floats.
struct LoadedClip {
    std::vector<float> samples;
    SoundClip clip;
};
// Empty (and a failed expectation) when the file does not load.
LoadedClip loadStagedClip(SoundId id);

// The stream SDL's disk audio driver writes while `play` runs on a player
// opened on the staged module and sounds, and for `milliseconds` after:
// 16-bit stereo samples, left first.
class SoundPlayer;
std::vector<int16_t> hearThroughTheDiskDriver(const std::function<void(SoundPlayer&)>& play,
                                              int milliseconds);
