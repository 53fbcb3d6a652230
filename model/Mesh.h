#pragma once

#include <cstdint>
#include <vector>

// One importer mesh converted into flat client-memory arrays laid out exactly
// as the model program's attributes take them.
struct Mesh {
    std::vector<float> positions;   // 4 per vertex, w = 1
    std::vector<float> normals;     // 3 per vertex
    std::vector<float> colors;      // 4 per vertex
    std::vector<float> uvs;         // 2 per vertex
    std::vector<float> boneWeights; // 4 per vertex
    std::vector<float> boneIndices; // 4 per vertex, bone numbers as floats
    std::vector<uint32_t> indices;  // 3 per face
    int32_t materialIndex = -1;
    int32_t faceCount = 0;
    int32_t vertexCount = 0;
    int32_t boneCount = 0;
};

class Model;

// Draws the mesh in slot meshNumber of the model; an empty or unknown slot
// draws nothing.
void drawMesh(Model& model, unsigned meshNumber);
