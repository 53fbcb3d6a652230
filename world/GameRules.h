#pragma once

class GameWorld;

// The rules of one frame, in their one order: the monsters are updated and
// judged twice with the same elapsed time, then the player, then the trap
// runes' readiness. While drawing, the monsters' first run happens in the
// shadow pass and the rest in the main pass.
void playRules(GameWorld& world, int elapsed);

// What the runes' cues show, from the state a frame of `frameMs` leaves:
// after the monsters' second update and the player's.
void judgeRuneReadiness(GameWorld& world, int frameMs);
