#pragma once

#include "Image.h"

class TextRenderer;

// The pad overlay, the picture's size with alpha: the gamepad's buttons
// beside the tutorial's key rows, and Start beside its prompt to play. The
// game lays it over the tutorial while a pad plays.
Image tutorialPadOverlay(TextRenderer& bold, TextRenderer& regular);
