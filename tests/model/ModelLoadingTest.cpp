#include "support/GlContext.h"
#include "ModelFixtures.h"
#include "support/OutputCapture.h"

#include "model/Animator.h"
#include "model/Mesh.h"
#include "model/Model.h"

#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>

#include <cmath>

namespace {

const char* const PROGRESS_LINES[] = {"Number of Materials: 2\n", "Number of Ambient Textures: 0\n",
                                      "Number of Diffuse Textures: 1\n", "No texture to load.\n"};

std::string quadWithoutTexture() {
    return writeFixture("bare/quad.x", QUAD_MODEL);
}

} // namespace

TEST(ModelLoading, PrintsScaleAndCentreOfTheBoundsAndNormalisesTheModel) {
    Model model(quadWithoutTexture(), nullptr, nullptr, nullptr);
    OutputCapture capture;
    ASSERT_TRUE(model.load());
    capture.finish();

    EXPECT_NE(capture.out().find("Scale factor: 0.35\n"), std::string::npos) << capture.out();
    EXPECT_NE(capture.out().find("Scene center at: 0.00, 1.00, 0.00\n"), std::string::npos);
    EXPECT_NE(capture.out().find(model.filePath + " -> initialized.\n\n"), std::string::npos);
    for (const char* line : PROGRESS_LINES)
        EXPECT_NE(capture.out().find(line), std::string::npos) << line;
    EXPECT_EQ(capture.err(), "");

    EXPECT_EQ(model.boundsMin, glm::vec3(-1.0f, 0.0f, -1.0f));
    EXPECT_EQ(model.boundsMax, glm::vec3(1.0f, 2.0f, 1.0f));
    EXPECT_EQ(model.sceneCenter, glm::vec3(0.0f, 1.0f, 0.0f));
    EXPECT_FLOAT_EQ(model.scaleFactor(), 1.0f / std::sqrt(8.0f));
    // A vertex p ends at s*p - s*s*centre.
    const float s = model.scaleFactor();
    const glm::vec4 top = model.modelMatrix * glm::vec4(1.0f, 2.0f, 1.0f, 1.0f);
    EXPECT_NEAR(top.y, 2.0f * s - s * s, 1e-6f);
    EXPECT_NEAR(top.x, s, 1e-6f);
    EXPECT_EQ(model.baseMatrix, model.modelMatrix);
    EXPECT_TRUE(model.loaded);
    EXPECT_EQ(model.meshCount, 2);
}

TEST(ModelLoading, SecondLoadPrintsNothingAndSucceeds) {
    Model model(quadWithoutTexture(), nullptr, nullptr, nullptr);
    {
        OutputCapture first;
        ASSERT_TRUE(model.load());
    }
    const glm::mat4 loadedMatrix = model.modelMatrix;
    OutputCapture capture;
    EXPECT_TRUE(model.load());
    capture.finish();
    EXPECT_EQ(capture.out(), "");
    EXPECT_EQ(capture.err(), "");
    EXPECT_EQ(model.modelMatrix, loadedMatrix);
}

TEST(ModelLoading, MissingFileFailsAndLeavesNoSceneForTheAnimator) {
    Model model("../bin/objects/does-not-exist.x", nullptr, nullptr, nullptr);
    OutputCapture capture;
    EXPECT_FALSE(model.load());
    capture.finish();
    EXPECT_EQ(capture.err(), "Loading model failed.\n");
    EXPECT_EQ(model.scene, nullptr);
    EXPECT_FALSE(model.loaded);
    // Monsters ask for an animator whatever became of their model's load.
    EXPECT_FALSE(model.createAnimator());
    EXPECT_EQ(model.animator, nullptr);
}

TEST(ModelLoading, ScaleFactorSumsTheSquaresOfAllSixBoundComponents) {
    Model model("unused.x", nullptr, nullptr, nullptr);
    model.boundsMin = glm::vec3(1.0f, 2.0f, 3.0f);
    model.boundsMax = glm::vec3(4.0f, 5.0f, 6.0f);
    // Not one over the diagonal (3, 3, 3) of the box.
    EXPECT_FLOAT_EQ(model.scaleFactor(), 1.0f / std::sqrt(91.0f));
}

