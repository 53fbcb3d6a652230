// The sounds of the game's events: each cue follows a change the rules have
// already made and changes nothing itself.
#include "app/GameSounds.h"

#include "app/GameWorld.h"
#include "app/SoundPlayer.h"
#include "game/Monster.h"
#include "game/Player.h"
#include "model/Model.h"
#include "render/Camera.h"

namespace {

const SoundId LAID_SOUNDS[4] = {SOUND_LAID_RED, SOUND_LAID_GREEN, SOUND_LAID_BLUE,
                                SOUND_LAID_WHITE};
const SoundId BLAST_SOUNDS[3] = {SOUND_BLAST_RED, SOUND_BLAST_GREEN, SOUND_BLAST_BLUE};

glm::vec3 origin(const glm::mat4& matrix) {
    return glm::vec3(matrix * glm::vec4(0, 0, 0, 1));
}

} // namespace

PlayerSoundState soundStateOf(const Player& player) {
    return {{player.redPlaced, player.greenPlaced, player.bluePlaced, player.whitePlaced},
            {player.redActive, player.greenActive, player.blueActive},
            player.shrinkTime > 0};
}

void GameWorld::cue(SoundId id, glm::vec3 where) const {
    if (sound == nullptr)
        return;
    sound->play(id, camera != nullptr ? placeSound(camera->eye, camera->target, where)
                                      : SoundPlacement());
}

// Where the monster stands now: its `position` is refreshed only by its own
// update, which a monster just released has not had yet.
void GameWorld::cue(SoundId id, const Monster& monster) const {
    cue(id, origin(monster.worldMatrix));
}

void GameWorld::cuePlayerEvents(const PlayerSoundState& before) const {
    if (sound == nullptr)
        return;
    const PlayerSoundState now = soundStateOf(*player);
    const glm::vec3 runeAt[4] = {player->redPos, player->greenPos, player->bluePos,
                                 player->whiteRunePos};
    for (int colour = 0; colour < 4; ++colour)
        if (now.laid[colour] && !before.laid[colour])
            cue(LAID_SOUNDS[colour], runeAt[colour]);
    for (int colour = 0; colour < 3; ++colour)
        if (now.blasting[colour] && !before.blasting[colour])
            cue(BLAST_SOUNDS[colour], runeAt[colour]);
    // The mage sinks where it stands and rises where the white rune lies.
    const glm::vec3 mage = origin(player->model->modelMatrix);
    if (now.sinking && !before.sinking)
        cue(SOUND_TELEPORT_SINK, mage);
    if (before.sinking && !now.sinking)
        cue(SOUND_TELEPORT_RISE, mage);
}

void GameWorld::cueEnding(SoundId ending) const {
    if (sound != nullptr)
        sound->playEnding(ending);
}
