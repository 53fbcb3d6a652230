#include "model/Model.h"

#include "model/Animator.h"
#include "model/Mesh.h"
#include "model/MeshLoading.h"
#include "render/Texture.h"

#include <SDL.h>
#include <assimp/cimport.h>
#include <assimp/material.h>
#include <assimp/scene.h>
#include <glm/gtc/matrix_transform.hpp>

#include <cmath>
#include <cstdio>

namespace {

// The importer's preset for real-time use at maximum quality.
const unsigned IMPORT_FLAGS = 0x379ECB;

const aiScene* importScene(const std::string& path) {
    aiPropertyStore* properties = aiCreatePropertyStore();
    aiSetImportPropertyInteger(properties, "IMPORT_TER_MAKE_UVS", 1);
    aiSetImportPropertyFloat(properties, "PP_GSN_MAX_SMOOTHING_ANGLE", 80.0f);
    // Points and lines cannot be drawn as triangles: drop them.
    aiSetImportPropertyInteger(properties, "PP_SBP_REMOVE", 3);
    const aiScene* imported =
        aiImportFileExWithProperties(path.c_str(), IMPORT_FLAGS, nullptr, properties);
    aiReleasePropertyStore(properties);
    return imported;
}

float rootOfSquares(float a, float b) {
    return std::sqrt(a * a + b * b);
}

} // namespace

Model::Model(const std::string& path, Light* light, Camera* camera, ShaderProgram* shader)
    : filePath(path), shader(shader), light(light), camera(camera) {}

bool Model::load() {
    if (loaded)
        return true;
    scene = importScene(filePath);
    if (scene == nullptr) {
        fprintf(stderr, "Loading model failed.\n");
        fflush(stderr);
        return false;
    }
    boundsMin = glm::vec3(1e10f);
    boundsMax = glm::vec3(-1e10f);
    computeBounds(scene, scene->mRootNode, boundsMin, boundsMax);
    sceneCenter = (boundsMin + boundsMax) * 0.5f;

    meshCount = static_cast<int32_t>(scene->mNumMeshes);
    loadMaterialTextures(scene);
    if (!loadMeshes(scene))
        return false;

    const float s = scaleFactor();
    printf("Scale factor: %4.2f\n", s);
    printf("Scene center at: %4.2f, %4.2f, %4.2f\n", sceneCenter.x, sceneCenter.y, sceneCenter.z);
    modelMatrix = modelMatrix * glm::scale(glm::mat4(1.0f), glm::vec3(s));
    modelMatrix = modelMatrix * glm::translate(glm::mat4(1.0f), -s * sceneCenter);
    // The time spent loading must not count as animation time.
    lastTicks = SDL_GetTicks();
    baseMatrix = modelMatrix;
    printf("%s -> initialized.\n\n", filePath.c_str());
    fflush(stdout);
    loaded = true;
    return true;
}

void Model::loadMaterialTextures(const aiScene* source) {
    materialTextures.assign(source->mNumMaterials, -1);
    printf("Number of Materials: %d\n", static_cast<int>(source->mNumMaterials));
    for (unsigned m = 0; m < source->mNumMaterials; ++m) {
        const aiMaterial* material = source->mMaterials[m];
        printf("Number of Ambient Textures: %d\n",
               static_cast<int>(aiGetMaterialTextureCount(material, aiTextureType_AMBIENT)));
        printf("Number of Diffuse Textures: %d\n",
               static_cast<int>(aiGetMaterialTextureCount(material, aiTextureType_DIFFUSE)));
        printf("Number of Specular Textures: %d\n",
               static_cast<int>(aiGetMaterialTextureCount(material, aiTextureType_SPECULAR)));
        aiString texturePath;
        if (aiGetMaterialTextureCount(material, aiTextureType_DIFFUSE) == 0 ||
            aiGetMaterialTexture(material, aiTextureType_DIFFUSE, 0, &texturePath) !=
                aiReturn_SUCCESS) {
            printf("No texture to load.\n");
            continue;
        }
        const std::string file = textureFilePath(filePath, texturePath.C_Str());
        printf("%s\n", file.c_str());
        fflush(stdout);
        SDL_Surface* image = loadBmp(file);
        if (image == nullptr) {
            printf("No texture found.\n");
            continue;
        }
        materialTextures[m] = static_cast<GLint>(uploadTexture(image));
    }
    fflush(stdout);
}

