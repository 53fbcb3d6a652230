#include "XFileWriter.h"

#include <glm/gtc/matrix_transform.hpp>

#include <cstdio>
#include <map>
#include <vector>

namespace {

// The importer's mirror of the z axis.
const glm::mat4 MIRROR_Z = glm::scale(glm::mat4(1.0f), glm::vec3(1.0f, 1.0f, -1.0f));

std::string number(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", static_cast<double>(value));
    // "-0.000000" reads fine but is noise in a diff.
    if (std::string(text) == "-0.000000")
        return "0.000000";
    return text;
}

// A matrix of the model frame as the file stores it: mirrored in z, written
// as the importer reads it back (a1, b1, c1, d1, a2, ...: column by column).
std::string fileMatrix(const glm::mat4& model) {
    const glm::mat4 stored = MIRROR_Z * model * MIRROR_Z;
    std::string text;
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row)
            text += number(stored[column][row]) + (column == 3 && row == 3 ? ";;" : ",");
    return text;
}

glm::mat4 boneLocal(const XModel& model, int bone, glm::vec3 offset, glm::vec3 axis,
                    float degrees) {
    const Bone& b = model.bones[bone];
    const glm::vec3 parentJoint = b.parent >= 0 ? model.bones[b.parent].joint : glm::vec3(0.0f);
    return translation(b.joint - parentJoint + offset) * rotationDegrees(degrees, axis);
}

class Writer {
  public:
    Writer(const XModel& model, std::FILE* file)
        : model(model), file(file), place(placementMatrix(model.placement)),
          unplace(glm::inverse(place)) {}

    void write() {
        std::fprintf(file, "xof 0303txt 0032\n\n");
        if (!model.animations.empty())
            std::fprintf(file, "AnimTicksPerSecond {\n 20;\n}\n\n");
        std::fprintf(file, "Frame Root {\n FrameTransformMatrix {\n  %s\n }\n\n",
                     fileMatrix(glm::mat4(1.0f)).c_str());
        writeMesh();
        for (std::size_t b = 0; b < model.bones.size(); ++b)
            if (model.bones[b].parent < 0)
                writeFrame(static_cast<int>(b), 1);
        std::fprintf(file, "}\n");
        for (const Animation& animation : model.animations)
            writeAnimation(animation);
    }

  private:
    // A transform of the design frame as the same transform of the model frame.
    glm::mat4 toModel(const glm::mat4& design) const { return place * design * unplace; }

    glm::vec3 position(glm::vec3 design) const {
        return glm::vec3(MIRROR_Z * place * glm::vec4(design, 1.0f));
    }
    glm::vec3 direction(glm::vec3 design) const {
        return glm::normalize(glm::vec3(MIRROR_Z * glm::vec4(model.placement.axes * design, 0.0f)));
    }

    void writeVectors(const std::vector<glm::vec3>& vectors) {
        for (std::size_t i = 0; i < vectors.size(); ++i) {
            const glm::vec3& v = vectors[i];
            std::fprintf(file, "  %s;%s;%s;%s\n", number(v.x).c_str(), number(v.y).c_str(),
                         number(v.z).c_str(), i + 1 == vectors.size() ? ";" : ",");
        }
    }

    void writeFaces() {
        const std::vector<Triangle>& faces = model.mesh.triangles;
        std::fprintf(file, "  %zu;\n", faces.size());
        for (std::size_t f = 0; f < faces.size(); ++f)
            std::fprintf(file, "  3;%u,%u,%u;%s\n", faces[f].corners[0], faces[f].corners[1],
                         faces[f].corners[2], f + 1 == faces.size() ? ";" : ",");
    }

    void writeMesh() {
        const std::vector<Vertex>& vertices = model.mesh.vertices;
        std::vector<glm::vec3> positions, normals;
        for (const Vertex& v : vertices) {
            positions.push_back(position(v.position));
            normals.push_back(direction(v.normal));
        }
        std::fprintf(file, " Mesh %sMesh {\n  %zu;\n", model.name.c_str(), vertices.size());
        writeVectors(positions);
        writeFaces();
        std::fprintf(file, "\n  MeshNormals {\n  %zu;\n", vertices.size());
        writeVectors(normals);
        writeFaces();
        std::fprintf(file, "  }\n");
        writeTextureCoords();
        if (model.vertexColors)
            writeVertexColors();
        writeMaterials();
        if (!model.bones.empty())
            writeSkin();
        std::fprintf(file, " }\n\n");
    }

    void writeTextureCoords() {
        const std::vector<Vertex>& vertices = model.mesh.vertices;
        std::fprintf(file, "\n  MeshTextureCoords {\n  %zu;\n", vertices.size());
        for (std::size_t i = 0; i < vertices.size(); ++i) {
            glm::vec2 uv = vertices[i].uv;
            // (0, 1) would come out of the importer as exactly zero, which
            // the game reads as "no coordinate".
            if (uv.x == 0.0f && uv.y == 1.0f)
                uv.x = 0.0001f;
            std::fprintf(file, "  %s;%s;%s\n", number(uv.x).c_str(), number(uv.y).c_str(),
                         i + 1 == vertices.size() ? ";" : ",");
        }
        std::fprintf(file, "  }\n");
    }

    void writeVertexColors() {
        const std::vector<Vertex>& vertices = model.mesh.vertices;
        std::fprintf(file, "\n  MeshVertexColors {\n  %zu;\n", vertices.size());
        for (std::size_t i = 0; i < vertices.size(); ++i) {
            const glm::vec4& c = vertices[i].color;
            std::fprintf(file, "  %zu;%s;%s;%s;%s;;%s\n", i, number(c.r).c_str(),
                         number(c.g).c_str(), number(c.b).c_str(), number(c.a).c_str(),
                         i + 1 == vertices.size() ? ";" : ",");
        }
        std::fprintf(file, "  }\n");
    }

