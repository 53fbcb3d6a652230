#pragma once

#include "XModel.h"

#include <string>

// Writes the model as a text ".x" file ("xof 0303txt 0032").
//
// The game's importer reads ".x" files as left-handed: it negates z of every
// position, normal and matrix and reverses the corner order of every face.
// The writer applies the model's placement and the same z mirror, and keeps
// the design's counter-clockwise order in the file, so after the import the
// model stands in the model frame the placement asks for and its visible
// faces wind clockwise on screen, as the game's front-face culling wants.
bool writeXFile(const XModel& model, const std::string& path);

// The design-to-model transform of a placement as a matrix.
glm::mat4 placementMatrix(const Placement& placement);
