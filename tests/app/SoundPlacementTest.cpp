#include "app/SoundPlacement.h"
#include "app/SoundPlayer.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

// The game's sounds placed as the camera hears them, heard through SDL's disk
// audio driver, which writes the mixed stream to a file: 16-bit stereo
// samples, left first.

namespace {

// The camera at rest behind the mage, which stands at the centre; this
// camera's screen left is world +x.
const glm::vec3 EYE(0.0f, 5.0f, -5.0f);
const glm::vec3 MAGE(0.0f);
const glm::vec3 LEFT_OF_THE_MAGE(7.0f, 0.0f, 0.0f);
// The gate across the arena from this camera, 8.7 units beyond the centre.
const glm::vec3 FAR_GATE(0.0f, 0.0f, 8.7f);

struct Levels {
    double left = 0.0;
    double right = 0.0;
};

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

Levels rmsOf(const std::vector<int16_t>& stereo) {
    Levels levels;
    for (size_t i = 0; i + 1 < stereo.size(); i += 2) {
        levels.left += static_cast<double>(stereo[i]) * stereo[i];
        levels.right += static_cast<double>(stereo[i + 1]) * stereo[i + 1];
    }
    const double frames = static_cast<double>(stereo.size() / 2);
    levels.left = std::sqrt(levels.left / frames);
    levels.right = std::sqrt(levels.right / frames);
    return levels;
}

// Opens the game's sound on the disk driver, plays one sound from where the
// resting camera hears `where`, lets it sound out, closes, and measures the
// whole stream.
Levels hear(SoundId id, glm::vec3 where, int milliseconds) {
    char path[] = "/tmp/talmorak-heard-XXXXXX";
    const int descriptor = mkstemp(path);
    if (descriptor < 0)
        return Levels();
    close(descriptor);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", path, 1);
    setenv("SDL_DISKAUDIODELAY", "11", 1); // about one buffer: the stream keeps time
    SoundPlayer player;
    EXPECT_TRUE(player.open(STAGED_SOUND_MODULE));
    player.play(id, placeSound(EYE, MAGE, where));
    SDL_Delay(static_cast<uint32_t>(milliseconds));
    player.close();
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
    unsetenv("SDL_DISKAUDIODELAY");
    const Levels levels = rmsOf(readStream(path));
    remove(path);
    return levels;
}

} // namespace

TEST(SoundPlacementTest, ASoundOnTheCamerasLeftIsLouderOnTheLeft) {
    const Levels heard = hear(SOUND_STRIKE, LEFT_OF_THE_MAGE, 400);
    EXPECT_GT(heard.left, 50.0) << "the strike was not heard at all";
    EXPECT_GT(heard.left, 2.0 * heard.right) << heard.left << " left, " << heard.right << " right";
}

TEST(SoundPlacementTest, AFarGateIsQuieterThanARuneAtTheMagesFeet) {
    const Levels atTheRune = hear(SOUND_GATE, MAGE, 1100);
    const Levels atTheGate = hear(SOUND_GATE, FAR_GATE, 1100);
    EXPECT_GT(atTheRune.left, 50.0) << "the gate sound was not heard at all";
    EXPECT_LT(atTheGate.left, 0.7 * atTheRune.left);
    EXPECT_LT(atTheGate.right, 0.7 * atTheRune.right);
    // Both lie straight ahead of the camera: neither side is favoured.
    EXPECT_NEAR(atTheGate.left, atTheGate.right, 0.05 * atTheGate.left);
}