    void writeMaterials() {
        const std::vector<Triangle>& faces = model.mesh.triangles;
        std::fprintf(file, "\n  MeshMaterialList {\n  %zu;\n  %zu;\n", model.materials.size(),
                     faces.size());
        for (std::size_t f = 0; f < faces.size(); ++f)
            std::fprintf(file, "  %d%s\n", faces[f].material, f + 1 == faces.size() ? ";;" : ",");
        for (std::size_t m = 0; m < model.materials.size(); ++m) {
            const Material& material = model.materials[m];
            const glm::vec4& d = material.diffuse;
            std::fprintf(file, "  Material %sMaterial%zu {\n   %s;%s;%s;%s;;\n   8.000000;\n",
                         model.name.c_str(), m, number(d.r).c_str(), number(d.g).c_str(),
                         number(d.b).c_str(), number(d.a).c_str());
            std::fprintf(file,
                         "   0.300000;0.300000;0.300000;;\n   0.000000;0.000000;0.000000;;\n");
            if (!material.texture.empty())
                std::fprintf(file, "   TextureFilename {\n    \"%s\";\n   }\n",
                             material.texture.c_str());
            std::fprintf(file, "  }\n");
        }
        std::fprintf(file, "  }\n");
    }

    void writeSkin() {
        std::map<int, std::vector<std::pair<std::size_t, float>>> weights;
        const std::vector<Vertex>& vertices = model.mesh.vertices;
        for (std::size_t i = 0; i < vertices.size(); ++i)
            for (const Influence& influence : vertices[i].influences)
                if (influence.bone >= 0 && influence.weight > 0.0f)
                    weights[influence.bone].emplace_back(i, influence.weight);
        std::fprintf(file, "\n  XSkinMeshHeader {\n   2;\n   4;\n   %zu;\n  }\n", weights.size());
        for (const auto& entry : weights) {
            const Bone& bone = model.bones[entry.first];
            const std::vector<std::pair<std::size_t, float>>& list = entry.second;
            std::fprintf(file, "\n  SkinWeights {\n   \"%s\";\n   %zu;\n", bone.name.c_str(),
                         list.size());
            for (std::size_t i = 0; i < list.size(); ++i)
                std::fprintf(file, "   %zu%s\n", list[i].first, i + 1 == list.size() ? ";" : ",");
            for (std::size_t i = 0; i < list.size(); ++i)
                std::fprintf(file, "   %s%s\n", number(list[i].second).c_str(),
                             i + 1 == list.size() ? ";" : ",");
            // The offset takes a rest vertex into the bone's own frame.
            const glm::mat4 offset = toModel(glm::inverse(translation(bone.joint)));
            std::fprintf(file, "   %s\n  }\n", fileMatrix(offset).c_str());
        }
    }

    void writeFrame(int bone, int depth) {
        const std::string indent(static_cast<std::size_t>(depth), ' ');
        const glm::mat4 local = toModel(boneLocal(model, bone, glm::vec3(0.0f), {1, 0, 0}, 0.0f));
        std::fprintf(file, "%sFrame %s {\n%s FrameTransformMatrix {\n%s  %s\n%s }\n",
                     indent.c_str(), model.bones[bone].name.c_str(), indent.c_str(), indent.c_str(),
                     fileMatrix(local).c_str(), indent.c_str());
        for (std::size_t child = 0; child < model.bones.size(); ++child)
            if (model.bones[child].parent == bone)
                writeFrame(static_cast<int>(child), depth + 1);
        std::fprintf(file, "%s}\n", indent.c_str());
    }

    glm::mat4 posedLocal(const Keyframe& key, int bone) const {
        for (const BonePose& pose : key.poses)
            if (pose.bone == bone)
                return boneLocal(model, bone, pose.offset, pose.axis, pose.degrees);
        return boneLocal(model, bone, glm::vec3(0.0f), {1, 0, 0}, 0.0f);
    }

    void writeAnimation(const Animation& animation) {
        std::fprintf(file, "\nAnimationSet %s {\n", animation.name.c_str());
        for (std::size_t b = 0; b < model.bones.size(); ++b) {
            std::fprintf(file, " Animation {\n  { %s }\n  AnimationKey {\n   4;\n   %zu;\n",
                         model.bones[b].name.c_str(), animation.keys.size());
            for (std::size_t k = 0; k < animation.keys.size(); ++k) {
                const Keyframe& key = animation.keys[k];
                const glm::mat4 local = toModel(posedLocal(key, static_cast<int>(b)));
                std::fprintf(file, "   %d;16;%s%s\n", key.tick, fileMatrix(local).c_str(),
                             k + 1 == animation.keys.size() ? ";" : ",");
            }
            std::fprintf(file, "  }\n }\n");
        }
        std::fprintf(file, "}\n");
    }

    const XModel& model;
    std::FILE* file;
    glm::mat4 place;
    glm::mat4 unplace;
};

} // namespace

glm::mat3 uprightAxes() {
    // Columns: where design x, y and z go.
    return glm::mat3(glm::vec3(1.0f, 0.0f, 0.0f), glm::vec3(0.0f, 0.0f, -1.0f),
                     glm::vec3(0.0f, 1.0f, 0.0f));
}

glm::mat4 placementMatrix(const Placement& placement) {
    return translation(placement.offset) * glm::mat4(placement.scale * placement.axes);
}

bool writeXFile(const XModel& model, const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    Writer(model, file).write();
    return std::fclose(file) == 0;
}
