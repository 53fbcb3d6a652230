#include "players/Demo.h"

#include "players/ScriptedKeys.h"
#include "world/GameWorld.h"
#include "players/ScriptedPlayer.h"
#include "game/Difficulty.h"
#include "game/GameMessages.h"

void Demo::start(GameWorld& world) {
    stop();
    keys = new ScriptedKeys;
    // The tutorial's technique never wins the standard game; the expert
    // wins it about a third of the time.
    const bool standard = world.difficulty == &STANDARD;
    player = new ScriptedPlayer(world, *keys, standard ? EXPERT : TUTORIAL_TECHNIQUE);
    playedMs = 0;
    setGameMessagesSilenced(true);
}

void Demo::chooseKeys(int elapsed) {
    if (player == nullptr)
        return;
    playedMs += elapsed;
    player->chooseKeys(playedMs);
}

void Demo::stop() {
    if (player == nullptr)
        return;
    delete player;
    delete keys;
    player = nullptr;
    keys = nullptr;
    setGameMessagesSilenced(false);
}
