#pragma once

#include "render/GL.h"

#include <glm/glm.hpp>

#include <cstdint>
#include <string>
#include <vector>

struct aiScene;
struct aiNode;
struct Mesh;
class Animator;
class Camera;
class Light;
class ShaderProgram;

// One ".x" model: the imported scene, its draw-ready meshes and textures, and
// the matrix it is drawn with. Objects that share a model write their own
// matrix into modelMatrix for their draw and restore it afterwards.
class Model {
  public:
    Model(const std::string& path, Light* light, Camera* camera, ShaderProgram* shader);

    // Imports and prepares everything; true when the model is usable.
    bool load();
    float scaleFactor() const;
    // Creates the animator when the scene has an animation and none exists.
    bool createAnimator();

    // The steps of load that read the scene, apart so that scenes built in
    // memory can go through them too.
    void loadMaterialTextures(const aiScene* source);
    // False when a vertex has more than four bone weights (the load fails).
    bool loadMeshes(const aiScene* source);

    void multiplyModelMatrix(glm::mat4 t);
    void setModelMatrix(glm::mat4 t);
    void saveBaseMatrix();
    void restoreModelMatrix();

    void draw();
    void drawNode(const aiNode* node);

    const aiScene* scene = nullptr;
    glm::vec3 boundsMin{0.0f};
    glm::vec3 boundsMax{0.0f};
    glm::vec3 sceneCenter{0.0f};
    glm::mat4 modelMatrix{1.0f};
    glm::mat4 baseMatrix{1.0f};
    std::string filePath;
    int32_t meshCount = 0;
    std::vector<Mesh*> meshes;
    std::vector<GLint> materialTextures; // -1: the material has no texture
    ShaderProgram* shader;
    Light* light;
    Camera* camera;
    Animator* animator = nullptr;
    int32_t hasShadow = 1;
    bool loaded = false;
};

// The bounds walk: every vertex of every mesh a node lists, then its children.
void computeBounds(const aiScene* scene, const aiNode* node, glm::vec3& minimum,
                   glm::vec3& maximum);

// The inverse transpose of the upper-left 3x3, which keeps normals
// perpendicular to surfaces under non-uniform scales.
glm::mat3 normalMatrixOf(const glm::mat4& modelMatrix);

std::string textureFilePath(const std::string& modelPath, const std::string& texturePath);
std::string replaceAll(std::string subject, const std::string& find,
                       const std::string& replacement);
