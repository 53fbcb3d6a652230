#pragma once

#include <assimp/anim.h>
#include <assimp/material.h>
#include <assimp/mesh.h>
#include <assimp/scene.h>

#include <string>
#include <utility>
#include <vector>

// Small ".x" models written by the tests themselves.

// A quad from (-1, 0, -1) to (1, 2, 1) split over two materials: a red one
// without a texture and one whose texture is "maps\skin.bmp".
extern const char* const QUAD_MODEL;
// A quad hung on two bones; its animation "Bend" turns the upper bone a
// half turn about z at tick 20 and back at tick 40.
extern const char* const SKINNED_MODEL;

// The same quad without any material.
extern const char* const PLAIN_QUAD_MODEL;

// Writes text to a file under this test program's own temporary folder,
// creating the folders on the way, and returns the file's path.
std::string writeFixture(const std::string& relativePath, const std::string& text);
// A 24-bit BMP of the given size under the same folder; returns its path.
std::string writeBmpFixture(const std::string& relativePath, int width, int height);

// Importer scenes built in memory, for cases the importer never delivers.
// Every mesh is owned by the scene that lists it.

// A triangle in the z = 0 plane with normals and one face.
aiMesh* makeTriangleMesh(unsigned materialIndex = 0);
aiBone* makeBone(const std::string& name, const std::vector<std::pair<unsigned, float>>& weights,
                 const aiMatrix4x4& offset = aiMatrix4x4());
void attachBones(aiMesh* mesh, const std::vector<aiBone*>& bones);
aiMaterial* makeMaterial();
aiMaterial* makeColoredMaterial(const aiColor4D& diffuse);
// A root node named "Root" that lists every mesh.
aiScene* makeScene(const std::vector<aiMesh*>& meshes, const std::vector<aiMaterial*>& materials);
aiNode* addChildNode(aiNode* parent, const std::string& name);

aiNodeAnim* makeChannel(const std::string& nodeName);
void setPositionKeys(aiNodeAnim* channel, const std::vector<std::pair<double, aiVector3D>>& keys);
void setRotationKeys(aiNodeAnim* channel, const std::vector<std::pair<double, aiQuaternion>>& keys);
void setScalingKeys(aiNodeAnim* channel, const std::vector<std::pair<double, aiVector3D>>& keys);
aiAnimation* makeAnimation(double duration, const std::vector<aiNodeAnim*>& channels);
void attachAnimation(aiScene* scene, aiAnimation* animation);
