#include "ModelFixtures.h"

#include "model/Animator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

// A root node with one child "Joint" that the animation's single channel moves.
struct AnimatedScene {
    std::unique_ptr<aiScene> scene;
    aiNode* joint = nullptr;

    AnimatedScene(aiNodeAnim* channel, double duration) : scene(makeScene({}, {})) {
        scene->mRootNode->mTransformation = aiMatrix4x4::Translation(aiVector3D(0, 0, 5), scratch);
        joint = addChildNode(scene->mRootNode, "Joint");
        attachAnimation(scene.get(), makeAnimation(duration, {channel}));
    }

    aiMatrix4x4 scratch; // written by the importer's matrix builders
};

aiVector3D translationOf(const aiMatrix4x4& m) {
    return aiVector3D(m.a4, m.b4, m.c4);
}

void sampleAt(Animator& animator, int32_t clock) {
    animationClock = clock;
    animator.sampleAnimation(20.0);
}

// Positions at ticks 0, 10 and 30 of a 40-tick animation.
aiNodeAnim* threeKeyChannel() {
    aiNodeAnim* channel = makeChannel("Joint");
    setPositionKeys(
        channel,
        {{0.0, aiVector3D(0, 0, 0)}, {10.0, aiVector3D(4, 0, 0)}, {30.0, aiVector3D(8, 2, 0)}});
    return channel;
}

void expectVector(const aiVector3D& actual, const aiVector3D& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

class AnimatorTest : public ::testing::Test {
  protected:
    void SetUp() override { savedClock = animationClock; }
    void TearDown() override { animationClock = savedClock; }
    int32_t savedClock = 0;
};

} // namespace

TEST_F(AnimatorTest, SamplesBetweenTheKeysAroundTheClockTime) {
    AnimatedScene built(threeKeyChannel(), 40.0);
    Animator animator(built.scene.get());
    // Clock 1000 is one second: tick 20, halfway from the key at 10 to the key at 30.
    sampleAt(animator, 1000);
    expectVector(translationOf(animator.scratchMatrices[0]), aiVector3D(6, 1, 0));
    EXPECT_EQ(animator.keyCursors[0][0], 1u);
    EXPECT_DOUBLE_EQ(animator.previousTime, 20.0);
    // The joint's global transform follows, under its unanimated parent.
    expectVector(translationOf(animator.globalTransformOf(built.joint)), aiVector3D(6, 1, 5));
    expectVector(translationOf(animator.globalTransformOf(built.scene->mRootNode)),
                 aiVector3D(0, 0, 5));

    // Clock 2500 wraps to tick fmod(50, 40) = 10, exactly on a key: factor 0.
    sampleAt(animator, 2500);
    expectVector(translationOf(animator.scratchMatrices[0]), aiVector3D(4, 0, 0));
    EXPECT_EQ(animator.keyCursors[0][0], 1u);
    EXPECT_DOUBLE_EQ(animator.previousTime, 10.0);
}

TEST_F(AnimatorTest, AfterTheLastKeyTheChannelHeadsBackToTheFirst) {
    AnimatedScene built(threeKeyChannel(), 40.0);
    Animator animator(built.scene.get());
    // Tick 35 lies halfway from the key at 30 to the first key, reached at tick 40.
    sampleAt(animator, 1750);
    expectVector(translationOf(animator.scratchMatrices[0]), aiVector3D(4, 1, 0));
    EXPECT_EQ(animator.keyCursors[0][0], 2u);
}

TEST_F(AnimatorTest, OneKeyHoldsItsValue) {
    aiNodeAnim* channel = makeChannel("Joint");
    setPositionKeys(channel, {{5.0, aiVector3D(2, 3, 4)}});
    AnimatedScene built(channel, 40.0);
    Animator animator(built.scene.get());
    for (int32_t clock : {0, 300, 1900}) {
        sampleAt(animator, clock);
        expectVector(translationOf(animator.scratchMatrices[0]), aiVector3D(2, 3, 4));
    }
}

