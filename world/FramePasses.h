#pragma once

class GameWorld;

// The passes of a frame beside the frame's own operations (GameWorld).

// The shadow pass starts: its target, culling and the light's view.
void beginShadowPass(GameWorld& world);
// Draws the mage into the shadow map, then starts the main pass with the
// scenery.
void beginMainPass(GameWorld& world);
// The mage in the main pass: see-through while it hides a monster from the
// camera.
void drawMage(GameWorld& world);
bool mageHidesAMonster(const GameWorld& world);
// Last in the main pass, with the rules' work done: the laid runes and
// their fountains.
void drawRunes(GameWorld& world, int elapsed);
