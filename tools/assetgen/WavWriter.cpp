#include "WavWriter.h"

#include "ByteFile.h"
#include "sound/SoundFiles.h"

#include <algorithm>
#include <cmath>

namespace {

const int BYTES_PER_SAMPLE = 2;

int16_t toPcm16(float sample) {
    return static_cast<int16_t>(std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f));
}

} // namespace

bool writeWav(const Samples& samples, const std::string& path) {
    const uint32_t dataSize = static_cast<uint32_t>(samples.size() * BYTES_PER_SAMPLE);
    std::vector<uint8_t> out;
    out.reserve(44 + dataSize);
    putTag(out, "RIFF");
    put32(out, 36 + dataSize);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // channels
    put32(out, SOUND_RATE);
    put32(out, SOUND_RATE * BYTES_PER_SAMPLE); // bytes per second
    put16(out, BYTES_PER_SAMPLE);              // bytes per frame
    put16(out, BYTES_PER_SAMPLE * 8);
    putTag(out, "data");
    put32(out, dataSize);
    for (float sample : samples)
        put16(out, static_cast<uint16_t>(toPcm16(sample)));
    return writeBytes(out, path);
}
