#include "Sounds.h"

#include "game/Player.h"
#include "sound/Decibels.h"

namespace {

// Each file is only faded at its ends and brought to the same peak,
// SOUND_FILE_PEAK_DB, for the most of 16 bits; its level in the mix is set
// in the game's table (SOUNDS).
struct Fades {
    float inMs, outMs;
};

Fades fadesOf(SoundId id) {
    switch (id) {
    case SOUND_BLAST_RED:
    case SOUND_BLAST_GREEN:
    case SOUND_BLAST_BLUE:
        return {5.0f, 15.0f};
    case SOUND_GATE:
    case SOUND_STRIKE:
        return {5.0f, 20.0f};
    case SOUND_VICTORY:
    case SOUND_DEFEAT:
        return {5.0f, 30.0f};
    default: // the tones, the teleport and the death
        return {5.0f, 15.0f};
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
    case SOUND_RUNE_READY:
        return runeReadyChime();
    case SOUND_RUNE_REFUSED:
        return runeRefusedBuzz();
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
        startAtZeroCrossing(samples);
    } else {
        const Fades fades = fadesOf(id);
        blockDc(samples);
        fadeEdges(samples, fades.inMs, fades.outMs);
    }
    scaleTo(samples, gainOfDecibels(SOUND_FILE_PEAK_DB) / peakOf(samples));
    return samples;
}
