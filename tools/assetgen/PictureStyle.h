#pragma once

#include <glm/glm.hpp>

// The colours the interface pictures share.
const glm::vec4 GOLD(0.95f, 0.78f, 0.35f, 1.0f);
const glm::vec4 PANEL(0.07f, 0.06f, 0.11f, 0.82f);
// How much whiter than its rune's colour a kill square's fill is, and its
// outline while a monster is headed onto it, than the fill.
const float MARK_FILL_WHITENING = 0.4f;
const float MARK_HEADED_WHITENING = 0.3f;
// Red, green, blue, white.
const glm::vec4 RUNE_COLOURS[4] = {{1.0f, 0.3f, 0.22f, 1.0f},
                                   {0.35f, 0.95f, 0.3f, 1.0f},
                                   {0.3f, 0.6f, 1.0f, 1.0f},
                                   {0.95f, 0.95f, 1.0f, 1.0f}};
