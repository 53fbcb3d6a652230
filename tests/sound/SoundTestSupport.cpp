#include "SoundTestSupport.h"

#include "sound/SoundPlayer.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

LoadedClip loadStagedClip(SoundId id) {
    LoadedClip loaded;
    const std::string path = std::string(STAGED_FOLDER) + SOUND_FOLDER + SOUNDS[id].file;
    SDL_AudioSpec spec;
    Uint8* bytes = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV(path.c_str(), &spec, &bytes, &length) == nullptr) {
        ADD_FAILURE() << path << ": " << SDL_GetError();
        return loaded;
    }
    EXPECT_EQ(spec.format, AUDIO_S16SYS);
    EXPECT_EQ(spec.channels, 1);
    const Sint16* pcm = reinterpret_cast<const Sint16*>(bytes);
    for (Uint32 i = 0; i < length / 2; ++i)
        loaded.samples.push_back(pcm[i] / 32767.0f);
    SDL_FreeWAV(bytes);
    loaded.clip.samples = loaded.samples.data();
    loaded.clip.length = static_cast<int>(loaded.samples.size());
    return loaded;
}

namespace {

std::vector<int16_t> readStream(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    std::vector<int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                          (static_cast<uint8_t>(bytes[2 * i + 1]) << 8));
    return samples;
}

} // namespace

std::vector<int16_t> hearThroughTheDiskDriver(const std::function<void(SoundPlayer&)>& play,
                                              int milliseconds) {
    char path[] = "/tmp/talmorak-heard-XXXXXX";
    const int descriptor = mkstemp(path);
    if (descriptor < 0)
        return {};
    close(descriptor);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", path, 1);
    setenv("SDL_DISKAUDIODELAY", "11", 1); // about one buffer: the stream keeps time
    SoundPlayer player;
    EXPECT_TRUE(player.open(STAGED_FOLDER));
    play(player);
    SDL_Delay(static_cast<uint32_t>(milliseconds));
    player.close();
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
    unsetenv("SDL_DISKAUDIODELAY");
    std::vector<int16_t> samples = readStream(path);
    remove(path);
    return samples;
}
