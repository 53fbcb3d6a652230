#include "SoundTestSupport.h"
#include "sound/SoundPlacement.h"
#include "sound/SoundPlayer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
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

// Plays one sound from where the resting camera hears `where`, lets it sound
// out, and measures the whole stream.
Levels hear(SoundId id, glm::vec3 where, int milliseconds) {
    return rmsOf(hearThroughTheDiskDriver(
        [&](SoundPlayer& player) { player.play(id, placeSound(EYE, MAGE, where)); }, milliseconds));
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
