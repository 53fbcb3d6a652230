#include "Models.h"
#include "Textures.h"
#include "WorldFit.h"

#include <algorithm>
#include <cmath>

namespace {

const float PI = 3.14159265358979f;

enum MageBone { HIPS, SPINE, HEAD, ARM_LEFT, ARM_RIGHT, LEG_LEFT, LEG_RIGHT, STAFF };

std::vector<Bone> mageSkeleton() {
    return {
        {"Hips", -1, {0.0f, 0.36f, 0.0f}},         {"Spine", HIPS, {0.0f, 0.46f, 0.0f}},
        {"Head", SPINE, {0.0f, 0.68f, 0.0f}},      {"ArmLeft", SPINE, {-0.14f, 0.63f, 0.0f}},
        {"ArmRight", SPINE, {0.14f, 0.63f, 0.0f}}, {"LegLeft", HIPS, {-0.07f, 0.34f, 0.0f}},
        {"LegRight", HIPS, {0.07f, 0.34f, 0.0f}},  {"Staff", ARM_RIGHT, {0.3f, 0.46f, -0.1f}},
    };
}

void buildLegs(MeshBuilder& b) {
    for (int side = -1; side <= 1; side += 2) {
        b.bindTo(side < 0 ? LEG_LEFT : LEG_RIGHT);
        const float x = 0.075f * side;
        b.area = mageTile(MAGE_BOOTS);
        b.box({x, 0.035f, -0.04f}, {0.09f, 0.07f, 0.17f});
        b.transform = translation({x, 0.06f, 0.0f});
        b.frustum(0.0f, 0.035f, 0.28f, 0.04f, 6, false, false);
        b.transform = glm::mat4(1.0f);
    }
}

// The robe's skirt follows the hips; its hem leans a little with each leg so
// the walk shows under the robe.
void buildSkirt(MeshBuilder& b, MeshData& mesh) {
    b.bindTo(HIPS);
    b.area = mageTile(MAGE_ROBE);
    const std::size_t first = mesh.vertices.size();
    b.frustum(0.05f, 0.28f, 0.47f, 0.13f, 12, true, false);
    for (std::size_t i = first; i < mesh.vertices.size(); ++i) {
        Vertex& v = mesh.vertices[i];
        const float legShare = 0.6f * std::clamp((0.3f - v.position.y) / 0.25f, 0.0f, 1.0f) *
                               std::min(1.0f, std::fabs(v.position.x) / 0.12f);
        if (legShare <= 0.0f)
            continue;
        v.influences[0] = {HIPS, 1.0f - legShare};
        v.influences[1] = {v.position.x < 0.0f ? LEG_LEFT : LEG_RIGHT, legShare};
    }
    b.area = mageTile(MAGE_BELT);
    b.transform = translation({0.0f, 0.44f, 0.0f});
    b.frustum(0.0f, 0.145f, 0.05f, 0.14f, 12, false, true);
    b.transform = glm::mat4(1.0f);
}

void buildBody(MeshBuilder& b) {
    b.bindTo(SPINE);
    b.area = mageTile(MAGE_ROBE);
    b.transform = translation({0.0f, 0.47f, 0.0f});
    b.frustum(0.0f, 0.135f, 0.17f, 0.11f, 10, false, false);
    b.transform = glm::mat4(1.0f);
    b.area = mageTile(MAGE_SLEEVE);
    b.ellipsoid({0.0f, 0.625f, 0.0f}, {0.17f, 0.055f, 0.11f}, 4, 10);
}

// A cape from the shoulders, flaring out behind down to the floor; both of
// its sides are drawn, the inside darker.
void buildCape(MeshBuilder& b, MeshData& mesh) {
    const int segments = 8;
    const float a0 = -PI * 0.45f, a1 = PI * 0.45f;
    auto point = [&](float angle, bool top) {
        const float r = top ? 0.15f : 0.4f, y = top ? 0.65f : 0.06f;
        return glm::vec3(r * std::sin(angle), y, (top ? 0.0f : 0.02f) + r * std::cos(angle));
    };
    const std::size_t first = mesh.vertices.size();
    for (int side = 0; side < 2; ++side) {
        b.area = mageTile(side == 0 ? MAGE_ROBE : MAGE_SLEEVE);
        for (int i = 0; i < segments; ++i) {
            const float s0 = a0 + (a1 - a0) * i / segments,
                        s1 = a0 + (a1 - a0) * (i + 1) / segments;
            const float u0 = static_cast<float>(i) / segments,
                        u1 = static_cast<float>(i + 1) / segments;
            const glm::vec3 b0 = point(s0, false), b1 = point(s1, false);
            const glm::vec3 t0 = point(s0, true), t1 = point(s1, true);
            if (side == 0)
                b.quad(b0, b1, t1, t0, {u0, 1}, {u1, 1}, {u1, 0}, {u0, 0});
            else
                b.quad(b1, b0, t0, t1, {u1, 1}, {u0, 1}, {u0, 0}, {u1, 0});
        }
    }
    for (std::size_t i = first; i < mesh.vertices.size(); ++i) {
        Vertex& v = mesh.vertices[i];
        const float upper = std::clamp((v.position.y - 0.2f) / 0.45f, 0.0f, 1.0f);
        v.influences[0] = {SPINE, upper};
        v.influences[1] = {HIPS, 1.0f - upper};
    }
}

void buildHead(MeshBuilder& b) {
    b.bindTo(HEAD);
    b.area = mageTile(MAGE_SKIN);
    b.ellipsoid({0.0f, 0.735f, 0.0f}, {0.075f, 0.08f, 0.075f}, 5, 8);
    b.box({0.0f, 0.73f, -0.078f}, {0.026f, 0.04f, 0.03f});
    b.area = mageTile(MAGE_EYES);
    for (int side = -1; side <= 1; side += 2)
        b.box({0.03f * side, 0.755f, -0.066f}, {0.02f, 0.02f, 0.012f});
    b.area = mageTile(MAGE_BEARD);
    b.transform = alongSegment({0.0f, 0.725f, -0.045f}, {0.0f, 0.55f, -0.09f});
    b.frustum(0.0f, 0.068f, 0.18f, 0.008f, 6, true, false);
    // The hat: a wide brim, a crown, and a tip bent back.
    b.area = mageTile(MAGE_HAT);
    b.transform = translation({0.0f, 0.79f, 0.0f});
    b.frustum(0.0f, 0.26f, 0.022f, 0.245f, 14, true, true);
    b.frustum(0.022f, 0.11f, 0.15f, 0.07f, 10, false, false);
    b.transform = translation({0.0f, 0.94f, 0.0f}) * rotationDegrees(28.0f, {1, 0, 0});
    b.frustum(0.0f, 0.07f, 0.12f, 0.0f, 10, false, false);
    b.transform = glm::mat4(1.0f);
}

void buildArms(MeshBuilder& b) {
    // Right arm holds the staff forward; the left is raised, a light in its palm.
    const glm::vec3 shoulders[2] = {{-0.15f, 0.63f, 0.0f}, {0.15f, 0.63f, 0.0f}};
    const glm::vec3 wrists[2] = {{-0.3f, 0.53f, -0.08f}, {0.29f, 0.48f, -0.09f}};
    const glm::vec3 hands[2] = {{-0.315f, 0.52f, -0.09f}, {0.3f, 0.46f, -0.1f}};
    for (int i = 0; i < 2; ++i) {
        b.bindTo(i == 0 ? ARM_LEFT : ARM_RIGHT);
        b.area = mageTile(MAGE_SLEEVE);
        b.transform = alongSegment(shoulders[i], wrists[i]);
        b.frustum(0.0f, 0.045f, glm::length(wrists[i] - shoulders[i]), 0.072f, 8, false, true);
        b.transform = glm::mat4(1.0f);
        b.area = mageTile(MAGE_SKIN);
        b.ellipsoid(hands[i], glm::vec3(0.036f), 3, 6);
    }
    b.bindTo(ARM_LEFT);
    b.area = mageTile(MAGE_CRYSTAL);
    b.ellipsoid({-0.315f, 0.585f, -0.09f}, glm::vec3(0.034f), 3, 6);
}

void buildStaff(MeshBuilder& b) {
    b.bindTo(STAFF);
    const glm::vec3 foot(0.3f, 0.1f, -0.1f), top(0.36f, 0.98f, -0.13f);
    b.area = mageTile(MAGE_WOOD);
    b.transform = alongSegment(foot, top);
    const float length = glm::length(top - foot);
    b.frustum(0.0f, 0.016f, length, 0.02f, 6, true, false);
    b.area = mageTile(MAGE_GOLD);
    b.frustum(length - 0.01f, 0.03f, length + 0.02f, 0.036f, 6, true, true);
    b.area = mageTile(MAGE_CRYSTAL);
    b.ellipsoid({0.0f, length + 0.075f, 0.0f}, {0.042f, 0.065f, 0.042f}, 2, 4);
    b.transform = glm::mat4(1.0f);
}

// A walk cycle of 24 ticks: legs swing opposite, arms counter-swing, the
// body bobs twice and twists a little.
Animation mageWalk() {
    Animation walk{"Walk", {}};
    for (int tick = 0; tick <= 24; tick += 3) {
        const float p = 2.0f * PI * tick / 24.0f;
        const float swing = std::sin(p);
        Keyframe key{tick, {}};
        key.poses.push_back({HIPS, {0, 1, 0}, 0.0f, {0.0f, 0.012f * std::cos(2.0f * p), 0.0f}});
        key.poses.push_back({SPINE, {0, 1, 0}, 6.0f * swing, {}});
        key.poses.push_back({HEAD, {0, 1, 0}, -5.0f * swing, {}});
        key.poses.push_back({LEG_RIGHT, {1, 0, 0}, 28.0f * swing, {}});
        key.poses.push_back({LEG_LEFT, {1, 0, 0}, -28.0f * swing, {}});
        key.poses.push_back({ARM_RIGHT, {1, 0, 0}, -18.0f * swing, {}});
        key.poses.push_back({ARM_LEFT, {1, 0, 0}, 12.0f * swing, {}});
        walk.keys.push_back(key);
    }
    return walk;
}

// World height of the mage's model origin once the floor is solved, or NaN.
struct MageFit {
    float scale;
    float pivotHeight;
};

bool fitFloor(glm::vec3 low, glm::vec3 high, float pivot, MageFit& fit) {
    Placement placement;
    placement.axes = uprightAxes();
    const glm::vec3 shift(0.0f, -pivot, 0.0f);
    auto lowestPoint = [&](double scale) {
        placement.scale = static_cast<float>(scale);
        // Feet are the lowest design points; after the turn they stay lowest.
        return static_cast<double>(worldPoint(low + shift, high + shift, placement, magePlacement(),
                                              glm::vec3(0.0f, low.y - pivot, 0.0f))
                                       .y);
    };
    double scale = 0.0;
    if (!findRoot(lowestPoint, 0.01, 100.0, scale))
        return false;
    placement.scale = static_cast<float>(scale);
    fit.scale = placement.scale;
    fit.pivotHeight =
        worldPoint(low + shift, high + shift, placement, magePlacement(), glm::vec3(0.0f)).y;
    return true;
}

} // namespace

