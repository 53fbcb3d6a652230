#pragma once

struct aiMesh;
struct aiScene;
struct Mesh;

// Why an importer mesh cannot be drawn, as the console line that says so;
// nullptr when the mesh is fit to convert.
const char* meshRejection(const aiMesh* source);

// Positions, normals, colours and texture coordinates of every vertex, then
// the three indices of every face. The scene gives the material colour.
void fillVertexArrays(Mesh& mesh, const aiScene* scene, const aiMesh* source);
void fillIndices(Mesh& mesh, const aiMesh* source);

// Up to four (bone, weight) pairs per vertex; false when a vertex carries
// more, which the shader cannot apply.
bool fillBoneInfluences(Mesh& mesh, const aiMesh* source);
