#include "sound/SoundMixer.h"
#include "sound/SoundPlayer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

// The sound player on a fake of the module's table, which loads no file and
// opens no device: it names each clip after its file and records each call.

namespace {

struct Call {
    std::string what; // "play", "pause", "resume", "fadeOut" or "halt"
    std::string file; // the clip played, or the file of the voice concerned
    float left = 0.0f, right = 0.0f;
    int loops = 0, milliseconds = 0;
};

std::vector<Call> calls;
std::vector<std::string> clipFiles;         // a clip is its index + 1 here
std::vector<std::string> voiceFiles = {""}; // voice handle -> file

SoundClip* clipOf(size_t index) {
    return reinterpret_cast<SoundClip*>(index + 1);
}

std::string fileOf(SoundClip* clip) {
    return clipFiles[reinterpret_cast<size_t>(clip) - 1];
}

int openAudio(int, int) {
    return 0;
}
void closeAudio() {}
const char* lastError() {
    return "";
}
SoundClip* loadClip(const char* path) {
    const std::string name = path;
    clipFiles.push_back(name.substr(name.find_last_of('/') + 1));
    return clipOf(clipFiles.size() - 1);
}
void freeClip(SoundClip*) {}
uint32_t play(SoundClip* clip, float left, float right, int loops, int) {
    Call call;
    call.what = "play";
    call.file = fileOf(clip);
    call.left = left;
    call.right = right;
    call.loops = loops;
    calls.push_back(call);
    voiceFiles.push_back(call.file);
    return static_cast<uint32_t>(voiceFiles.size() - 1);
}
void record(const char* what, uint32_t voice, int milliseconds = 0) {
    Call call;
    call.what = what;
    call.file = voice < voiceFiles.size() ? voiceFiles[voice] : "?";
    call.milliseconds = milliseconds;
    calls.push_back(call);
}
void pause(uint32_t voice) {
    record("pause", voice);
}
void resume(uint32_t voice) {
    record("resume", voice);
}
void fadeOut(uint32_t voice, int milliseconds) {
    record("fadeOut", voice, milliseconds);
}
void halt(uint32_t voice) {
    record("halt", voice);
}
void setMuted(int) {}

const SoundMixer FAKE = {openAudio, closeAudio, lastError, loadClip, freeClip, play,
                         pause,     resume,     fadeOut,   halt,     setMuted};

class EventSounds : public ::testing::Test {
  protected:
    void SetUp() override {
        calls.clear();
        clipFiles.clear();
        voiceFiles = {""};
        ASSERT_TRUE(player.openWith(&FAKE, "/staged/"));
    }
    void TearDown() override { player.close(); }

    // The calls the events made, as "what file" lines.
    std::vector<std::string> heard(const GameEvents& events) {
        calls.clear();
        player.hear(events, EYE, TARGET);
        return lines();
    }
    static std::vector<std::string> lines() {
        std::vector<std::string> out;
        for (const Call& call : calls)
            out.push_back(call.what + " " + call.file);
        return out;
    }

    SoundPlayer player;
    // The resting camera behind the mage at the centre: world +x is its left.
    const glm::vec3 EYE{0.0f, 5.0f, -5.0f};
    const glm::vec3 TARGET{0.0f};
};

GameEvent event(GameEventKind kind, int colour = NO_COLOUR, glm::vec3 where = glm::vec3(0.0f)) {
    return {kind, colour, where};
}

using Lines = std::vector<std::string>;

} // namespace

TEST_F(EventSounds, EachEventPlaysItsSoundFromWhereItHappened) {
    EXPECT_EQ(
        heard({event(GameEventKind::RUNE_LAID, 2), event(GameEventKind::RUNE_LAID, 3),
               event(GameEventKind::RUNE_SET_OFF, 0), event(GameEventKind::RUNE_READY, 1),
               event(GameEventKind::RUNE_REFUSED, 0), event(GameEventKind::TELEPORT_SINK),
               event(GameEventKind::TELEPORT_RISE), event(GameEventKind::MONSTER_RELEASED),
               event(GameEventKind::MONSTER_STRIKE), event(GameEventKind::MONSTER_DEATH)}),
        (Lines{"play laid_blue.wav", "play laid_white.wav", "play blast_red.wav",
               "play rune_ready.wav", "play rune_refused.wav", "play teleport_sink.wav",
               "play teleport_rise.wav", "play gate.wav", "play strike.wav", "play death.wav"}));
    // A strike on the camera's left is heard mostly on the left, at the
    // strike's level less its distance; a gate far across the arena more
    // quietly, from straight ahead.
    const glm::vec3 left(7.0f, 0.0f, 0.0f);
    heard({event(GameEventKind::MONSTER_STRIKE, NO_COLOUR, left)});
    const float strikeLevel = std::pow(10.0f, SOUNDS[SOUND_STRIKE].levelDb / 20.0f);
    EXPECT_NEAR(calls[0].left, strikeLevel * FULL_VOLUME_DISTANCE / glm::length(left - EYE), 1e-6f);
    EXPECT_LT(calls[0].right, 0.5f * calls[0].left);
    heard({event(GameEventKind::MONSTER_RELEASED, NO_COLOUR, glm::vec3(0.0f, 0.0f, 8.7f))});
    const float gateLevel = std::pow(10.0f, SOUNDS[SOUND_GATE].levelDb / 20.0f);
    EXPECT_LT(calls[0].left, 0.7f * gateLevel);
    EXPECT_FLOAT_EQ(calls[0].left, calls[0].right);
}

TEST_F(EventSounds, TheAmbienceFollowsThePauseUntilTheEndThenTheGatesFallSilent) {
    player.followPause(false);
    player.followPause(true);
    player.followPause(false);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(lines(), (Lines{"play ambience.wav", "pause ambience.wav", "resume ambience.wav"}));
    EXPECT_NE(calls[0].loops, 0);

    // The victory fades the ambience out over 1.5 s; a defeat after it stops
    // the victory's fanfare; a second defeat plays nothing.
    EXPECT_EQ(heard({event(GameEventKind::VICTORY)}),
              (Lines{"play victory.wav", "fadeOut ambience.wav"}));
    EXPECT_EQ(calls[1].milliseconds, 1500);
    EXPECT_EQ(heard({event(GameEventKind::DEFEAT), event(GameEventKind::DEFEAT)}),
              (Lines{"halt victory.wav", "play defeat.wav"}));
    // Over the end picture the ambience stays gone and monsters still
    // released come in silently; their strikes are still heard.
    calls.clear();
    player.followPause(true);
    player.followPause(false);
    EXPECT_EQ(lines(), Lines{});
    EXPECT_EQ(heard({event(GameEventKind::MONSTER_RELEASED), event(GameEventKind::MONSTER_STRIKE)}),
              (Lines{"play strike.wav"}));
}
