#include "model/Animator.h"

#include <cmath>

int32_t animationClock = 0;
uint32_t lastTicks = 0;

void advanceAnimationClock(uint32_t nowTicks) {
    // Unsigned difference first, so a wrapped tick counter still gives a
    // small step.
    const int32_t elapsed = static_cast<int32_t>(nowTicks - lastTicks);
    lastTicks = nowTicks;
    animationClock = static_cast<int32_t>(elapsed * 1.9 + animationClock);
}

AnimNode::~AnimNode() {
    for (AnimNode* child : children)
        delete child;
}

namespace {

// The key to sample from: the last key whose time is not after `time`,
// searched onward from where the previous evaluation stopped.
template <typename Key>
unsigned findFrame(const Key* keys, unsigned count, double time, unsigned start) {
    unsigned frame = start < count ? start : 0;
    while (frame + 1 < count && !(time < keys[frame + 1].mTime))
        ++frame;
    return frame;
}

// Time from the frame's key to the next; past the last key the next one is
// the first, reached at the end of the duration.
template <typename Key>
double keyInterval(const Key* keys, unsigned count, unsigned frame, double duration) {
    const unsigned next = (frame + 1) % count;
    double diff = keys[next].mTime - keys[frame].mTime;
    if (diff < 0.0)
        diff += duration;
    return diff;
}

aiMatrix4x4 channelMatrix(const aiVector3D& position, const aiQuaternion& rotation,
                          const aiVector3D& scaling) {
    aiMatrix4x4 m(rotation.GetMatrix());
    m.a1 *= scaling.x;
    m.b1 *= scaling.x;
    m.c1 *= scaling.x;
    m.a2 *= scaling.y;
    m.b2 *= scaling.y;
    m.c2 *= scaling.y;
    m.a3 *= scaling.z;
    m.b3 *= scaling.z;
    m.c3 *= scaling.z;
    m.a4 = position.x;
    m.b4 = position.y;
    m.c4 = position.z;
    return m;
}

} // namespace

Animator::Animator(const aiScene* scene) : scene(scene) {
    if (scene != nullptr && scene->mRootNode != nullptr) {
        for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
            const aiMesh* mesh = scene->mMeshes[m];
            for (unsigned b = 0; b < mesh->mNumBones; ++b) {
                const aiString& name = mesh->mBones[b]->mName;
                boneNodes[name.C_Str()] = scene->mRootNode->FindNode(name);
            }
        }
    }
    setAnimation(0);
}

Animator::~Animator() {
    delete rootNode;
}

void Animator::setAnimation(std::size_t index) {
    if (currentAnimation == index)
        return;
    delete rootNode;
    rootNode = nullptr;
    keyCursors.clear();
    nodesBySceneNode.clear();
    meshBones.clear();
    currentAnimation = index;
    const bool present = scene != nullptr && index < scene->mNumAnimations;
    animation = present ? scene->mAnimations[index] : nullptr;
    if (scene != nullptr && scene->mRootNode != nullptr)
        rootNode = copyNodeTree(scene->mRootNode, nullptr);
    findMeshBones();
    if (animation != nullptr)
        keyCursors.assign(animation->mNumChannels, {0u, 0u, 0u});
}

// Each bone's node in the copied tree, found once by name so that drawing
// needs no name look-ups.
void Animator::findMeshBones() {
    if (scene == nullptr)
        return;
    meshBones.resize(scene->mNumMeshes);
    for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
        const aiMesh* mesh = scene->mMeshes[m];
        for (unsigned b = 0; b < mesh->mNumBones; ++b) {
            const auto named = boneNodes.find(mesh->mBones[b]->mName.C_Str());
            const aiNode* boneNode = named == boneNodes.end() ? nullptr : named->second;
            const auto copied = nodesBySceneNode.find(boneNode);
            meshBones[m].push_back(copied == nodesBySceneNode.end() ? nullptr : copied->second);
        }
    }
}

AnimNode* Animator::copyNodeTree(const aiNode* node, AnimNode* parent) {
    AnimNode* copy = new AnimNode();
    copy->name = node->mName.C_Str();
    copy->parent = parent;
    nodesBySceneNode[node] = copy;
    copy->localTransform = node->mTransformation;
    composeGlobalTransform(copy);
    if (currentAnimation < scene->mNumAnimations) {
        const aiAnimation* selected = scene->mAnimations[currentAnimation];
        for (unsigned c = 0; c < selected->mNumChannels; ++c) {
            if (selected->mChannels[c]->mNodeName == node->mName) {
                copy->channelIndex = c;
                break;
            }
        }
    }
    for (unsigned c = 0; c < node->mNumChildren; ++c)
        copy->children.push_back(copyNodeTree(node->mChildren[c], copy));
    return copy;
}

// Nodes are composed from the root down, so the parent's global transform is
// already up to date.
void Animator::composeGlobalTransform(AnimNode* node) {
    node->globalTransform = node->localTransform;
    if (node->parent != nullptr)
        node->globalTransform = node->parent->globalTransform * node->localTransform;
}