TEST(ModelLoading, TextureBesideTheModelIsLoadedThroughItsBackslashPath) {
    REQUIRE_GL_CONTEXT();
    const std::string path = writeFixture("textured/quad.x", QUAD_MODEL);
    const std::string texture = writeBmpFixture("textured/maps/skin.bmp", 8, 8);
    Model model(path, nullptr, nullptr, nullptr);
    OutputCapture capture;
    ASSERT_TRUE(model.load());
    capture.finish();

    EXPECT_NE(capture.out().find(texture + "\n"), std::string::npos) << capture.out();
    EXPECT_NE(capture.out().find("Texture loaded in program-memory"), std::string::npos);
    EXPECT_EQ(capture.out().find("No texture found."), std::string::npos);
    ASSERT_EQ(model.materialTextures.size(), 2u);
    EXPECT_EQ(model.materialTextures[0], -1);
    EXPECT_GT(model.materialTextures[1], 0);
    EXPECT_EQ(glIsTexture(static_cast<GLuint>(model.materialTextures[1])), GL_TRUE);
}

TEST(ModelLoading, MissingTextureFileLeavesTheMaterialUntextured) {
    Model model(quadWithoutTexture(), nullptr, nullptr, nullptr);
    OutputCapture capture;
    ASSERT_TRUE(model.load());
    capture.finish();
    const std::string expected = writeFixture("bare/unused", "");
    const std::string folder = expected.substr(0, expected.rfind('/') + 1);
    EXPECT_NE(capture.out().find(folder + "maps/skin.bmp\nNo texture found.\n"), std::string::npos)
        << capture.out();
    EXPECT_EQ(model.materialTextures, (std::vector<GLint>{-1, -1}));
}

TEST(ModelLoading, ImportedMeshesCarryColoursAndFlippedCoordinates) {
    Model model(quadWithoutTexture(), nullptr, nullptr, nullptr);
    {
        OutputCapture quiet;
        ASSERT_TRUE(model.load());
    }
    // The importer splits the quad by material into one triangle each.
    ASSERT_EQ(model.meshes.size(), 2u);
    const Mesh* red = model.meshes[0];
    ASSERT_NE(red, nullptr);
    EXPECT_EQ(red->faceCount, 1);
    EXPECT_EQ(red->vertexCount, 3);
    EXPECT_EQ(red->boneCount, 0);
    ASSERT_EQ(red->colors.size(), 12u);
    EXPECT_EQ(std::vector<float>(red->colors.begin(), red->colors.begin() + 4),
              (std::vector<float>{1.0f, 0.0f, 0.0f, 1.0f}));
    EXPECT_EQ(red->positions[3], 1.0f);
    EXPECT_EQ(red->indices.size(), 3u);
    EXPECT_EQ(red->boneWeights, std::vector<float>(12, 0.0f));
    EXPECT_EQ(red->boneIndices, std::vector<float>(12, 0.0f));

    // The file's (0, 0.25) comes back as (0, 0.25). The file's (0, 1) is
    // stored by the importer as exactly zero, which stays (0, 0).
    const Mesh* skin = model.meshes[1];
    ASSERT_NE(skin, nullptr);
    int checked = 0;
    for (int v = 0; v < skin->vertexCount; ++v) {
        const glm::vec2 position(skin->positions[4 * v], skin->positions[4 * v + 1]);
        const glm::vec2 uv(skin->uvs[2 * v], skin->uvs[2 * v + 1]);
        if (position == glm::vec2(-1.0f, 0.0f)) {
            EXPECT_EQ(uv, glm::vec2(0.0f, 0.0f));
            ++checked;
        } else if (position == glm::vec2(-1.0f, 2.0f)) {
            EXPECT_NEAR(uv.x, 0.0f, 1e-6f);
            EXPECT_NEAR(uv.y, 0.25f, 1e-6f);
            ++checked;
        } else if (position == glm::vec2(1.0f, 2.0f)) {
            EXPECT_EQ(uv, glm::vec2(1.0f, 1.0f));
            ++checked;
        }
    }
    EXPECT_EQ(checked, 3);
}

