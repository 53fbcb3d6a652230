#pragma once

#include "render/GL.h"
#include "render/PaintedArea.h"

#include <unordered_map>

// Loads an interface picture from the interface folder; 0 (and "No texture
// found.") when unreadable. Where it is painted goes into `painted` when
// given.
GLuint loadInterfacePicture(const char* fileName, PaintedArea* painted = nullptr);

// The display's pictures beside the thirteen of the game, and where each
// picture that covers the whole window is painted, so that it is blended
// only there.
struct DisplayPictures {
    GLuint counterGlyphs = 0;      // digits and the life meter of the counters
    GLuint runeMarkCells = 0;      // colours of the marks over laid trap runes
    GLuint tutorialPadTexture = 0; // the pad's buttons beside the tutorial's keys
    GLuint markerCells = 0;        // the fight's marks: edge markers, facing, squares
    // Where each loaded whole-window picture is painted, by texture name.
    std::unordered_map<GLuint, PaintedArea> paintedAreas;

    // Loads a whole-window picture and keeps where it is painted.
    GLuint load(const char* fileName);
};
