#include "ModelFixtures.h"
#include "support/OutputCapture.h"

#include "model/Model.h"

#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>

namespace {

void expectNear(const glm::vec3& actual, const glm::vec3& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

} // namespace

TEST(Placement, TranslationActsInTheModelsTurnedFrame) {
    Model model("unused.x", nullptr, nullptr, nullptr);
    model.setModelMatrix(glm::rotate(glm::mat4(1.0f), glm::radians(90.0f), glm::vec3(1, 0, 0)));
    model.multiplyModelMatrix(glm::translate(glm::mat4(1.0f), glm::vec3(0, 0, 1)));
    // Local z has turned into world -y.
    expectNear(glm::vec3(model.modelMatrix * glm::vec4(0, 0, 0, 1)), glm::vec3(0, -1, 0));
}

TEST(Placement, NormalMatrixOfANonUniformScaleKeepsNormalsPerpendicular) {
    const glm::mat4 stretch = glm::scale(glm::mat4(1.0f), glm::vec3(2.0f, 1.0f, 1.0f));
    const glm::mat3 normal = normalMatrixOf(stretch);
    const glm::vec3 tangent = glm::mat3(stretch) * glm::vec3(1, 1, 0);
    const glm::vec3 surfaceNormal = normal * glm::vec3(1, -1, 0);
    EXPECT_NEAR(glm::dot(tangent, surfaceNormal), 0.0f, 1e-6f);
    // Not the model matrix's own 3x3, which would tilt the normal.
    EXPECT_NEAR(normal[0][0], 0.5f, 1e-6f);
    EXPECT_NE(glm::dot(tangent, glm::mat3(stretch) * glm::vec3(1, -1, 0)), 0.0f);
}

TEST(Placement, RestoreReturnsToTheSavedOrLoadedMatrix) {
    Model model(writeFixture("placement/quad.x", QUAD_MODEL), nullptr, nullptr, nullptr);
    {
        OutputCapture quiet;
        ASSERT_TRUE(model.load());
    }
    const glm::mat4 loaded = model.modelMatrix;
    model.multiplyModelMatrix(glm::translate(glm::mat4(1.0f), glm::vec3(3, 0, 0)));
    model.restoreModelMatrix();
    EXPECT_EQ(model.modelMatrix, loaded);

    model.multiplyModelMatrix(glm::scale(glm::mat4(1.0f), glm::vec3(2.0f)));
    const glm::mat4 resting = model.modelMatrix;
    model.saveBaseMatrix();
    model.restoreModelMatrix();
    EXPECT_EQ(model.modelMatrix, resting);
    model.setModelMatrix(glm::mat4(4.0f));
    EXPECT_EQ(model.modelMatrix, glm::mat4(4.0f));
    model.restoreModelMatrix();
    EXPECT_EQ(model.modelMatrix, resting);
}
