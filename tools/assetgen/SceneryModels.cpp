#include "Models.h"
#include "Textures.h"
#include "WorldFit.h"

#include "model/FloorBasin.h"

#include <cmath>
#include <vector>

namespace {

const float PI = 3.14159265358979f;
const float EMBLEM_RADIUS = 2.0f;
const float RIM_HEIGHT = 0.28f;
const float GATE_HALF_ANGLE = 7.5f * PI / 180.0f;
const float FLOOR_DEPTH = 0.5f;

enum ArenaMaterial { FLOOR, EMBLEM, WALL, SKY_BELOW };
// The game leaves the basin out while its camera cannot see under the floor.
static_assert(SKY_BELOW == FLOOR_BASIN_MATERIAL, "the game knows the basin by its material");

glm::vec3 onCircle(float radius, float angle, float height) {
    return {radius * std::sin(angle), height, radius * std::cos(angle)};
}

// The sky is a dome of this radius around the arena's centre above the
// horizon. Below the horizon the arena hides most of a sphere from every eye
// above the floor, and since the sky is drawn before the arena, a sphere
// there would mostly be shaded only to be drawn over. Instead the sky goes
// on as a shallow trough around the platform: down from the horizon, in
// along a flat bottom deep enough that an eye above the floor never has it
// inside the camera's near plane, and up again into the platform's side, so
// that every look below the horizon from above the floor meets the arena or
// the sky.
const float SKY_RADIUS = 24.4949f; // what the unit sphere of earlier builds loaded to
const int SKY_SIDES = 32;
const int DOME_RINGS = 8;
const int TROUGH_RINGS = 6;
const float TROUGH_DEPTH = 2.5f;
const float TROUGH_INNER_RADIUS = ARENA_FLOOR_RADIUS - 0.1f;
const float TROUGH_INNER_TOP = -0.3f; // within the platform's side, which drops to -FLOOR_DEPTH
// Inside the platform, below the floor, a basin of the sky (see buildArena).
const float SKY_BASIN_RADIUS = TROUGH_INNER_RADIUS;
const float SKY_BASIN_DEPTH = 15.0f;
// Off the dome the sky shows what the dome's sphere would show behind it,
// as seen from this eye above the arena's centre.
const glm::vec3 SKY_REFERENCE_EYE(0.0f, 5.0f, 0.0f);

// Where the look from the reference eye through a point meets the dome's
// sphere (a point on the sphere is its own).
glm::vec3 skyPointBehind(glm::vec3 point) {
    const glm::vec3 d = glm::normalize(point - SKY_REFERENCE_EYE);
    const float along = glm::dot(SKY_REFERENCE_EYE, d);
    const float reach =
        along * along - glm::dot(SKY_REFERENCE_EYE, SKY_REFERENCE_EYE) + SKY_RADIUS * SKY_RADIUS;
    return SKY_REFERENCE_EYE + (std::sqrt(reach) - along) * d;
}

// The sky's outline, (radius, height) from the zenith down to the horizon
// and round the trough.
std::vector<glm::vec2> skyProfile() {
    std::vector<glm::vec2> rings;
    for (int ring = 0; ring <= DOME_RINGS; ++ring) {
        const float latitude = 0.5f * PI * ring / DOME_RINGS;
        rings.push_back(SKY_RADIUS * glm::vec2(std::sin(latitude), std::cos(latitude)));
    }
    for (int ring = 0; ring <= TROUGH_RINGS; ++ring) {
        const float t = static_cast<float>(ring) / TROUGH_RINGS;
        rings.push_back({glm::mix(SKY_RADIUS, TROUGH_INNER_RADIUS, t), -TROUGH_DEPTH});
    }
    rings.push_back({TROUGH_INNER_RADIUS, TROUGH_INNER_TOP});
    return rings;
}

// The floor's rings are cut this fine, in world units.
const float FLOOR_STEP = 1.0f;

// A flat ring facing up, cut into rings about FLOOR_STEP wide.
void fineFlatRing(MeshBuilder& b, float inner, float outer, int sides) {
    const int rings = static_cast<int>(std::ceil((outer - inner) / FLOOR_STEP - 1e-3f));
    for (int ring = 0; ring < rings; ++ring)
        b.flatRing(0.0f, inner + (outer - inner) * ring / rings,
                   inner + (outer - inner) * (ring + 1) / rings, sides);
}

// A texture laid once across a disc of the given radius, seen from above.
void mapAcross(MeshData& mesh, std::size_t first, float radius) {
    for (std::size_t i = first; i < mesh.vertices.size(); ++i) {
        const glm::vec3& p = mesh.vertices[i].position;
        mesh.vertices[i].uv = glm::vec2(0.5f) + 0.5f * glm::vec2(p.x, p.z) / radius;
    }
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
                       {glm::vec4(1.0f), "arenawall.bmp"},
                       {glm::vec4(1.0f), "sky.bmp"}};
    MeshBuilder b(model.mesh);
    // The light is worked out at the corners of the triangles and blended
    // across them, so the floor is cut fine enough to carry the light's
    // highlight.
    b.material = EMBLEM;
    const std::size_t emblemStart = model.mesh.vertices.size();
    b.flatDisc(0.0f, FLOOR_STEP, 64);
    fineFlatRing(b, FLOOR_STEP, EMBLEM_RADIUS, 64);
    mapAcross(model.mesh, emblemStart, EMBLEM_RADIUS);
    b.material = FLOOR;
    const std::size_t floorStart = model.mesh.vertices.size();
    fineFlatRing(b, EMBLEM_RADIUS, 5.0f, 64);
    fineFlatRing(b, 5.0f, ARENA_FLOOR_RADIUS, 64);
    tileFloor(model.mesh, floorStart);
    b.material = WALL;
    // The platform's edge drops away below the floor.
    b.frustum(-FLOOR_DEPTH, ARENA_FLOOR_RADIUS, 0.0f, ARENA_FLOOR_RADIUS, 64, false, false);
    for (int gate = 0; gate < 4; ++gate) {
        const float centre = gate * PI * 0.5f;
        wallStretch(b, centre + GATE_HALF_ANGLE, centre + PI * 0.5f - GATE_HALF_ANGLE);
        gatePillars(b, centre);
    }
    // Where the camera's near plane cuts the floor open for a low eye, the
    // look goes into the platform. There it meets the sky texture's even
    // colour far below the horizon, on a basin that rises from beyond the
    // light's far plane, where nothing casts a shadow, to the sky's trough,
    // lit evenly from above. A basin, seen from above, is one layer deep.
    // Its material comes last, so it is drawn after the floor, and the depth
    // test spares it wherever the floor covers it.
    b.material = SKY_BELOW;
    b.area = {0.0f, 0.9f, 1.0f, 0.9f};
    b.fixedNormal = glm::vec3(0.0f, 1.0f, 0.0f);
    b.inward = true;
    const int basinRings = 8;
    auto basinRadius = [](int ring) { return SKY_BASIN_RADIUS * ring / basinRings; };
    auto basinHeight = [](int ring) {
        const float t = static_cast<float>(ring) / basinRings;
        return TROUGH_INNER_TOP - (SKY_BASIN_DEPTH + TROUGH_INNER_TOP) * (1.0f - t * t);
    };
    for (int ring = 0; ring < basinRings; ++ring)
        b.frustum(basinHeight(ring), basinRadius(ring), basinHeight(ring + 1),
                  basinRadius(ring + 1), 32, false, false);
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
    b.inward = true; // seen from inside
    const std::vector<glm::vec2> profile = skyProfile();
    for (std::size_t ring = 0; ring + 1 < profile.size(); ++ring) {
        const glm::vec2 upper = profile[ring], lower = profile[ring + 1];
        for (int side = 0; side < SKY_SIDES; ++side) {
            const float u0 = static_cast<float>(side) / SKY_SIDES;
            const float u1 = static_cast<float>(side + 1) / SKY_SIDES;
            const float a0 = 2.0f * PI * u0, a1 = 2.0f * PI * u1;
            // Counter-clockwise seen from outside, as the frustum's sides.
            b.quad(onCircle(lower.x, a0, lower.y), onCircle(lower.x, a1, lower.y),
                   onCircle(upper.x, a1, upper.y), onCircle(upper.x, a0, upper.y), {u0, 0.0f},
                   {u1, 0.0f}, {u1, 0.0f}, {u0, 0.0f});
        }
    }
    // Every point shows the texture's row of the sphere point behind it
    // (v = 0 at the zenith, 0.5 at the horizon) and is lit as that point
    // with its smooth inward normal, so the sky is lit as one even dome.
    for (Vertex& v : model.mesh.vertices) {
        const glm::vec3 behind = skyPointBehind(v.position);
        v.uv.y = std::acos(glm::clamp(behind.y / SKY_RADIUS, -1.0f, 1.0f)) / PI;
        v.normal = -glm::normalize(behind);
    }
    model.placement.axes = uprightAxes();
    if (!fitExactly(model, 60.0f, glm::vec3(0.0f), skyPlacement()))
        built.error = "no scale puts the sky's centre at the arena's";
    return built;
}