TEST(ModelLoading, MeshWithoutMaterialIsGreyAndUntextured) {
    Model model(writeFixture("plain/quad.x", PLAIN_QUAD_MODEL), nullptr, nullptr, nullptr);
    OutputCapture capture;
    ASSERT_TRUE(model.load());
    capture.finish();
    EXPECT_NE(capture.out().find("No texture to load.\n"), std::string::npos);
    ASSERT_EQ(model.meshes.size(), 1u);
    const Mesh& quad = *model.meshes[0];
    for (int v = 0; v < quad.vertexCount; ++v)
        EXPECT_EQ(std::vector<float>(quad.colors.begin() + 4 * v, quad.colors.begin() + 4 * v + 4),
                  (std::vector<float>{0.5f, 0.5f, 0.5f, 1.0f}));
    EXPECT_EQ(quad.uvs, std::vector<float>(2 * quad.vertexCount, 0.0f));
}

TEST(ModelLoading, SkinnedModelGetsBoneInfluencesAndOneAnimator) {
    Model model(writeFixture("skinned/body.x", SKINNED_MODEL), nullptr, nullptr, nullptr);
    {
        OutputCapture quiet;
        ASSERT_TRUE(model.load());
    }
    ASSERT_EQ(model.meshes.size(), 1u);
    const Mesh& body = *model.meshes[0];
    EXPECT_EQ(body.boneCount, 2);
    const aiMesh* imported = model.scene->mMeshes[0];
    for (int v = 0; v < body.vertexCount; ++v) {
        // Each vertex hangs from one bone: the lower ones from "Hip", the upper from "Chest".
        const float expectedBone = imported->mVertices[v].y > 1.0f ? 1.0f : 0.0f;
        EXPECT_EQ(body.boneIndices[4 * v], expectedBone) << v;
        EXPECT_EQ(body.boneWeights[4 * v], 1.0f) << v;
        EXPECT_EQ(body.boneWeights[4 * v + 1], 0.0f) << v;
    }
    EXPECT_TRUE(model.createAnimator());
    Animator* first = model.animator;
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(model.createAnimator());
    EXPECT_EQ(model.animator, first);
    delete model.animator;
    model.animator = nullptr;
}

TEST(ModelLoading, ModelWithoutAnimationGetsNoAnimator) {
    Model model(quadWithoutTexture(), nullptr, nullptr, nullptr);
    {
        OutputCapture quiet;
        ASSERT_TRUE(model.load());
    }
    EXPECT_FALSE(model.createAnimator());
    EXPECT_EQ(model.animator, nullptr);
}

TEST(TextureFilePath, ResolvesBesideTheModelWithForwardSlashes) {
    EXPECT_EQ(textureFilePath("../bin/objects/mage.x", "maps\\skin.bmp"),
              "../bin/objects/maps/skin.bmp");
    EXPECT_EQ(textureFilePath("..\\bin\\objects\\mage.x", "skin.bmp"), "../bin/objects/skin.bmp");
    EXPECT_EQ(textureFilePath("mage.x", "maps\\skin.bmp"), "maps/skin.bmp");
    // Even an absolute texture path is taken inside the model's folder.
    EXPECT_EQ(textureFilePath("objects/mage.x", "/maps/skin.bmp"), "objects//maps/skin.bmp");
}

TEST(ReplaceAll, ReplacesEveryOccurrenceAndAlwaysEnds) {
    EXPECT_EQ(replaceAll("a\\b\\\\c", "\\", "/"), "a/b//c");
    // Searching again from the start also removes pairs that a removal brings together.
    EXPECT_EQ(replaceAll("aabb", "ab", ""), "");
    EXPECT_EQ(replaceAll("abc", "", "x"), "abc");
    // A replacement that contains the searched text is applied once per occurrence.
    EXPECT_EQ(replaceAll("a/b", "/", "//"), "a//b");
}
