#pragma once

#include <glm/glm.hpp>

#include <cstdint>
#include <string>
#include <vector>

class Model;
class ShaderProgram;

// The generated asset files, read the way the game reads them: from the
// staged "../bin/objects/" folder, through the game's own Model code, with the
// placements start-up gives each model before loading it.

extern const char* const MODEL_NAMES[14];

std::string modelPath(const std::string& name);
// The staged file of a sound (a SoundId), beside the staged executable.
std::string soundPath(int id);

// Start-up's placement of the named model, as applied before its load.
glm::mat4 startPlacement(const std::string& name);

// The model program of the game (needs the GL context).
ShaderProgram* modelProgram();

// A fresh model, placed as at start-up and loaded; null when the load fails.
// Monsters get only their kind's placement (a spawn corner comes on top).
Model* loadPlacedModel(const std::string& name);

// The translation of spawn corner 0 to 3, in the monster model's frame.
glm::mat4 spawnCorner(int corner);

struct WorldVertex {
    glm::vec3 position;
    glm::vec3 normal;
    std::string bone; // the bone with the largest weight, empty when none
};

// Every vertex of every mesh as the model matrix puts it in the world (node
// transforms are not applied, as in the game's drawing).
std::vector<WorldVertex> worldVertices(const Model& model, const glm::mat4& matrix);

// The triangles of every mesh, three world points each; those of the meshes
// of one material left out when it is given.
std::vector<glm::vec3> worldTriangles(const Model& model, const glm::mat4& matrix,
                                      int leftOutMaterial = -1);

// Mean world position of the vertices dominated by one of the named bones.
bool boneCentroid(const std::vector<WorldVertex>& vertices, const std::vector<std::string>& bones,
                  glm::vec3& centroid);

void worldExtent(const std::vector<WorldVertex>& vertices, glm::vec3& low, glm::vec3& high);

// A RIFF/WAVE file as read chunk by chunk: its format fields and, for 16-bit
// files, its samples. `error` names what did not parse.
struct WavFile {
    std::string error;
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<int16_t> samples;
};

WavFile readWav(const std::string& path);
