#include "model/MeshLoading.h"

#include "model/Mesh.h"

#include <assimp/material.h>
#include <assimp/mesh.h>
#include <assimp/scene.h>

#include <utility>
#include <vector>

namespace {

const aiColor4D GREY(0.5f, 0.5f, 0.5f, 1.0f);

// Vertices without colours of their own take their material's diffuse colour,
// opaque; grey when the material is unknown or names no colour.
aiColor4D materialColor(const aiScene* scene, const aiMesh* source) {
    if (scene == nullptr || scene->mMaterials == nullptr ||
        source->mMaterialIndex >= scene->mNumMaterials)
        return GREY;
    aiColor4D color = GREY;
    aiGetMaterialColor(scene->mMaterials[source->mMaterialIndex], "$clr.diffuse", 0, 0, &color);
    color.a = 1.0f;
    return color;
}

// A stored coordinate of exactly zero is taken as "no coordinate" and stays
// (0, 0) rather than being flipped to (0, 1).
void storeUv(Mesh& mesh, const aiMesh* source, unsigned v) {
    if (source->mTextureCoords[0] == nullptr)
        return;
    const aiVector3D& uv = source->mTextureCoords[0][v];
    if (uv.x == 0.0f && uv.y == 0.0f && uv.z == 0.0f)
        return;
    mesh.uvs[2 * v] = uv.x;
    mesh.uvs[2 * v + 1] = 1.0f - uv.y;
}

} // namespace

const char* meshRejection(const aiMesh* source) {
    if (source->mVertices == nullptr)
        return "A mesh of the model has no vertices and is not loaded.";
    if (source->mNormals == nullptr)
        return "A mesh of the model has no normals and is not loaded.";
    if (source->mFaces == nullptr)
        return "A mesh of the model has no polygon faces and is not loaded.";
    return nullptr;
}

void fillVertexArrays(Mesh& mesh, const aiScene* scene, const aiMesh* source) {
    const unsigned count = source->mNumVertices;
    mesh.positions.assign(4 * count, 0.0f);
    mesh.normals.assign(3 * count, 0.0f);
    mesh.colors.assign(4 * count, 0.0f);
    mesh.uvs.assign(2 * count, 0.0f);
    const aiColor4D fallback = materialColor(scene, source);
    for (unsigned v = 0; v < count; ++v) {
        const aiVector3D& p = source->mVertices[v];
        const aiVector3D& n = source->mNormals[v];
        const aiColor4D c = source->mColors[0] != nullptr ? source->mColors[0][v] : fallback;
        float* position = &mesh.positions[4 * v];
        position[0] = p.x;
        position[1] = p.y;
        position[2] = p.z;
        position[3] = 1.0f;
        mesh.normals[3 * v] = n.x;
        mesh.normals[3 * v + 1] = n.y;
        mesh.normals[3 * v + 2] = n.z;
        mesh.colors[4 * v] = c.r;
        mesh.colors[4 * v + 1] = c.g;
        mesh.colors[4 * v + 2] = c.b;
        mesh.colors[4 * v + 3] = c.a;
        storeUv(mesh, source, v);
    }
}

void fillIndices(Mesh& mesh, const aiMesh* source) {
    mesh.indices.assign(3 * static_cast<std::size_t>(source->mNumFaces), 0u);
    for (unsigned f = 0; f < source->mNumFaces; ++f) {
        const aiFace& face = source->mFaces[f];
        // After triangulation every face has three corners; a stray
        // smaller face keeps vertex 0 in its missing corners.
        for (unsigned k = 0; k < 3 && k < face.mNumIndices; ++k)
            mesh.indices[3 * f + k] = face.mIndices[k];
    }
}

bool fillBoneInfluences(Mesh& mesh, const aiMesh* source) {
    const unsigned count = source->mNumVertices;
    mesh.boneWeights.assign(4 * count, 0.0f);
    mesh.boneIndices.assign(4 * count, 0.0f);
    if (source->mNumBones == 0 || source->mBones == nullptr)
        return true;
    std::vector<std::vector<std::pair<unsigned, float>>> influences(count);
    for (unsigned b = 0; b < source->mNumBones; ++b) {
        const aiBone* bone = source->mBones[b];
        for (unsigned w = 0; w < bone->mNumWeights; ++w) {
            const aiVertexWeight& weight = bone->mWeights[w];
            // A weight naming a vertex the mesh does not have cannot be
            // stored anywhere; it is dropped.
            if (weight.mVertexId < count)
                influences[weight.mVertexId].emplace_back(b, weight.mWeight);
        }
    }
    for (unsigned v = 0; v < count; ++v) {
        if (influences[v].size() > 4)
            return false;
        for (std::size_t k = 0; k < influences[v].size(); ++k) {
            mesh.boneIndices[4 * v + k] = static_cast<float>(influences[v][k].first);
            mesh.boneWeights[4 * v + k] = influences[v][k].second;
        }
    }
    return true;
}
