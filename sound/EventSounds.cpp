// What the game's events sound like: each event plays its sound from where
// it happened, as the camera hears it, and changes nothing in the game.
#include "sound/SoundPlayer.h"

namespace {

const SoundId LAID_SOUNDS[4] = {SOUND_LAID_RED, SOUND_LAID_GREEN, SOUND_LAID_BLUE,
                                SOUND_LAID_WHITE};
const SoundId BLAST_SOUNDS[3] = {SOUND_BLAST_RED, SOUND_BLAST_GREEN, SOUND_BLAST_BLUE};

// The sound a placed event plays, or SOUND_COUNT for none.
SoundId soundOf(const GameEvent& event) {
    switch (event.kind) {
    case GameEventKind::RUNE_LAID:
        return event.colour >= 0 && event.colour < 4 ? LAID_SOUNDS[event.colour] : SOUND_COUNT;
    case GameEventKind::RUNE_SET_OFF:
        return event.colour >= 0 && event.colour < 3 ? BLAST_SOUNDS[event.colour] : SOUND_COUNT;
    case GameEventKind::RUNE_READY:
        return SOUND_RUNE_READY;
    case GameEventKind::RUNE_REFUSED:
        return SOUND_RUNE_REFUSED;
    case GameEventKind::TELEPORT_SINK:
        return SOUND_TELEPORT_SINK;
    case GameEventKind::TELEPORT_RISE:
        return SOUND_TELEPORT_RISE;
    case GameEventKind::MONSTER_RELEASED:
        return SOUND_GATE;
    case GameEventKind::MONSTER_STRIKE:
        return SOUND_STRIKE;
    case GameEventKind::MONSTER_DEATH:
        return SOUND_DEATH;
    default:
        return SOUND_COUNT;
    }
}

} // namespace

void SoundPlayer::hear(const GameEvents& events, glm::vec3 eye, glm::vec3 target) {
    for (const GameEvent& event : events) {
        if (event.kind == GameEventKind::VICTORY) {
            playEnding(SOUND_VICTORY);
        } else if (event.kind == GameEventKind::DEFEAT) {
            playEnding(SOUND_DEFEAT);
        } else if (event.kind == GameEventKind::MONSTER_RELEASED && ended) {
            // Over the end picture the monsters still released come in silently.
        } else {
            const SoundId id = soundOf(event);
            if (id != SOUND_COUNT)
                play(id, placeSound(eye, target, event.where));
        }
    }
}
