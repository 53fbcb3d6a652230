#include "ModelFixtures.h"
#include "support/OutputCapture.h"

#include "model/Mesh.h"
#include "model/Model.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A model that never touches a file: only the scene-reading steps run.
struct MemoryModel {
    Model model{"memory/model.x", nullptr, nullptr, nullptr};
    std::unique_ptr<aiScene> scene;

    explicit MemoryModel(aiScene* built) : scene(built) {}

    bool loadMeshes(std::string* errors = nullptr) {
        OutputCapture capture;
        const bool ok = model.loadMeshes(scene.get());
        capture.finish();
        if (errors != nullptr)
            *errors = capture.err();
        return ok;
    }
};

std::vector<float> colorOf(const Mesh& mesh, int vertex) {
    return std::vector<float>(mesh.colors.begin() + 4 * vertex,
                              mesh.colors.begin() + 4 * vertex + 4);
}

} // namespace

TEST(MeshConversion, MeshWithoutNormalsIsSkippedAndTheOthersLoad) {
    aiMesh* noNormals = makeTriangleMesh();
    delete[] noNormals->mNormals;
    noNormals->mNormals = nullptr;
    MemoryModel memory(makeScene({noNormals, makeTriangleMesh()}, {makeMaterial()}));
    std::string errors;
    EXPECT_TRUE(memory.loadMeshes(&errors));
    EXPECT_EQ(errors, "A mesh of the model has no normals and is not loaded.\n");
    ASSERT_EQ(memory.model.meshes.size(), 2u);
    EXPECT_EQ(memory.model.meshes[0], nullptr);
    ASSERT_NE(memory.model.meshes[1], nullptr);
    EXPECT_EQ(memory.model.meshes[1]->normals.size(), 9u);
}

TEST(MeshConversion, EachMissingArrayHasItsOwnMessageAndEmptyMeshesNone) {
    aiMesh* noPositions = makeTriangleMesh();
    delete[] noPositions->mVertices;
    noPositions->mVertices = nullptr;
    aiMesh* noFaces = makeTriangleMesh();
    delete[] noFaces->mFaces;
    noFaces->mFaces = nullptr;
    aiMesh* empty = makeTriangleMesh();
    empty->mNumFaces = 0;
    MemoryModel memory(makeScene({noPositions, noFaces, empty}, {makeMaterial()}));
    std::string errors;
    EXPECT_TRUE(memory.loadMeshes(&errors));
    EXPECT_EQ(errors, "A mesh of the model has no vertices and is not loaded.\n"
                      "A mesh of the model has no polygon faces and is not loaded.\n");
    EXPECT_EQ(memory.model.meshes, (std::vector<Mesh*>{nullptr, nullptr, nullptr}));
}

TEST(MeshConversion, FourBonesOnAVertexLoadAsGivenAndFiveFailTheLoad) {
    aiMesh* four = makeTriangleMesh();
    attachBones(four, {makeBone("a", {{1, 0.5f}}), makeBone("b", {{1, 0.25f}, {0, 1.0f}}),
                       makeBone("c", {{1, 0.125f}}), makeBone("d", {{1, 0.5f}})});
    MemoryModel fits(makeScene({four}, {makeMaterial()}));
    EXPECT_TRUE(fits.loadMeshes());
    const Mesh& mesh = *fits.model.meshes[0];
    EXPECT_EQ(mesh.boneCount, 4);
    // Weights are kept as given, not normalised.
    EXPECT_EQ(std::vector<float>(mesh.boneIndices.begin() + 4, mesh.boneIndices.begin() + 8),
              (std::vector<float>{0.0f, 1.0f, 2.0f, 3.0f}));
    EXPECT_EQ(std::vector<float>(mesh.boneWeights.begin() + 4, mesh.boneWeights.begin() + 8),
              (std::vector<float>{0.5f, 0.25f, 0.125f, 0.5f}));
    EXPECT_EQ(std::vector<float>(mesh.boneIndices.begin(), mesh.boneIndices.begin() + 4),
              (std::vector<float>{1.0f, 0.0f, 0.0f, 0.0f}));
    EXPECT_EQ(std::vector<float>(mesh.boneWeights.begin() + 8, mesh.boneWeights.end()),
              (std::vector<float>{0.0f, 0.0f, 0.0f, 0.0f}));

    aiMesh* five = makeTriangleMesh();
    attachBones(five,
                {makeBone("a", {{2, 0.2f}}), makeBone("b", {{2, 0.2f}}), makeBone("c", {{2, 0.2f}}),
                 makeBone("d", {{2, 0.2f}}), makeBone("e", {{2, 0.2f}})});
    MemoryModel tooMany(
        makeScene({makeTriangleMesh(), five, makeTriangleMesh()}, {makeMaterial()}));
    std::string errors;
    EXPECT_FALSE(tooMany.loadMeshes(&errors));
    EXPECT_EQ(errors, "The model has invalid bone weights and is not loaded.\n");
    // The load stops at once: what came before stays, what follows is never made.
    EXPECT_NE(tooMany.model.meshes[0], nullptr);
    EXPECT_EQ(tooMany.model.meshes[2], nullptr);
}