TEST_F(AnimatorTest, RotationsTakeTheShorterArc) {
    const float half = std::sqrt(0.5f);
    aiNodeAnim* channel = makeChannel("Joint");
    // The same quarter turn about z, stored with all signs flipped.
    setRotationKeys(channel,
                    {{0.0, aiQuaternion(1, 0, 0, 0)}, {20.0, aiQuaternion(-half, 0, 0, -half)}});
    AnimatedScene built(channel, 40.0);
    Animator animator(built.scene.get());
    sampleAt(animator, 500); // tick 10
    const aiMatrix4x4& m = animator.scratchMatrices[0];
    // An eighth turn: x goes to (cos 45, sin 45, 0), not the long way round.
    EXPECT_NEAR(m.a1, half, 1e-5f);
    EXPECT_NEAR(m.b1, half, 1e-5f);
    EXPECT_NEAR(m.c1, 0.0f, 1e-5f);
}

TEST_F(AnimatorTest, ScalingsHoldTheEarlierKey) {
    aiNodeAnim* channel = makeChannel("Joint");
    setScalingKeys(channel, {{0.0, aiVector3D(1, 1, 1)}, {30.0, aiVector3D(3, 2, 5)}});
    setRotationKeys(channel, {{0.0, aiQuaternion(aiVector3D(0, 0, 1), 1.0f)}});
    AnimatedScene built(channel, 40.0);
    Animator animator(built.scene.get());
    sampleAt(animator, 1000); // tick 20
    const aiMatrix4x4 rotation(aiQuaternion(aiVector3D(0, 0, 1), 1.0f).GetMatrix());
    EXPECT_NEAR(animator.scratchMatrices[0].a1, rotation.a1, 1e-6f);
    EXPECT_NEAR(animator.scratchMatrices[0].b2, rotation.b2, 1e-6f);
    sampleAt(animator, 1600); // tick 32: the later key, each axis scaling its own column
    const aiMatrix4x4& m = animator.scratchMatrices[0];
    EXPECT_NEAR(m.a1, rotation.a1 * 3, 1e-5f);
    EXPECT_NEAR(m.b1, rotation.b1 * 3, 1e-5f);
    EXPECT_NEAR(m.a2, rotation.a2 * 2, 1e-5f);
    EXPECT_NEAR(m.c3, 5.0f, 1e-5f);
    EXPECT_EQ(animator.keyCursors[0][2], 1u);
}

TEST_F(AnimatorTest, ZeroLengthAnimationLeavesTheFilePose) {
    AnimatedScene built(threeKeyChannel(), 0.0);
    built.joint->mTransformation = aiMatrix4x4::Translation(aiVector3D(7, 0, 0), built.scratch);
    Animator animator(built.scene.get());
    sampleAt(animator, 1000);
    EXPECT_TRUE(animator.scratchMatrices.empty());
    expectVector(translationOf(animator.globalTransformOf(built.joint)), aiVector3D(7, 0, 5));
}

TEST_F(AnimatorTest, ChannelWithoutAMatrixKeepsItsSubtree) {
    AnimatedScene built(threeKeyChannel(), 40.0);
    built.joint->mTransformation = aiMatrix4x4::Translation(aiVector3D(7, 0, 0), built.scratch);
    Animator animator(built.scene.get());
    animator.applyChannelMatrices(animator.rootNode, {});
    expectVector(translationOf(animator.globalTransformOf(built.joint)), aiVector3D(7, 0, 5));
    // A node the tree does not know, a null one included, is at the origin.
    aiNode stranger("Stranger");
    EXPECT_TRUE(animator.globalTransformOf(&stranger).IsIdentity());
    EXPECT_TRUE(animator.globalTransformOf(nullptr).IsIdentity());
}

TEST_F(AnimatorTest, NewAnimatorResumesAtTheClock) {
    AnimatedScene built(threeKeyChannel(), 40.0);
    Animator* first = new Animator(built.scene.get());
    sampleAt(*first, 1000);
    delete first;

    Animator second(built.scene.get());
    EXPECT_EQ(second.keyCursors, (std::vector<std::array<unsigned, 3>>{{0, 0, 0}}));
    sampleAt(second, 1000);
    expectVector(translationOf(second.scratchMatrices[0]), aiVector3D(6, 1, 0));
}