void shiftDesign(XModel& model, glm::vec3 delta) {
    for (Vertex& v : model.mesh.vertices)
        v.position += delta;
    for (Bone& bone : model.bones)
        bone.joint += delta;
}

BuiltModel buildMage() {
    BuiltModel built;
    XModel& model = built.model;
    model.name = "Mage";
    model.materials.push_back({glm::vec4(1.0f), "mage.bmp"});
    model.bones = mageSkeleton();
    MeshBuilder b(model.mesh);
    buildLegs(b);
    buildSkirt(b, model.mesh);
    buildBody(b);
    buildCape(b, model.mesh);
    buildHead(b);
    buildArms(b);
    buildStaff(b);
    model.animations.push_back(mageWalk());

    // The model origin is where the game keeps the mage's position; it must
    // sit on the body's axis at the resting height, and the feet on the floor.
    glm::vec3 low, high;
    designBounds(model, low, high);
    auto pivotError = [&](double pivot) {
        MageFit fit{};
        if (!fitFloor(low, high, static_cast<float>(pivot), fit))
            return std::nan("");
        return static_cast<double>(fit.pivotHeight - MAGE_RESTING_HEIGHT);
    };
    double pivot = 0.0;
    MageFit fit{};
    if (!findRoot(pivotError, 0.05, 0.5, pivot, false) ||
        !fitFloor(low, high, static_cast<float>(pivot), fit)) {
        built.error = "the mage's floor and resting height have no solution";
        return built;
    }
    shiftDesign(model, glm::vec3(0.0f, -static_cast<float>(pivot), 0.0f));
    model.placement.axes = uprightAxes();
    model.placement.scale = fit.scale;
    return built;
}