TEST(MeshConversion, WeightForAVertexTheMeshLacksIsDropped) {
    aiMesh* mesh = makeTriangleMesh();
    attachBones(mesh, {makeBone("a", {{0, 1.0f}, {7, 1.0f}})});
    MemoryModel memory(makeScene({mesh}, {makeMaterial()}));
    EXPECT_TRUE(memory.loadMeshes());
    EXPECT_EQ(memory.model.meshes[0]->boneWeights,
              (std::vector<float>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(MeshConversion, ColoursComeFromTheVerticesThenTheMaterialThenGrey) {
    aiMesh* ownColors = makeTriangleMesh(0);
    ownColors->mColors[0] = new aiColor4D[3]{
        {0.1f, 0.2f, 0.3f, 0.4f}, {0.5f, 0.6f, 0.7f, 0.8f}, {0.9f, 1.0f, 0.0f, 0.5f}};
    aiMesh* materialColor = makeTriangleMesh(0);
    aiMesh* noColorKey = makeTriangleMesh(1);
    aiMesh* unknownMaterial = makeTriangleMesh(9);
    MemoryModel memory(
        makeScene({ownColors, materialColor, noColorKey, unknownMaterial},
                  {makeColoredMaterial(aiColor4D(0.25f, 0.5f, 0.75f, 0.2f)), makeMaterial()}));
    EXPECT_TRUE(memory.loadMeshes());
    const std::vector<Mesh*>& meshes = memory.model.meshes;
    EXPECT_EQ(colorOf(*meshes[0], 1), (std::vector<float>{0.5f, 0.6f, 0.7f, 0.8f}));
    // A material's colour is always opaque.
    EXPECT_EQ(colorOf(*meshes[1], 2), (std::vector<float>{0.25f, 0.5f, 0.75f, 1.0f}));
    const std::vector<float> grey{0.5f, 0.5f, 0.5f, 1.0f};
    EXPECT_EQ(colorOf(*meshes[2], 0), grey);
    EXPECT_EQ(colorOf(*meshes[3], 0), grey);
    EXPECT_EQ(meshes[3]->materialIndex, 9);
}

TEST(MeshConversion, TextureCoordinatesFlipExceptAnExactZero) {
    aiMesh* mesh = makeTriangleMesh();
    mesh->mNumUVComponents[0] = 2;
    mesh->mTextureCoords[0] =
        new aiVector3D[3]{{0.0f, 0.0f, 0.0f}, {0.0f, 0.25f, 0.0f}, {0.5f, 0.125f, 0.0f}};
    aiMesh* noCoordinates = makeTriangleMesh();
    MemoryModel memory(makeScene({mesh, noCoordinates}, {makeMaterial()}));
    EXPECT_TRUE(memory.loadMeshes());
    EXPECT_EQ(memory.model.meshes[0]->uvs,
              (std::vector<float>{0.0f, 0.0f, 0.0f, 0.75f, 0.5f, 0.875f}));
    EXPECT_EQ(memory.model.meshes[1]->uvs, std::vector<float>(6, 0.0f));
}

TEST(MeshConversion, ArraysHoldOneGroupPerVertexAndThreeIndicesPerFace) {
    aiMesh* mesh = makeTriangleMesh(0);
    mesh->mVertices[2] = aiVector3D(4.0f, 5.0f, 6.0f);
    mesh->mFaces[0].mIndices[0] = 2;
    mesh->mFaces[0].mIndices[2] = 0;
    MemoryModel memory(makeScene({mesh}, {makeMaterial()}));
    EXPECT_TRUE(memory.loadMeshes());
    const Mesh& converted = *memory.model.meshes[0];
    EXPECT_EQ(converted.positions.size(), 12u);
    EXPECT_EQ(std::vector<float>(converted.positions.begin() + 8, converted.positions.end()),
              (std::vector<float>{4.0f, 5.0f, 6.0f, 1.0f}));
    EXPECT_EQ(converted.indices, (std::vector<uint32_t>{2, 1, 0}));
    EXPECT_EQ(converted.materialIndex, 0);
    EXPECT_EQ(converted.faceCount, 1);
    EXPECT_EQ(converted.vertexCount, 3);
}

TEST(MaterialTextures, MaterialWithoutTextureSaysSoAndKeepsNoTexture) {
    MemoryModel memory(makeScene({makeTriangleMesh()}, {makeMaterial()}));
    OutputCapture capture;
    memory.model.loadMaterialTextures(memory.scene.get());
    capture.finish();
    EXPECT_EQ(capture.out(), "Number of Materials: 1\n"
                             "Number of Ambient Textures: 0\n"
                             "Number of Diffuse Textures: 0\n"
                             "Number of Specular Textures: 0\n"
                             "No texture to load.\n");
    EXPECT_EQ(memory.model.materialTextures, std::vector<GLint>{-1});
}
