#pragma once

#include "Geometry.h"

#include <glm/glm.hpp>

#include <string>
#include <vector>

// Everything one ".x" file holds, in the design frame of Geometry.h.

struct Material {
    glm::vec4 diffuse{1.0f};
    std::string texture; // file name beside the model, empty for none
};

// A joint of the skeleton. Its rest transform is a pure translation to its
// joint position, so the animation keys are easy to author.
struct Bone {
    std::string name;
    int parent = -1;       // -1: hangs under the root frame
    glm::vec3 joint{0.0f}; // rest position in the design frame
};

// One sampled pose per key: for each animated bone a rotation (degrees about
// an axis, applied at the joint) and an offset added to its rest position.
struct BonePose {
    int bone = 0;
    glm::vec3 axis{1.0f, 0.0f, 0.0f};
    float degrees = 0.0f;
    glm::vec3 offset{0.0f};
};

struct Keyframe {
    int tick = 0;
    std::vector<BonePose> poses;
};

struct Animation {
    std::string name;
    std::vector<Keyframe> keys; // ascending ticks; the last repeats the first for a seamless loop
};

// How the design frame becomes the importer's model frame: imported point =
// scale * axes * design point + offset.
struct Placement {
    glm::mat3 axes{1.0f};
    float scale = 1.0f;
    glm::vec3 offset{0.0f};
};

struct XModel {
    std::string name;
    MeshData mesh;
    std::vector<Material> materials;
    bool vertexColors = false;
    std::vector<Bone> bones;
    std::vector<Animation> animations;
    Placement placement;
};

// The design frame turned so that design up (+y) becomes the model's -z and
// design back (+z) its +y: the frame the game stands its figures and flat
// scenery up from with a quarter turn about x.
glm::mat3 uprightAxes();