bool Model::loadMeshes(const aiScene* source) {
    meshes.assign(source->mNumMeshes, nullptr);
    for (unsigned i = 0; i < source->mNumMeshes; ++i) {
        const aiMesh* imported = source->mMeshes[i];
        if (imported->mNumFaces == 0 || imported->mNumVertices == 0)
            continue;
        const char* rejection = meshRejection(imported);
        if (rejection != nullptr) {
            fprintf(stderr, "%s\n", rejection);
            fflush(stderr);
            continue;
        }
        Mesh* mesh = new Mesh();
        mesh->materialIndex = static_cast<int32_t>(imported->mMaterialIndex);
        mesh->faceCount = static_cast<int32_t>(imported->mNumFaces);
        mesh->vertexCount = static_cast<int32_t>(imported->mNumVertices);
        mesh->boneCount = static_cast<int32_t>(imported->mNumBones);
        meshes[i] = mesh;
        fillVertexArrays(*mesh, source, imported);
        fillIndices(*mesh, imported);
        if (!fillBoneInfluences(*mesh, imported)) {
            fprintf(stderr, "The model has invalid bone weights and is not loaded.\n");
            fflush(stderr);
            return false;
        }
    }
    return true;
}

// One over the root of the sum of the squares of all six bound components;
// every root is kept in single precision.
float Model::scaleFactor() const {
    const float ax = rootOfSquares(boundsMin.x, boundsMax.x);
    const float ay = rootOfSquares(boundsMin.y, boundsMax.y);
    const float az = rootOfSquares(boundsMin.z, boundsMax.z);
    const float length = std::sqrt(ax * ax + ay * ay + az * az);
    return 1.0f / length;
}

bool Model::createAnimator() {
    if (scene == nullptr || scene->mAnimations == nullptr || scene->mNumAnimations == 0 ||
        animator != nullptr)
        return false;
    animator = new Animator(scene);
    return true;
}

// Vertices as the meshes store them: node transformations are not applied.
void computeBounds(const aiScene* scene, const aiNode* node, glm::vec3& minimum,
                   glm::vec3& maximum) {
    if (scene == nullptr || node == nullptr)
        return;
    for (unsigned i = 0; i < node->mNumMeshes; ++i) {
        if (node->mMeshes[i] >= scene->mNumMeshes)
            continue;
        const aiMesh* mesh = scene->mMeshes[node->mMeshes[i]];
        for (unsigned v = 0; v < mesh->mNumVertices && mesh->mVertices != nullptr; ++v) {
            const glm::vec3 p(mesh->mVertices[v].x, mesh->mVertices[v].y, mesh->mVertices[v].z);
            minimum = glm::min(minimum, p);
            maximum = glm::max(maximum, p);
        }
    }
    for (unsigned c = 0; c < node->mNumChildren; ++c)
        computeBounds(scene, node->mChildren[c], minimum, maximum);
}

// Texture paths are relative to the model's folder, whatever slashes either
// path uses.
std::string textureFilePath(const std::string& modelPath, const std::string& texturePath) {
    const std::string model = replaceAll(modelPath, "\\", "/");
    const std::size_t lastSlash = model.rfind('/');
    const std::string folder = lastSlash == std::string::npos ? "" : model.substr(0, lastSlash + 1);
    return folder + replaceAll(texturePath, "\\", "/");
}

std::string replaceAll(std::string subject, const std::string& find,
                       const std::string& replacement) {
    if (find.empty())
        return subject;
    // Searching again from the start would never end when the replacement
    // brings the text back; then each occurrence is replaced once.
    const bool reappears = replacement.find(find) != std::string::npos;
    std::size_t from = 0;
    std::size_t at;
    while ((at = subject.find(find, from)) != std::string::npos) {
        subject.replace(at, find.size(), replacement);
        from = reappears ? at + replacement.size() : 0;
    }
    return subject;
}
