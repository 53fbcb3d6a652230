#include "AssetTestSupport.h"

#include "sound/SoundFiles.h"

#include "model/Model.h"
#include "render/ShaderProgram.h"

#include <assimp/scene.h>
#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <fstream>
#include <iterator>

const char* const MODEL_NAMES[14] = {
    "mage",    "arena",       "skysphere",     "redmonster",   "greenmonster",
    "monster", "redparticle", "greenparticle", "blueparticle", "whiteparticle",
    "redrune", "greenrune",   "bluerune",      "whiterune"};

namespace {

const glm::mat4 IDENTITY(1.0f);
const glm::vec3 X_AXIS(1.0f, 0.0f, 0.0f);
const glm::vec3 Z_AXIS(0.0f, 0.0f, 1.0f);

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

std::string modelPath(const std::string& name) {
    return "../bin/objects/" + name + ".x";
}

std::string soundPath(int id) {
    return std::string("../bin/") + SOUND_FOLDER + SOUNDS[id].file;
}

glm::mat4 startPlacement(const std::string& name) {
    const glm::mat4 upright = glm::rotate(IDENTITY, glm::radians(90.0f), X_AXIS);
    if (name == "mage")
        return glm::translate(glm::rotate(upright, glm::radians(180.0f), Z_AXIS),
                              glm::vec3(0.0f, 0.0f, -0.36f));
    if (name == "arena")
        return glm::translate(glm::scale(upright, glm::vec3(25.0f)),
                              glm::vec3(0.0f, 0.29f, -0.0635f));
    if (name == "skysphere")
        return glm::scale(upright, glm::vec3(60.0f));
    if (endsWith(name, "monster"))
        return glm::scale(upright, glm::vec3(0.7f));
    if (endsWith(name, "particle"))
        return glm::translate(glm::scale(IDENTITY, glm::vec3(0.2f)), glm::vec3(0.0f, 0.2f, 0.0f));
    return upright; // runes
}

ShaderProgram* modelProgram() {
    static ShaderProgram* program = new ShaderProgram("../bin/shaders/modelshader");
    return program;
}

Model* loadPlacedModel(const std::string& name) {
    Model* model = new Model(modelPath(name), nullptr, nullptr, modelProgram());
    model->multiplyModelMatrix(startPlacement(name));
    if (!model->load()) {
        delete model;
        return nullptr;
    }
    return model;
}

glm::mat4 spawnCorner(int corner) {
    const float far = 44.5713844f, up = -2.45714045f;
    const glm::vec3 corners[4] = {
        {0.0f, far, up}, {-far, 0.0f, up}, {0.0f, -far, up}, {far, 0.0f, up}};
    return glm::translate(IDENTITY, corners[corner]);
}

std::vector<WorldVertex> worldVertices(const Model& model, const glm::mat4& matrix) {
    std::vector<WorldVertex> result;
    const glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(matrix)));
    for (unsigned m = 0; m < model.scene->mNumMeshes; ++m) {
        const aiMesh* mesh = model.scene->mMeshes[m];
        std::vector<float> strongest(mesh->mNumVertices, 0.0f);
        std::vector<std::string> bones(mesh->mNumVertices);
        for (unsigned b = 0; b < mesh->mNumBones; ++b)
            for (unsigned w = 0; w < mesh->mBones[b]->mNumWeights; ++w) {
                const aiVertexWeight& weight = mesh->mBones[b]->mWeights[w];
                if (weight.mWeight > strongest[weight.mVertexId]) {
                    strongest[weight.mVertexId] = weight.mWeight;
                    bones[weight.mVertexId] = mesh->mBones[b]->mName.C_Str();
                }
            }
        for (unsigned v = 0; v < mesh->mNumVertices; ++v) {
            const aiVector3D& p = mesh->mVertices[v];
            const aiVector3D& n = mesh->mNormals[v];
            WorldVertex vertex;
            vertex.position = glm::vec3(matrix * glm::vec4(p.x, p.y, p.z, 1.0f));
            vertex.normal = glm::normalize(normalMatrix * glm::vec3(n.x, n.y, n.z));
            vertex.bone = bones[v];
            result.push_back(vertex);
        }
    }
    return result;
}

std::vector<glm::vec3> worldTriangles(const Model& model, const glm::mat4& matrix,
                                      int leftOutMaterial) {
    std::vector<glm::vec3> result;
    for (unsigned m = 0; m < model.scene->mNumMeshes; ++m) {
        const aiMesh* mesh = model.scene->mMeshes[m];
        if (static_cast<int>(mesh->mMaterialIndex) == leftOutMaterial)
            continue;
        for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
            const aiFace& face = mesh->mFaces[f];
            if (face.mNumIndices != 3)
                continue;
            for (unsigned k = 0; k < 3; ++k) {
                const aiVector3D& p = mesh->mVertices[face.mIndices[k]];
                result.push_back(glm::vec3(matrix * glm::vec4(p.x, p.y, p.z, 1.0f)));
            }
        }
    }
    return result;
}

bool boneCentroid(const std::vector<WorldVertex>& vertices, const std::vector<std::string>& bones,
                  glm::vec3& centroid) {
    glm::vec3 sum(0.0f);
    int count = 0;
    for (const WorldVertex& v : vertices)
        if (std::find(bones.begin(), bones.end(), v.bone) != bones.end()) {
            sum += v.position;
            ++count;
        }
    if (count == 0)
        return false;
    centroid = sum / static_cast<float>(count);
    return true;
}

void worldExtent(const std::vector<WorldVertex>& vertices, glm::vec3& low, glm::vec3& high) {
    low = glm::vec3(1e9f);
    high = glm::vec3(-1e9f);
    for (const WorldVertex& v : vertices) {
        low = glm::min(low, v.position);
        high = glm::max(high, v.position);
    }
}

namespace {

uint32_t littleEndian(const std::string& bytes, std::size_t at, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

} // namespace

WavFile readWav(const std::string& path) {
    WavFile wav;
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
        wav.error = "not a RIFF/WAVE file";
        return wav;
    }
    if (littleEndian(bytes, 4, 4) != bytes.size() - 8) {
        wav.error = "RIFF size does not match the file's";
        return wav;
    }
    bool haveFormat = false, haveData = false;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string tag = bytes.substr(at, 4);
        const uint32_t size = littleEndian(bytes, at + 4, 4);
        const std::size_t body = at + 8;
        if (body + size > bytes.size()) {
            wav.error = "chunk '" + tag + "' runs past the end";
            return wav;
        }
        if (tag == "fmt " && size >= 16) {
            wav.format = static_cast<int>(littleEndian(bytes, body, 2));
            wav.channels = static_cast<int>(littleEndian(bytes, body + 2, 2));
            wav.rate = static_cast<int>(littleEndian(bytes, body + 4, 4));
            wav.bits = static_cast<int>(littleEndian(bytes, body + 14, 2));
            haveFormat = true;
        } else if (tag == "data" && haveFormat && wav.bits == 16) {
            for (std::size_t i = 0; i + 1 < size; i += 2)
                wav.samples.push_back(static_cast<int16_t>(littleEndian(bytes, body + i, 2)));
            haveData = true;
        }
        at = body + size + (size & 1); // chunks are padded to even sizes
    }
    if (!haveFormat || !haveData)
        wav.error = haveFormat ? "no 16-bit data chunk" : "no format chunk";
    return wav;
}
