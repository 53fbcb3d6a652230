#pragma once

class Player;

// What the player's update or teleport step can change that is heard: the
// runes laid and set off and the teleport's sinking. Taken before the step
// and compared after it (GameWorld::cuePlayerEvents).
struct PlayerSoundState {
    bool laid[4];     // red, green, blue, white: the colour's placed flag
    bool blasting[3]; // red, green, blue: the colour's active flag
    bool sinking;     // the teleport's shrink phase is running
};

PlayerSoundState soundStateOf(const Player& player);
