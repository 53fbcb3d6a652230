#include "ModelFixtures.h"

#include <SDL.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

const char* const QUAD_MODEL = R"(xof 0303txt 0032

Material Red {
 1.0;0.0;0.0;1.0;;
 10.0;
 0.0;0.0;0.0;;
 0.0;0.0;0.0;;
}

Material Skin {
 1.0;1.0;1.0;1.0;;
 0.0;
 0.0;0.0;0.0;;
 0.0;0.0;0.0;;
 TextureFilename { "maps\\skin.bmp"; }
}

Frame Root {
 FrameTransformMatrix {
  1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0;;
 }
 Mesh Quad {
  4;
  -1.0;0.0;-1.0;,
  1.0;0.0;-1.0;,
  1.0;2.0;1.0;,
  -1.0;2.0;1.0;;
  2;
  3;0,1,2;,
  3;0,2,3;;
  MeshNormals {
   1;
   0.0;-0.707;0.707;;
   2;
   3;0,0,0;,
   3;0,0,0;;
  }
  MeshTextureCoords {
   4;
   0.0;1.0;,
   1.0;0.0;,
   1.0;1.0;,
   0.0;0.25;;
  }
  MeshMaterialList {
   2;
   2;
   0,
   1;;
   { Red }
   { Skin }
  }
 }
}
)";

const char* const PLAIN_QUAD_MODEL = R"(xof 0303txt 0032

Frame Root {
 Mesh Quad {
  4;
  -1.0;0.0;-1.0;,
  1.0;0.0;-1.0;,
  1.0;2.0;1.0;,
  -1.0;2.0;1.0;;
  2;
  3;0,1,2;,
  3;0,2,3;;
  MeshNormals {
   1;
   0.0;-0.707;0.707;;
   2;
   3;0,0,0;,
   3;0,0,0;;
  }
 }
}
)";

const char* const SKINNED_MODEL = R"(xof 0303txt 0032

Frame Root {
 FrameTransformMatrix {
  1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0;;
 }
 Frame Hip {
  FrameTransformMatrix {
   1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0;;
  }
  Frame Chest {
   FrameTransformMatrix {
    1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,1.0,0.0,1.0;;
   }
  }
 }
 Frame Body {
  FrameTransformMatrix {
   1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0;;
  }
  Mesh Body {
   4;
   -0.5;0.0;0.0;,
   0.5;0.0;0.0;,
   0.5;2.0;0.0;,
   -0.5;2.0;0.0;;
   2;
   3;0,1,2;,
   3;0,2,3;;
   MeshNormals {
    1;
    0.0;0.0;1.0;;
    2;
    3;0,0,0;,
    3;0,0,0;;
   }
   MeshMaterialList {
    1;
    2;
    0,
    0;;
    Material {
     0.2;0.8;0.2;1.0;;
     0.0;
     0.0;0.0;0.0;;
     0.0;0.0;0.0;;
    }
   }
   XSkinMeshHeader {
    2;
    4;
    2;
   }
   SkinWeights {
    "Hip";
    2;
    0,
    1;
    1.0,
    1.0;
    1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0;;
   }
   SkinWeights {
    "Chest";
    2;
    2,
    3;
    1.0,
    1.0;
    1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,-1.0,0.0,1.0;;
   }
  }
 }
}

AnimationSet Bend {
 Animation {
  { Chest }
  AnimationKey {
   0;
   3;
   0;4;1.0,0.0,0.0,0.0;;,
   20;4;0.0,0.0,0.0,1.0;;,
   40;4;1.0,0.0,0.0,0.0;;;
  }
  AnimationKey {
   2;
   3;
   0;3;0.0,1.0,0.0;;,
   20;3;0.0,1.0,0.0;;,
   40;3;0.0,1.0,0.0;;;
  }
 }
}
)";

namespace {

const std::filesystem::path& fixtureFolder() {
    static std::filesystem::path folder;
    if (folder.empty()) {
        char pattern[] = "/tmp/model_tests_XXXXXX";
        const char* made = mkdtemp(pattern);
        folder = made != nullptr ? made : "/tmp/model_tests";
    }
    return folder;
}

std::string preparePath(const std::string& relativePath) {
    const std::filesystem::path path = fixtureFolder() / relativePath;
    std::filesystem::create_directories(path.parent_path());
    return path.string();
}

template <typename Key, typename Value>
Key* makeKeys(const std::vector<std::pair<double, Value>>& keys) {
    Key* made = new Key[keys.size()];
    for (std::size_t k = 0; k < keys.size(); ++k) {
        made[k].mTime = keys[k].first;
        made[k].mValue = keys[k].second;
    }
    return made;
}

} // namespace

std::string writeFixture(const std::string& relativePath, const std::string& text) {
    const std::string path = preparePath(relativePath);
    std::ofstream(path) << text;
    return path;
}

