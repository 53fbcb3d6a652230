#pragma once

class GameWorld;

// The marks that show the whole fight, over the scene: where the monsters
// stop, the mage's facing, the square of a rune that refused a key, and a
// marker at the picture's edge for every living monster out of sight.
void drawFightMarks(GameWorld& world);