TEST_F(AnimatorTest, SkinningMatricesPlaceBonesRelativeToTheMeshNode) {
    aiMatrix4x4 scratch;
    aiMatrix4x4 offset = aiMatrix4x4::Translation(aiVector3D(0, -1, 0), scratch);
    aiMesh* mesh = makeTriangleMesh();
    attachBones(mesh, {makeBone("Arm", {{0, 1.0f}}, offset), makeBone("Ghost", {{1, 1.0f}})});
    std::unique_ptr<aiScene> scene(makeScene({mesh}, {}));
    scene->mRootNode->mTransformation = aiMatrix4x4::Translation(aiVector3D(0, 0, 5), scratch);
    aiNode* arm = addChildNode(scene->mRootNode, "Arm");
    aiMatrix4x4 turn = aiMatrix4x4::RotationZ(static_cast<float>(M_PI / 2), scratch);
    turn.a4 = 1.0f;
    arm->mTransformation = turn;

    Animator animator(scene.get());
    EXPECT_EQ(animator.boneNodes.at("Arm"), arm);
    EXPECT_EQ(animator.boneNodes.at("Ghost"), nullptr);
    const std::vector<aiMatrix4x4>& bones = animator.skinningMatrices(scene->mRootNode, 0);
    ASSERT_EQ(bones.size(), 2u);
    // meshInverse x bone global x offset: the offset is turned with the bone.
    expectVector(translationOf(bones[0]), aiVector3D(2, 0, 0));
    // A bone without a node follows the mesh node's inverse alone.
    expectVector(translationOf(bones[1]), aiVector3D(0, 0, -5));
    // A mesh index the node does not have leaves the matrices as they are.
    EXPECT_EQ(&animator.skinningMatrices(scene->mRootNode, 1), &bones);
    EXPECT_EQ(bones.size(), 2u);
}

TEST_F(AnimatorTest, SixtyOneBonesFillOnlyTheSixtyUploadSlots) {
    aiMesh* mesh = makeTriangleMesh();
    std::vector<aiBone*> bones;
    aiMatrix4x4 scratch;
    for (int b = 0; b < 61; ++b)
        bones.push_back(makeBone("Bone" + std::to_string(b), {{0, 0.0f}},
                                 aiMatrix4x4::Translation(aiVector3D(float(b), 0, 0), scratch)));
    attachBones(mesh, bones);
    std::unique_ptr<aiScene> scene(makeScene({mesh}, {}));
    Animator animator(scene.get());
    const std::vector<aiMatrix4x4>& skinning = animator.skinningMatrices(scene->mRootNode, 0);
    ASSERT_EQ(skinning.size(), 61u);
    EXPECT_EQ(skinning[60].a4, 60.0f);

    float upload[MAX_BONES][16];
    bonesUploadForm(skinning, upload);
    EXPECT_EQ(upload[0][12], 0.0f);
    EXPECT_EQ(upload[59][12], 59.0f);
    EXPECT_EQ(upload[59][0], 1.0f);
}

TEST(BonesUploadForm, TransposesIntoColumnsAndFillsTheRestWithIdentity) {
    aiMatrix4x4 m(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0, 0, 0, 1);
    float upload[MAX_BONES][16];
    upload[1][0] = 42.0f;
    bonesUploadForm({m}, upload);
    const float firstColumnFirst[16] = {1, 5, 9, 0, 2, 6, 10, 0, 3, 7, 11, 0, 4, 8, 12, 1};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(upload[0][i], firstColumnFirst[i]) << i;
    for (int b = 1; b < MAX_BONES; ++b)
        for (int i = 0; i < 16; ++i)
            ASSERT_EQ(upload[b][i], i % 5 == 0 ? 1.0f : 0.0f) << b << " " << i;
}

TEST(AnimationClock, RunsNineteenTenthsOfRealTimeTruncatedAtEveryStep) {
    const int32_t savedClock = animationClock;
    const uint32_t savedTicks = lastTicks;
    animationClock = 0;
    lastTicks = 100;
    advanceAnimationClock(110);
    EXPECT_EQ(animationClock, 19);
    advanceAnimationClock(111);
    EXPECT_EQ(animationClock, 20); // 1.9 loses its fraction
    EXPECT_EQ(lastTicks, 111u);
    // A wrapped tick counter still steps forward by the small difference.
    lastTicks = 0xFFFFFFF0u;
    advanceAnimationClock(0x10u);
    EXPECT_EQ(animationClock, 20 + 60);
    animationClock = savedClock;
    lastTicks = savedTicks;
}
