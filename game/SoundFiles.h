#pragma once

// The game's sounds, one WAV file each under SOUND_FOLDER, written by the
// asset generator and played when the event of the same name happens.

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
    SOUND_AMBIENCE, // the arena, looped while the game runs
    SOUND_COUNT
};

const char* const SOUND_FOLDER = "../bin/sounds/";

const char* const SOUND_FILES[SOUND_COUNT] = {
    "laid_red.wav",    "laid_green.wav", "laid_blue.wav",     "laid_white.wav",    "blast_red.wav",
    "blast_green.wav", "blast_blue.wav", "teleport_sink.wav", "teleport_rise.wav", "gate.wav",
    "strike.wav",      "death.wav",      "victory.wav",       "defeat.wav",        "ambience.wav",
};

// Every file: 16-bit PCM, one channel, at this rate; the mixer opens the
// device at the same rate, in stereo, and places each sound itself.
const int SOUND_RATE = 44100;

// The volume of each sound in the mix, on the mixer's scale of 0 to 128.
// Every sound plays on a channel of its own, so at most one of each sounds at
// a time; with all of them at once, each at its volume and at its file's
// peak, the mix still stays within full scale (the asset tests hold the
// files to that). Within that room the levels follow the files' measured
// loudness (RMS): the blasts loudest, a strike and the end of the game a
// little below them, the gate, teleport and deaths a little lower, the rune
// tones softer still, and the ambience quietest, under everything.
const int SOUND_VOLUMES[SOUND_COUNT] = {
    15, 15, 15, 15, // laid: red, green, blue, white
    13, 12, 10,     // blast: red, green, blue
    14, 16,         // teleport: sink, rise
    13,             // gate
    27,             // strike
    20,             // death
    18, 18,         // victory, defeat
    15,             // ambience
};