void Animator::sampleAnimation(double ticksPerSecond) {
    if (animation == nullptr || !(animation->mDuration > 0.0))
        return;
    // The file's own rate is ignored: every animation plays at the rate the
    // draw asks for.
    if (ticksPerSecond == 0.0)
        ticksPerSecond = 20.0;
    const double duration = animation->mDuration;
    const double seconds = animationClock / 1000.0;
    const double time = std::fmod(seconds * ticksPerSecond, duration);
    const bool forward = time >= previousTime;
    if (scratchMatrices.size() != animation->mNumChannels)
        scratchMatrices.resize(animation->mNumChannels, aiMatrix4x4());

    for (unsigned a = 0; a < animation->mNumChannels; ++a) {
        const aiNodeAnim* channel = animation->mChannels[a];
        std::array<unsigned, 3>& cursor = keyCursors[a];

        aiVector3D position(0.0f, 0.0f, 0.0f);
        if (channel->mNumPositionKeys > 0) {
            const aiVectorKey* keys = channel->mPositionKeys;
            const unsigned count = channel->mNumPositionKeys;
            const unsigned frame = findFrame(keys, count, time, forward ? cursor[0] : 0);
            const unsigned next = (frame + 1) % count;
            const double diff = keyInterval(keys, count, frame, duration);
            position = keys[frame].mValue;
            if (diff > 0.0) {
                const float factor = static_cast<float>((time - keys[frame].mTime) / diff);
                position += (keys[next].mValue - keys[frame].mValue) * factor;
            }
            cursor[0] = frame;
        }

        aiQuaternion rotation(1.0f, 0.0f, 0.0f, 0.0f);
        if (channel->mNumRotationKeys > 0) {
            const aiQuatKey* keys = channel->mRotationKeys;
            const unsigned count = channel->mNumRotationKeys;
            const unsigned frame = findFrame(keys, count, time, forward ? cursor[1] : 0);
            const unsigned next = (frame + 1) % count;
            const double diff = keyInterval(keys, count, frame, duration);
            rotation = keys[frame].mValue;
            if (diff > 0.0) {
                const float factor = static_cast<float>((time - keys[frame].mTime) / diff);
                aiQuaternion::Interpolate(rotation, keys[frame].mValue, keys[next].mValue, factor);
            }
            cursor[1] = frame;
        }

        // Scalings hold the earlier key's value until the next key.
        aiVector3D scaling(1.0f, 1.0f, 1.0f);
        if (channel->mNumScalingKeys > 0) {
            const aiVectorKey* keys = channel->mScalingKeys;
            const unsigned frame =
                findFrame(keys, channel->mNumScalingKeys, time, forward ? cursor[2] : 0);
            scaling = keys[frame].mValue;
            cursor[2] = frame;
        }

        scratchMatrices[a] = channelMatrix(position, rotation, scaling);
    }
    previousTime = time;
    if (rootNode != nullptr)
        applyChannelMatrices(rootNode, scratchMatrices);
}

void Animator::applyChannelMatrices(AnimNode* node, const std::vector<aiMatrix4x4>& matrices) {
    if (node->channelIndex != NOT_ANIMATED) {
        // A channel without a matrix leaves this whole subtree as it was.
        if (node->channelIndex >= matrices.size())
            return;
        node->localTransform = matrices[node->channelIndex];
    }
    composeGlobalTransform(node);
    for (AnimNode* child : node->children)
        applyChannelMatrices(child, matrices);
}

const aiMatrix4x4& Animator::globalTransformOf(const aiNode* node) const {
    const auto found = nodesBySceneNode.find(node);
    return found == nodesBySceneNode.end() ? identity : found->second->globalTransform;
}

const std::vector<aiMatrix4x4>& Animator::skinningMatrices(const aiNode* node, unsigned meshIndex) {
    if (node == nullptr || scene == nullptr || meshIndex >= node->mNumMeshes ||
        node->mMeshes[meshIndex] >= scene->mNumMeshes)
        return scratchMatrices;
    const unsigned meshNumber = node->mMeshes[meshIndex];
    const aiMesh* mesh = scene->mMeshes[meshNumber];
    for (aiMatrix4x4& matrix : scratchMatrices)
        matrix = aiMatrix4x4();
    scratchMatrices.resize(mesh->mNumBones, aiMatrix4x4());
    aiMatrix4x4 meshInverse = globalTransformOf(node);
    meshInverse.Inverse();
    for (unsigned b = 0; b < mesh->mNumBones; ++b) {
        const AnimNode* boneNode = meshBones[meshNumber][b];
        aiMatrix4x4 skinning = meshInverse;
        skinning *= boneNode != nullptr ? boneNode->globalTransform : identity;
        skinning *= mesh->mBones[b]->mOffsetMatrix;
        scratchMatrices[b] = skinning;
    }
    return scratchMatrices;
}

void bonesUploadForm(const std::vector<aiMatrix4x4>& matrices, float (&out)[MAX_BONES][16]) {
    for (int b = 0; b < MAX_BONES; ++b) {
        for (int i = 0; i < 16; ++i)
            out[b][i] = (i % 5 == 0) ? 1.0f : 0.0f;
    }
    const std::size_t count = matrices.size() < static_cast<std::size_t>(MAX_BONES)
                                  ? matrices.size()
                                  : static_cast<std::size_t>(MAX_BONES);
    // The importer stores rows; GL takes columns.
    for (std::size_t b = 0; b < count; ++b) {
        for (unsigned row = 0; row < 4; ++row) {
            for (unsigned column = 0; column < 4; ++column)
                out[b][column * 4 + row] = matrices[b][row][column];
        }
    }
}
