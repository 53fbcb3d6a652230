#include "AssetTestSupport.h"

#include "GlContext.h"
#include "OutputCapture.h"
#include "model/Mesh.h"
#include "model/Model.h"

#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>

namespace {

bool isSkinned(const std::string& name) {
    return name == "mage" || name == "redmonster" || name == "greenmonster" || name == "monster";
}

std::set<std::string> nodeNames(const aiNode* node) {
    std::set<std::string> names{node->mName.C_Str()};
    for (unsigned c = 0; c < node->mNumChildren; ++c) {
        const std::set<std::string> below = nodeNames(node->mChildren[c]);
        names.insert(below.begin(), below.end());
    }
    return names;
}

} // namespace

TEST(ModelFiles, EveryModelLoadsWithoutAWordOnStandardError) {
    REQUIRE_GL_CONTEXT();
    modelProgram();
    for (const char* name : MODEL_NAMES) {
        OutputCapture capture;
        Model* model = loadPlacedModel(name);
        capture.finish();
        ASSERT_NE(model, nullptr) << name;
        EXPECT_EQ(capture.err(), "") << name;
        // Every material that names a texture finds it beside the model.
        EXPECT_EQ(capture.out().find("No texture found."), std::string::npos) << name;
        for (Mesh* mesh : model->meshes)
            EXPECT_NE(mesh, nullptr) << name << ": a mesh was rejected";
        delete model;
    }
}

TEST(ModelFiles, FiguresAreTexturedAndEffectsCarryTheirColours) {
    REQUIRE_GL_CONTEXT();
    for (const char* name :
         {"mage", "redmonster", "greenmonster", "monster", "arena", "skysphere"}) {
        Model* model = loadPlacedModel(name);
        ASSERT_NE(model, nullptr) << name;
        ASSERT_FALSE(model->materialTextures.empty()) << name;
        for (GLint texture : model->materialTextures)
            EXPECT_NE(texture, -1) << name;
        delete model;
    }
    for (const char* name : {"redrune", "greenrune", "bluerune", "whiterune", "redparticle",
                             "greenparticle", "blueparticle", "whiteparticle"}) {
        Model* model = loadPlacedModel(name);
        ASSERT_NE(model, nullptr) << name;
        for (unsigned m = 0; m < model->scene->mNumMeshes; ++m)
            EXPECT_NE(model->scene->mMeshes[m]->mColors[0], nullptr) << name;
        delete model;
    }
}

TEST(ModelFiles, SkeletonsStayWithinTheGamesLimits) {
    REQUIRE_GL_CONTEXT();
    for (const char* name : MODEL_NAMES) {
        Model* model = loadPlacedModel(name);
        ASSERT_NE(model, nullptr) << name;
        const aiScene* scene = model->scene;
        bool hasBones = false;
        for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
            const aiMesh* mesh = scene->mMeshes[m];
            EXPECT_LE(mesh->mNumBones, 60u) << name;
            hasBones = hasBones || mesh->mNumBones > 0;
            std::map<unsigned, int> weightsPerVertex;
            for (unsigned b = 0; b < mesh->mNumBones; ++b)
                for (unsigned w = 0; w < mesh->mBones[b]->mNumWeights; ++w)
                    ++weightsPerVertex[mesh->mBones[b]->mWeights[w].mVertexId];
            for (const auto& entry : weightsPerVertex)
                EXPECT_LE(entry.second, 4) << name << " vertex " << entry.first;
        }
        EXPECT_EQ(hasBones, isSkinned(name)) << name;
        EXPECT_EQ(scene->mNumAnimations > 0, isSkinned(name)) << name;
        for (unsigned a = 0; a < scene->mNumAnimations; ++a)
            EXPECT_GT(scene->mAnimations[a]->mDuration, 0.0) << name;
        delete model;
    }
}

