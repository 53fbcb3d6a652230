#pragma once

#include <assimp/anim.h>
#include <assimp/matrix4x4.h>
#include <assimp/scene.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The global animation time base shared by every animated model.
extern int32_t animationClock; // ms, running 1.9 times faster than real time
extern uint32_t lastTicks;     // SDL tick count of the last clock step

// Advances animationClock by 1.9 times the ticks since lastTicks.
void advanceAnimationClock(uint32_t nowTicks);

const std::size_t NOT_ANIMATED = static_cast<std::size_t>(-1);
const int MAX_BONES = 60;

// One node of the animator's copy of the importer's node tree.
struct AnimNode {
    std::string name;
    AnimNode* parent = nullptr;
    std::vector<AnimNode*> children; // owned
    aiMatrix4x4 localTransform;
    aiMatrix4x4 globalTransform;
    std::size_t channelIndex = NOT_ANIMATED;

    AnimNode() = default;
    AnimNode(const AnimNode&) = delete;
    AnimNode& operator=(const AnimNode&) = delete;
    ~AnimNode();
};

// Plays the first animation of a scene and turns it into skinning matrices.
class Animator {
  public:
    explicit Animator(const aiScene* scene);
    Animator(const Animator&) = delete;
    Animator& operator=(const Animator&) = delete;
    ~Animator(); // destroyAnimator

    void setAnimation(std::size_t index);
    AnimNode* copyNodeTree(const aiNode* node, AnimNode* parent);
    void findMeshBones();
    void composeGlobalTransform(AnimNode* node);
    void sampleAnimation(double ticksPerSecond);
    void applyChannelMatrices(AnimNode* node, const std::vector<aiMatrix4x4>& matrices);
    const aiMatrix4x4& globalTransformOf(const aiNode* node) const;
    const std::vector<aiMatrix4x4>& skinningMatrices(const aiNode* node, unsigned meshIndex);

    std::map<const aiNode*, AnimNode*> nodesBySceneNode;
    std::map<std::string, const aiNode*> boneNodes;
    // Per scene mesh, per bone: the bone's node in the copied tree, or null.
    std::vector<std::vector<const AnimNode*>> meshBones;
    double previousTime = 0.0;
    std::vector<std::array<unsigned, 3>> keyCursors; // position, rotation, scaling
    std::vector<aiMatrix4x4> scratchMatrices;
    aiMatrix4x4 identity;
    const aiScene* scene;
    AnimNode* rootNode = nullptr;
    std::size_t currentAnimation = NOT_ANIMATED;
    const aiAnimation* animation = nullptr;
};

// The 60-entry column-major bone array that goes to "boneMatrices".
void bonesUploadForm(const std::vector<aiMatrix4x4>& matrices, float (&out)[MAX_BONES][16]);
