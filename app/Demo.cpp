#include "app/Demo.h"

#include "app/ScriptedKeys.h"
#include "app/ScriptedPlayer.h"
#include "game/GameMessages.h"

void Demo::start(GameWorld& world) {
    stop();
    keys = new ScriptedKeys;
    player = new ScriptedPlayer(world, *keys, TUTORIAL_TECHNIQUE);
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
