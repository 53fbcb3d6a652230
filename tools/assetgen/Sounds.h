#pragma once

#include "Synth.h"

#include "sound/SoundFiles.h"

// The game's sounds. Each voice returns its raw render, free to peak where
// it likes; synthesiseSound() finishes it for the file: DC removed, faded at
// both ends (the ambience instead loops seamlessly) and brought to the files'
// common peak.
Samples synthesiseSound(SoundId id);

// Rune sounds: a struck tone per colour when laid, a blast per trap colour,
// the teleport's downward and upward sweeps.
Samples laidTone(float fundamentalHz);
Samples redBlast();
Samples greenBlast();
Samples blueBlast();
Samples teleportSweep(float seconds, float fromHz, float toHz, uint32_t seed);
// A trap rune that would kill now: two soft notes rising a fifth. A rune key
// refused: a low buzz falling a fifth, "no".
Samples runeReadyChime();
Samples runeRefusedBuzz();

// Arena sounds: monsters through their gates, striking and dying, the end of
// the game and the arena's looping ambience.
Samples gateGong();
Samples monsterStrike();
Samples monsterDeath();
Samples victoryFanfare();
Samples defeatPhrase();
Samples arenaAmbience();
