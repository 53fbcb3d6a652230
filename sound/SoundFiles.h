#pragma once

// The game's sounds: one WAV file each under SOUND_FOLDER, written by the
// asset generator, and each sound's level and voices in the mix. This table
// is the one place where a sound's loudness is set.

enum SoundId {
    SOUND_LAID_RED, // a rune laid, one tone per colour
    SOUND_LAID_GREEN,
    SOUND_LAID_BLUE,
    SOUND_LAID_WHITE,
    SOUND_BLAST_RED, // a trap rune set off, as long as its blast
    SOUND_BLAST_GREEN,
    SOUND_BLAST_BLUE,
    SOUND_TELEPORT_SINK,
    SOUND_TELEPORT_RISE,
    SOUND_GATE,   // a monster released through its gate
    SOUND_STRIKE, // a monster's strike on the mage
    SOUND_DEATH,  // a monster's death
    SOUND_VICTORY,
    SOUND_DEFEAT,
    SOUND_AMBIENCE,     // the arena, looped while the game runs
    SOUND_RUNE_READY,   // a trap rune would kill a monster if set off now
    SOUND_RUNE_REFUSED, // a rune key refused: too close to another rune
    SOUND_COUNT
};

// Every file: 16-bit PCM, one channel, at this rate, its peak at
// SOUND_FILE_PEAK_DB; the mixer opens the device at the same rate, in stereo,
// and places each sound itself.
const int SOUND_RATE = 44100;
const float SOUND_FILE_PEAK_DB = -1.0f;

// The mix's limiter holds every output sample at or under this, which keeps
// the peaks between samples under -1 dBTP.
const float SOUND_CEILING_DB = -2.0f;

// Beside the game's executable, as its sound module is.
const char* const SOUND_FOLDER = "sounds/";

struct SoundEntry {
    const char* file;
    // The gain the file is mixed at, before placement. The levels follow a
    // played game's loudness (about -23 LUFS over a minute of play): the
    // blasts loudest, a strike and the end of the game a little below, the
    // gates, teleport and deaths lower, the rune tones softer still, and the
    // ambience 12 to 15 LU under the game.
    float levelDb;
    // How many of the sound may play at once; beyond that the oldest gives
    // way. Enough for every voice the game can start within one sound's
    // length, so a blast never gives way.
    int voices;
};

// clang-format off
constexpr SoundEntry SOUNDS[SOUND_COUNT] = {
    {"laid_red.wav",      -15.5f, 2},
    {"laid_green.wav",    -15.5f, 2},
    {"laid_blue.wav",     -15.5f, 2},
    {"laid_white.wav",    -16.5f, 2}, // the highest tone, heard as the loudest
    {"blast_red.wav",     -11.0f, 2}, // the loudest moments of a game
    {"blast_green.wav",   -14.0f, 2},
    {"blast_blue.wav",    -15.5f, 2},
    {"teleport_sink.wav", -15.5f, 2},
    {"teleport_rise.wav", -14.0f, 2},
    {"gate.wav",          -15.0f, 4},
    {"strike.wav",         -6.0f, 4}, // low and short: a high gain for its loudness
    {"death.wav",         -12.0f, 4},
    {"victory.wav",       -13.0f, 1},
    {"defeat.wav",        -15.0f, 1},
    {"ambience.wav",      -24.0f, 1}, // about -36.5 LUFS, under everything
    {"rune_ready.wav",    -21.0f, 2}, // soft: a hint, not an alarm
    {"rune_refused.wav",  -17.5f, 2},
};
// clang-format on
