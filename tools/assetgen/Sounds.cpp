#include "Sounds.h"

#include "game/Player.h"

namespace {

// The level of each sound in the mix, as the peak of its file in dBFS: the
// blasts loudest, the tones and sweeps well under them. The ambience is set
// by its RMS instead, quiet under everything.
const float AMBIENCE_RMS_DB = -27.0f;

struct Finish {
    float peakDb;
    float fadeInMs, fadeOutMs;
};

Finish finishOf(SoundId id) {
    switch (id) {
    case SOUND_BLAST_RED:
    case SOUND_BLAST_GREEN:
    case SOUND_BLAST_BLUE:
        return {-1.5f, 5.0f, 15.0f};
    case SOUND_GATE:
    case SOUND_STRIKE:
        return {-4.0f, 5.0f, 20.0f};
    case SOUND_VICTORY:
        return {-5.0f, 5.0f, 30.0f};
    case SOUND_DEFEAT: // fuller than the fanfare, so lower at the peak
        return {-8.0f, 5.0f, 30.0f};
    default: // the laid tones, the teleport and the death
        return {-7.0f, 5.0f, 15.0f};
    }
}

Samples render(SoundId id) {
    switch (id) {
    case SOUND_LAID_RED:
        return laidTone(523.25f); // C5
    case SOUND_LAID_GREEN:
        return laidTone(659.26f); // E5
    case SOUND_LAID_BLUE:
        return laidTone(783.99f); // G5
    case SOUND_LAID_WHITE:
        return laidTone(1046.5f); // C6
    case SOUND_BLAST_RED:
        return redBlast();
    case SOUND_BLAST_GREEN:
        return greenBlast();
    case SOUND_BLAST_BLUE:
        return blueBlast();
    case SOUND_TELEPORT_SINK:
        return teleportSweep(TELEPORT_SINK_MS / 1000.0f, 3200.0f, 220.0f, 0x5eed08);
    case SOUND_TELEPORT_RISE:
        return teleportSweep(TELEPORT_RISE_MS / 1000.0f, 220.0f, 3200.0f, 0x5eed09);
    case SOUND_GATE:
        return gateGong();
    case SOUND_STRIKE:
        return monsterStrike();
    case SOUND_DEATH:
        return monsterDeath();
    case SOUND_VICTORY:
        return victoryFanfare();
    case SOUND_DEFEAT:
        return defeatPhrase();
    default:
        return arenaAmbience();
    }
}

} // namespace

Samples synthesiseSound(SoundId id) {
    Samples samples = render(id);
    if (id == SOUND_AMBIENCE) {
        // No fades, which would dip at every pass of the loop: the loop is
        // continuous already and is started where it crosses zero.
        scaleTo(samples, fromDb(AMBIENCE_RMS_DB) / rmsOf(samples));
        startAtZeroCrossing(samples);
        return samples;
    }
    const Finish finish = finishOf(id);
    blockDc(samples);
    fadeEdges(samples, finish.fadeInMs, finish.fadeOutMs);
    scaleTo(samples, fromDb(finish.peakDb) / peakOf(samples));
    return samples;
}