TEST(ModelFiles, TheMageHasTheWholeSkeleton) {
    REQUIRE_GL_CONTEXT();
    Model* mage = loadPlacedModel("mage");
    ASSERT_NE(mage, nullptr);
    const std::set<std::string> names = nodeNames(mage->scene->mRootNode);
    std::set<std::string> bones;
    for (unsigned m = 0; m < mage->scene->mNumMeshes; ++m)
        for (unsigned b = 0; b < mage->scene->mMeshes[m]->mNumBones; ++b)
            bones.insert(mage->scene->mMeshes[m]->mBones[b]->mName.C_Str());
    for (const char* bone :
         {"Hips", "Spine", "Head", "ArmLeft", "ArmRight", "LegLeft", "LegRight", "Staff"}) {
        EXPECT_EQ(names.count(bone), 1u) << bone;
        EXPECT_EQ(bones.count(bone), 1u) << bone << " moves no vertex";
    }
    delete mage;
}

// The first animation is the one the game plays, looping over its duration:
// it must move the figure and end in the pose it starts with.
TEST(ModelFiles, FirstAnimationsAreSeamlessLoopsThatMoveTheFigure) {
    REQUIRE_GL_CONTEXT();
    for (const char* name : {"mage", "redmonster", "greenmonster", "monster"}) {
        Model* model = loadPlacedModel(name);
        ASSERT_NE(model, nullptr) << name;
        ASSERT_GT(model->scene->mNumAnimations, 0u) << name;
        const aiAnimation* animation = model->scene->mAnimations[0];
        bool moves = false;
        for (unsigned c = 0; c < animation->mNumChannels; ++c) {
            const aiNodeAnim* channel = animation->mChannels[c];
            const std::string where = std::string(name) + " " + channel->mNodeName.C_Str();
            // The importer reduces a track that never changes to one key.
            if (channel->mNumPositionKeys > 1) {
                const unsigned last = channel->mNumPositionKeys - 1;
                EXPECT_DOUBLE_EQ(channel->mPositionKeys[last].mTime, animation->mDuration) << where;
                EXPECT_LT((channel->mPositionKeys[last].mValue - channel->mPositionKeys[0].mValue)
                              .Length(),
                          1e-4f)
                    << where << " does not loop";
                moves = true;
            }
            if (channel->mNumRotationKeys > 1) {
                const unsigned last = channel->mNumRotationKeys - 1;
                EXPECT_DOUBLE_EQ(channel->mRotationKeys[last].mTime, animation->mDuration) << where;
                const aiQuaternion& a = channel->mRotationKeys[0].mValue;
                const aiQuaternion& b = channel->mRotationKeys[last].mValue;
                const float dot = a.w * b.w + a.x * b.x + a.y * b.y + a.z * b.z;
                EXPECT_GT(std::fabs(dot), 0.9999f) << where << " does not loop";
                moves = true;
            }
        }
        EXPECT_TRUE(moves) << name;
        delete model;
    }
}

namespace {

// The texture file each mesh of the model is drawn with, in the order the
// node walk draws them.
void texturesInDrawOrder(const aiScene* scene, const aiNode* node,
                         std::vector<std::string>& textures) {
    for (unsigned i = 0; i < node->mNumMeshes; ++i) {
        const aiMaterial* material =
            scene->mMaterials[scene->mMeshes[node->mMeshes[i]]->mMaterialIndex];
        aiString path;
        material->GetTexture(aiTextureType_DIFFUSE, 0, &path);
        textures.push_back(path.C_Str());
    }
    for (unsigned c = 0; c < node->mNumChildren; ++c)
        texturesInDrawOrder(scene, node->mChildren[c], textures);
}

} // namespace

// The sky below the floor is part of the arena so that it comes after the
// floor, where the depth test spares whatever the floor hides: drawn first,
// all of it would be shaded.
TEST(ModelFiles, ArenaDrawsTheSkyBelowItsFloorLast) {
    REQUIRE_GL_CONTEXT();
    Model* arena = loadPlacedModel("arena");
    ASSERT_NE(arena, nullptr);
    std::vector<std::string> textures;
    texturesInDrawOrder(arena->scene, arena->scene->mRootNode, textures);
    ASSERT_FALSE(textures.empty());
    EXPECT_EQ(textures.back(), "sky.bmp");
    EXPECT_EQ(std::count(textures.begin(), textures.end(), "sky.bmp"), 1);
    delete arena;
}
