#include "Models.h"
#include "Textures.h"
#include "WorldFit.h"

#include <cmath>

namespace {

const float PI = 3.14159265358979f;

enum MonsterBone { HIPS, SPINE, HEAD, ARM_LEFT, ARM_RIGHT, LEG_LEFT, LEG_RIGHT };

// Where a monster's joints sit; the three kinds share the skeleton's shape.
struct Joints {
    float hip;      // height of the hip joints
    float hipWidth; // half distance between them
    float spine;    // height of the spine joint
    float neck;     // head joint
    float neckForward;
    float shoulder; // height of the shoulder joints
    float shoulderWidth;
};

std::vector<Bone> skeleton(const Joints& j) {
    return {
        {"Hips", -1, {0.0f, j.hip + 0.04f, 0.0f}},
        {"Spine", HIPS, {0.0f, j.spine, 0.0f}},
        {"Head", SPINE, {0.0f, j.neck, j.neckForward}},
        {"ArmLeft", SPINE, {-j.shoulderWidth, j.shoulder, 0.0f}},
        {"ArmRight", SPINE, {j.shoulderWidth, j.shoulder, 0.0f}},
        {"LegLeft", HIPS, {-j.hipWidth, j.hip, 0.0f}},
        {"LegRight", HIPS, {j.hipWidth, j.hip, 0.0f}},
    };
}

void limb(MeshBuilder& b, glm::vec3 from, glm::vec3 to, float r0, float r1, int sides) {
    b.transform = alongSegment(from, to);
    b.frustum(0.0f, r0, glm::length(to - from), r1, sides, true, true);
    b.transform = glm::mat4(1.0f);
}

// A walk of `ticks` ticks: legs and arms swing in opposition, the body bobs
// and twists; `stomp` scales the whole motion.
Animation walkCycle(int ticks, float legSwing, float armSwing, float twist, float bob) {
    Animation walk{"Walk", {}};
    const int step = ticks / 8;
    for (int tick = 0; tick <= ticks; tick += step) {
        const float p = 2.0f * PI * tick / ticks;
        const float swing = std::sin(p);
        Keyframe key{tick, {}};
        key.poses.push_back({HIPS, {0, 1, 0}, 0.0f, {0.0f, bob * std::cos(2.0f * p), 0.0f}});
        key.poses.push_back({SPINE, {0, 1, 0}, twist * swing, {}});
        key.poses.push_back({HEAD, {1, 0, 0}, 4.0f * std::cos(2.0f * p), {}});
        key.poses.push_back({LEG_RIGHT, {1, 0, 0}, legSwing * swing, {}});
        key.poses.push_back({LEG_LEFT, {1, 0, 0}, -legSwing * swing, {}});
        key.poses.push_back({ARM_RIGHT, {1, 0, 0}, -armSwing * swing, {}});
        key.poses.push_back({ARM_LEFT, {1, 0, 0}, armSwing * swing, {}});
        walk.keys.push_back(key);
    }
    return walk;
}

// A broad horned brute with heavy fists.
void buildRedBrute(XModel& model) {
    const Joints j{0.38f, 0.13f, 0.46f, 0.78f, -0.05f, 0.72f, 0.27f};
    model.bones = skeleton(j);
    MeshBuilder b(model.mesh);
    for (int side = -1; side <= 1; side += 2) {
        b.bindTo(side < 0 ? LEG_LEFT : LEG_RIGHT);
        b.area = monsterTile(MONSTER_SKIN);
        limb(b, {0.13f * side, 0.4f, 0.0f}, {0.15f * side, 0.07f, 0.0f}, 0.09f, 0.07f, 7);
        b.area = monsterTile(MONSTER_DARK);
        b.box({0.15f * side, 0.04f, -0.04f}, {0.15f, 0.08f, 0.22f});
    }
    b.bindTo(HIPS);
    b.area = monsterTile(MONSTER_DARK);
    b.box({0.0f, 0.43f, 0.0f}, {0.38f, 0.15f, 0.25f});
    b.bindTo(SPINE);
    b.area = monsterTile(MONSTER_SKIN);
    b.ellipsoid({0.0f, 0.62f, 0.02f}, {0.27f, 0.2f, 0.18f}, 4, 8);
    for (int side = -1; side <= 1; side += 2)
        b.ellipsoid({0.25f * side, 0.72f, 0.0f}, glm::vec3(0.1f), 3, 6);
    b.bindTo(HEAD);
    b.box({0.0f, 0.83f, -0.1f}, {0.21f, 0.18f, 0.2f});
    b.area = monsterTile(MONSTER_DARK);
    b.box({0.0f, 0.755f, -0.15f}, {0.19f, 0.06f, 0.12f});
    b.area = monsterTile(MONSTER_EYES);
    for (int side = -1; side <= 1; side += 2)
        b.box({0.05f * side, 0.86f, -0.2f}, {0.055f, 0.032f, 0.02f});
    b.area = monsterTile(MONSTER_ACCENT);
    for (int side = -1; side <= 1; side += 2)
        limb(b, {0.09f * side, 0.9f, -0.1f}, {0.21f * side, 1.03f, -0.04f}, 0.045f, 0.0f, 6);
    for (int side = -1; side <= 1; side += 2) {
        b.bindTo(side < 0 ? ARM_LEFT : ARM_RIGHT);
        b.area = monsterTile(MONSTER_SKIN);
        limb(b, {0.27f * side, 0.72f, 0.0f}, {0.33f * side, 0.5f, -0.03f}, 0.085f, 0.07f, 7);
        limb(b, {0.33f * side, 0.5f, -0.03f}, {0.34f * side, 0.31f, -0.06f}, 0.075f, 0.065f, 7);
        b.area = monsterTile(MONSTER_DARK);
        b.box({0.34f * side, 0.25f, -0.07f}, glm::vec3(0.14f));
    }
    model.animations.push_back(walkCycle(32, 22.0f, 18.0f, 8.0f, 0.02f));
}

// A lanky goblin: big head, long ears, long arms with claws.
void buildGreenGoblin(XModel& model) {
    const Joints j{0.36f, 0.08f, 0.44f, 0.7f, -0.07f, 0.66f, 0.14f};
    model.bones = skeleton(j);
    MeshBuilder b(model.mesh);
    for (int side = -1; side <= 1; side += 2) {
        b.bindTo(side < 0 ? LEG_LEFT : LEG_RIGHT);
        b.area = monsterTile(MONSTER_SKIN);
        limb(b, {0.08f * side, 0.38f, 0.0f}, {0.1f * side, 0.06f, 0.02f}, 0.045f, 0.035f, 6);
        b.box({0.1f * side, 0.03f, -0.05f}, {0.08f, 0.06f, 0.18f});
    }
    b.bindTo(HIPS);
    b.area = monsterTile(MONSTER_DARK);
    b.transform = translation({0.0f, 0.29f, 0.0f});
    b.frustum(0.0f, 0.14f, 0.16f, 0.11f, 8, true, true);
    b.transform = glm::mat4(1.0f);
    b.bindTo(SPINE);
    b.area = monsterTile(MONSTER_SKIN);
    limb(b, {0.0f, 0.42f, 0.0f}, {0.0f, 0.68f, -0.06f}, 0.11f, 0.13f, 8);
    b.bindTo(HEAD);
    b.ellipsoid({0.0f, 0.8f, -0.12f}, {0.12f, 0.1f, 0.12f}, 4, 8);
    limb(b, {0.0f, 0.8f, -0.22f}, {0.0f, 0.75f, -0.33f}, 0.032f, 0.0f, 5);
    for (int side = -1; side <= 1; side += 2)
        limb(b, {0.1f * side, 0.82f, -0.1f}, {0.33f * side, 0.91f, -0.05f}, 0.05f, 0.0f, 5);
    b.area = monsterTile(MONSTER_EYES);
    for (int side = -1; side <= 1; side += 2)
        b.box({0.05f * side, 0.83f, -0.225f}, {0.045f, 0.035f, 0.02f});
    for (int side = -1; side <= 1; side += 2) {
        b.bindTo(side < 0 ? ARM_LEFT : ARM_RIGHT);
        b.area = monsterTile(MONSTER_SKIN);
        limb(b, {0.14f * side, 0.66f, -0.04f}, {0.24f * side, 0.3f, -0.12f}, 0.04f, 0.03f, 6);
        b.area = monsterTile(MONSTER_ACCENT);
        for (int claw = -1; claw <= 1; ++claw)
            limb(b, {0.24f * side, 0.3f, -0.12f},
                 {(0.26f + 0.02f * claw) * side, 0.22f, -0.16f + 0.02f * claw}, 0.015f, 0.0f, 4);
    }
    model.animations.push_back(walkCycle(24, 30.0f, 26.0f, 6.0f, 0.015f));
}

// A squat stone golem with one cold blue eye.
void buildStoneGolem(XModel& model) {
    const Joints j{0.34f, 0.14f, 0.44f, 0.78f, -0.03f, 0.7f, 0.28f};
    model.bones = skeleton(j);
    MeshBuilder b(model.mesh);
    for (int side = -1; side <= 1; side += 2) {
        b.bindTo(side < 0 ? LEG_LEFT : LEG_RIGHT);
        b.area = monsterTile(MONSTER_SKIN);
        limb(b, {0.14f * side, 0.36f, 0.0f}, {0.15f * side, 0.06f, 0.0f}, 0.08f, 0.09f, 6);
        b.area = monsterTile(MONSTER_DARK);
        b.box({0.15f * side, 0.04f, -0.02f}, {0.17f, 0.08f, 0.21f});
    }
    b.bindTo(SPINE);
    b.area = monsterTile(MONSTER_SKIN);
    b.ellipsoid({0.0f, 0.56f, 0.0f}, {0.27f, 0.26f, 0.22f}, 4, 7);
    b.area = monsterTile(MONSTER_ACCENT);
    limb(b, {0.08f, 0.66f, 0.15f}, {0.12f, 0.82f, 0.25f}, 0.05f, 0.0f, 4);
    limb(b, {-0.06f, 0.7f, 0.14f}, {-0.1f, 0.9f, 0.22f}, 0.06f, 0.0f, 4);
    b.bindTo(HEAD);
    b.area = monsterTile(MONSTER_SKIN);
    b.transform = translation({0.0f, 0.86f, -0.05f}) * rotationDegrees(8.0f, {0, 0, 1});
    b.box(glm::vec3(0.0f), {0.17f, 0.14f, 0.16f});
    b.transform = glm::mat4(1.0f);
    b.area = monsterTile(MONSTER_EYES);
    b.box({0.0f, 0.87f, -0.135f}, {0.08f, 0.05f, 0.02f});
    for (int side = -1; side <= 1; side += 2) {
        b.bindTo(side < 0 ? ARM_LEFT : ARM_RIGHT);
        b.area = monsterTile(MONSTER_SKIN);
        limb(b, {0.28f * side, 0.7f, 0.0f}, {0.36f * side, 0.44f, -0.02f}, 0.08f, 0.075f, 6);
        b.area = monsterTile(MONSTER_DARK);
        b.ellipsoid({0.37f * side, 0.34f, -0.04f}, glm::vec3(0.1f), 3, 6);
    }
    model.animations.push_back(walkCycle(24, 24.0f, 14.0f, 10.0f, 0.025f));
}

// The model origin sits at the top of the head (the height the corner
// translations lift it by then brings the feet onto the floor), which keeps
// the load scale large enough for the spawn corners to lie outside the arena.
std::string fitMonster(XModel& model) {
    glm::vec3 low, high;
    designBounds(model, low, high);
    const glm::vec3 shift(0.0f, -high.y, 0.0f);
    Placement placement;
    placement.axes = uprightAxes();
    auto feet = [&](double scale) {
        placement.scale = static_cast<float>(scale);
        return static_cast<double>(worldPoint(low + shift, high + shift, placement,
                                              monsterPlacement(), {0.0f, low.y - high.y, 0.0f},
                                              monsterCorner(0))
                                       .y);
    };
    double scale = 0.0;
    if (!findRoot(feet, 0.01, 100.0, scale))
        return "no scale puts the monster's feet on the floor";
    placement.scale = static_cast<float>(scale);
    for (int corner = 0; corner < 4; ++corner) {
        const glm::vec3 origin =
            worldPoint(low + shift, high + shift, placement, monsterPlacement(), glm::vec3(0.0f),
                       monsterCorner(corner));
        if (std::fabs(origin.x) < 7.6f && std::fabs(origin.z) < 7.6f)
            return "a spawn corner lies inside the arena";
    }
    shiftDesign(model, shift);
    model.placement = placement;
    return "";
}

} // namespace

BuiltModel buildMonster(MonsterKind kind) {
    BuiltModel built;
    XModel& model = built.model;
    switch (kind) {
    case RED_MONSTER:
        model.name = "RedMonster";
        model.materials.push_back({glm::vec4(1.0f), "redmonster.bmp"});
        buildRedBrute(model);
        break;
    case GREEN_MONSTER:
        model.name = "GreenMonster";
        model.materials.push_back({glm::vec4(1.0f), "greenmonster.bmp"});
        buildGreenGoblin(model);
        break;
    case PLAIN_MONSTER:
        model.name = "Monster";
        model.materials.push_back({glm::vec4(1.0f), "monster.bmp"});
        buildStoneGolem(model);
        break;
    }
    built.error = fitMonster(model);
    return built;
}