std::string writeBmpFixture(const std::string& relativePath, int width, int height) {
    const std::string path = preparePath(relativePath);
    SDL_Surface* image =
        SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 24, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_FillRect(image, nullptr, SDL_MapRGB(image->format, 200, 40, 40));
    SDL_SaveBMP(image, path.c_str());
    SDL_FreeSurface(image);
    return path;
}

aiMesh* makeTriangleMesh(unsigned materialIndex) {
    aiMesh* mesh = new aiMesh();
    mesh->mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
    mesh->mNumVertices = 3;
    mesh->mVertices = new aiVector3D[3]{{0.0f, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}};
    mesh->mNormals = new aiVector3D[3]{{0.0f, 0.0f, 1.0f}, {0.0f, 0.0f, 1.0f}, {0.0f, 0.0f, 1.0f}};
    mesh->mNumFaces = 1;
    mesh->mFaces = new aiFace[1];
    mesh->mFaces[0].mNumIndices = 3;
    mesh->mFaces[0].mIndices = new unsigned[3]{0, 1, 2};
    mesh->mMaterialIndex = materialIndex;
    return mesh;
}

aiBone* makeBone(const std::string& name, const std::vector<std::pair<unsigned, float>>& weights,
                 const aiMatrix4x4& offset) {
    aiBone* bone = new aiBone();
    bone->mName.Set(name);
    bone->mNumWeights = static_cast<unsigned>(weights.size());
    bone->mWeights = new aiVertexWeight[weights.size()];
    for (std::size_t w = 0; w < weights.size(); ++w)
        bone->mWeights[w] = aiVertexWeight(weights[w].first, weights[w].second);
    bone->mOffsetMatrix = offset;
    return bone;
}

void attachBones(aiMesh* mesh, const std::vector<aiBone*>& bones) {
    mesh->mNumBones = static_cast<unsigned>(bones.size());
    mesh->mBones = new aiBone*[bones.size()];
    for (std::size_t b = 0; b < bones.size(); ++b)
        mesh->mBones[b] = bones[b];
}

aiMaterial* makeMaterial() {
    return new aiMaterial();
}

aiMaterial* makeColoredMaterial(const aiColor4D& diffuse) {
    aiMaterial* material = new aiMaterial();
    material->AddProperty(&diffuse, 1, AI_MATKEY_COLOR_DIFFUSE);
    return material;
}

aiScene* makeScene(const std::vector<aiMesh*>& meshes, const std::vector<aiMaterial*>& materials) {
    aiScene* scene = new aiScene();
    scene->mRootNode = new aiNode("Root");
    scene->mNumMeshes = static_cast<unsigned>(meshes.size());
    scene->mMeshes = new aiMesh*[meshes.size()];
    scene->mRootNode->mNumMeshes = scene->mNumMeshes;
    scene->mRootNode->mMeshes = new unsigned[meshes.size()];
    for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
        scene->mMeshes[m] = meshes[m];
        scene->mRootNode->mMeshes[m] = m;
    }
    scene->mNumMaterials = static_cast<unsigned>(materials.size());
    scene->mMaterials = new aiMaterial*[materials.size()];
    for (std::size_t m = 0; m < materials.size(); ++m)
        scene->mMaterials[m] = materials[m];
    return scene;
}

aiNode* addChildNode(aiNode* parent, const std::string& name) {
    aiNode* child = new aiNode(name);
    parent->addChildren(1, &child);
    return child;
}

aiNodeAnim* makeChannel(const std::string& nodeName) {
    aiNodeAnim* channel = new aiNodeAnim();
    channel->mNodeName.Set(nodeName);
    return channel;
}

void setPositionKeys(aiNodeAnim* channel, const std::vector<std::pair<double, aiVector3D>>& keys) {
    channel->mNumPositionKeys = static_cast<unsigned>(keys.size());
    channel->mPositionKeys = makeKeys<aiVectorKey>(keys);
}

void setRotationKeys(aiNodeAnim* channel,
                     const std::vector<std::pair<double, aiQuaternion>>& keys) {
    channel->mNumRotationKeys = static_cast<unsigned>(keys.size());
    channel->mRotationKeys = makeKeys<aiQuatKey>(keys);
}

void setScalingKeys(aiNodeAnim* channel, const std::vector<std::pair<double, aiVector3D>>& keys) {
    channel->mNumScalingKeys = static_cast<unsigned>(keys.size());
    channel->mScalingKeys = makeKeys<aiVectorKey>(keys);
}

aiAnimation* makeAnimation(double duration, const std::vector<aiNodeAnim*>& channels) {
    aiAnimation* animation = new aiAnimation();
    animation->mDuration = duration;
    animation->mTicksPerSecond = 25.0;
    animation->mNumChannels = static_cast<unsigned>(channels.size());
    animation->mChannels = new aiNodeAnim*[channels.size()];
    for (std::size_t c = 0; c < channels.size(); ++c)
        animation->mChannels[c] = channels[c];
    return animation;
}

void attachAnimation(aiScene* scene, aiAnimation* animation) {
    scene->mNumAnimations = 1;
    scene->mAnimations = new aiAnimation* [1] { animation };
}
