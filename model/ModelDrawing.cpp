#include "model/Model.h"

#include "model/Animator.h"
#include "model/Mesh.h"
#include "render/ShaderProgram.h"

#include <SDL.h>
#include <assimp/scene.h>
#include <glm/gtc/type_ptr.hpp>

namespace {

GLint uniformLocation(const Model& model, const char* name) {
    return glGetUniformLocation(model.shader->program, name);
}

} // namespace

glm::mat3 normalMatrixOf(const glm::mat4& modelMatrix) {
    return glm::transpose(glm::inverse(glm::mat3(modelMatrix)));
}

void Model::draw() {
    if (animator != nullptr) {
        advanceAnimationClock(SDL_GetTicks());
        animator->sampleAnimation(20.0);
    }
    // A model built without a program has nowhere to draw to.
    if (shader == nullptr)
        return;
    const glm::mat3 normal = normalMatrixOf(modelMatrix);
    glUniformMatrix3fv(uniformLocation(*this, "normalMatrix"), 1, GL_FALSE, glm::value_ptr(normal));
    glUniformMatrix4fv(uniformLocation(*this, "mMatrix"), 1, GL_FALSE, glm::value_ptr(modelMatrix));
    glUniform1i(uniformLocation(*this, "hasShadow"), hasShadow);
    if (scene != nullptr && scene->mRootNode != nullptr)
        drawNode(scene->mRootNode);
}

// Node transformations are not applied: skinned meshes are placed by their
// bone matrices alone, the others sit in their own mesh coordinates.
void Model::drawNode(const aiNode* node) {
    if (node == nullptr || shader == nullptr || scene == nullptr)
        return;
    for (unsigned i = 0; i < node->mNumMeshes; ++i) {
        const unsigned meshNumber = node->mMeshes[i];
        if (meshNumber >= scene->mNumMeshes)
            continue;
        const aiMesh* mesh = scene->mMeshes[meshNumber];
        float bones[MAX_BONES][16];
        bonesUploadForm({}, bones);
        if (mesh->mBones != nullptr && mesh->mNumBones > 0 && animator != nullptr) {
            const std::vector<aiMatrix4x4>& skinning = animator->skinningMatrices(node, i);
            if (skinning.size() != mesh->mNumBones)
                continue;
            bonesUploadForm(skinning, bones);
        }
        glUniformMatrix4fv(uniformLocation(*this, "boneMatrices"), MAX_BONES, GL_FALSE,
                           &bones[0][0]);
        drawMesh(*this, meshNumber);
    }
    for (unsigned c = 0; c < node->mNumChildren; ++c)
        drawNode(node->mChildren[c]);
}
