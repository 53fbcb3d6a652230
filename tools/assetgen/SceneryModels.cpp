#include "Models.h"
#include "Textures.h"
#include "WorldFit.h"

#include <cmath>

namespace {

const float PI = 3.14159265358979f;
const float EMBLEM_RADIUS = 2.0f;
const float RIM_HEIGHT = 0.28f;
const float GATE_HALF_ANGLE = 7.5f * PI / 180.0f;
const float FLOOR_DEPTH = 0.5f;

enum ArenaMaterial { FLOOR, EMBLEM, WALL };

glm::vec3 onCircle(float radius, float angle, float height) {
    return {radius * std::sin(angle), height, radius * std::cos(angle)};
}

// The floor tiles across the whole disc in world units.
void tileFloor(MeshData& mesh, std::size_t first) {
    for (std::size_t i = first; i < mesh.vertices.size(); ++i) {
        const glm::vec3& p = mesh.vertices[i].position;
        mesh.vertices[i].uv = glm::vec2(p.x, p.z) / FLOOR_TILE_WORLD + glm::vec2(0.5f);
    }
}

// One stretch of the rim wall between two gates, from angle a0 to a1.
void wallStretch(MeshBuilder& b, float a0, float a1) {
    const int segments = 10;
    const float inner = ARENA_RIM_INNER, outer = ARENA_RIM_OUTER, h = RIM_HEIGHT;
    for (int i = 0; i < segments; ++i) {
        const float s0 = a0 + (a1 - a0) * i / segments, s1 = a0 + (a1 - a0) * (i + 1) / segments;
        const float u0 = 0.0f, u1 = 1.0f;
        // Outer face, seen from outside, runs towards increasing angle to the right.
        b.quad(onCircle(outer, s0, 0.0f), onCircle(outer, s1, 0.0f), onCircle(outer, s1, h),
               onCircle(outer, s0, h), {u0, 1}, {u1, 1}, {u1, 0}, {u0, 0});
        b.quad(onCircle(inner, s1, 0.0f), onCircle(inner, s0, 0.0f), onCircle(inner, s0, h),
               onCircle(inner, s1, h), {u0, 1}, {u1, 1}, {u1, 0}, {u0, 0});
        b.quad(onCircle(outer, s0, h), onCircle(outer, s1, h), onCircle(inner, s1, h),
               onCircle(inner, s0, h), {u0, 0.6f}, {u1, 0.6f}, {u1, 0.1f}, {u0, 0.1f});
    }
    // End faces at the gates.
    b.quad(onCircle(inner, a0, 0.0f), onCircle(outer, a0, 0.0f), onCircle(outer, a0, h),
           onCircle(inner, a0, h), {0, 1}, {0.3f, 1}, {0.3f, 0}, {0, 0});
    b.quad(onCircle(outer, a1, 0.0f), onCircle(inner, a1, 0.0f), onCircle(inner, a1, h),
           onCircle(outer, a1, h), {0, 1}, {0.3f, 1}, {0.3f, 0}, {0, 0});
}

void gatePillars(MeshBuilder& b, float gateAngle) {
    const float middle = 0.5f * (ARENA_RIM_INNER + ARENA_RIM_OUTER);
    for (int side = -1; side <= 1; side += 2) {
        const float angle = gateAngle + side * (GATE_HALF_ANGLE + 0.02f);
        const glm::vec3 base = onCircle(middle, angle, 0.0f);
        b.transform = translation(base) * rotationDegrees(angle * 180.0f / PI, {0, 1, 0});
        b.box({0.0f, 0.45f, 0.0f}, {0.5f, 0.9f, 0.5f});
        b.box({0.0f, 0.95f, 0.0f}, {0.62f, 0.1f, 0.62f});
        b.transform = glm::mat4(1.0f);
    }
}

} // namespace

BuiltModel buildArena() {
    BuiltModel built;
    XModel& model = built.model;
    model.name = "Arena";
    model.materials = {{glm::vec4(1.0f), "arenafloor.bmp"},
                       {glm::vec4(1.0f), "arenaemblem.bmp"},
                       {glm::vec4(1.0f), "arenawall.bmp"}};
    MeshBuilder b(model.mesh);
    b.material = EMBLEM;
    b.flatDisc(0.0f, EMBLEM_RADIUS, 64);
    b.material = FLOOR;
    const std::size_t floorStart = model.mesh.vertices.size();
    b.flatRing(0.0f, EMBLEM_RADIUS, 5.0f, 64);
    b.flatRing(0.0f, 5.0f, ARENA_FLOOR_RADIUS, 64);
    tileFloor(model.mesh, floorStart);
    b.material = WALL;
    // The platform's edge drops away below the floor.
    b.frustum(-FLOOR_DEPTH, ARENA_FLOOR_RADIUS, 0.0f, ARENA_FLOOR_RADIUS, 64, false, false);
    for (int gate = 0; gate < 4; ++gate) {
        const float centre = gate * PI * 0.5f;
        wallStretch(b, centre + GATE_HALF_ANGLE, centre + PI * 0.5f - GATE_HALF_ANGLE);
        gatePillars(b, centre);
    }

    model.placement.axes = uprightAxes();
    if (!fitExactly(model, 25.0f, {0.0f, 0.29f, -0.0635f}, arenaPlacement()))
        built.error = "no scale puts the arena floor at height 0";
    return built;
}

BuiltModel buildSky() {
    BuiltModel built;
    XModel& model = built.model;
    model.name = "Sky";
    model.materials.push_back({glm::vec4(1.0f), "sky.bmp"});
    MeshBuilder b(model.mesh);
    // Seen from inside; a unit sphere around the origin loads to radius
    // 60 / sqrt(6), about 24.5, centred on the arena.
    b.inward = true;
    b.ellipsoid(glm::vec3(0.0f), glm::vec3(1.0f), 16, 32);
    // Smooth, inward normals: the sky is lit as one even dome, not in facets.
    for (Vertex& v : model.mesh.vertices)
        v.normal = -glm::normalize(v.position);
    model.placement.axes = uprightAxes();
    return built;
}
