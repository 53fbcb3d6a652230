#include "AssetTestSupport.h"

#include "GlContext.h"
#include "players/ScriptedKeys.h"
#include "app/Window.h"
#include "game/Monster.h"
#include "game/Player.h"
#include "render/Camera.h"
#include "model/FloorBasin.h"
#include "game/ParticleSystem.h"
#include "game/Rune.h"
#include "model/Mesh.h"
#include "model/Model.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

const float ARENA_RADIUS = 7.2f;
const float FLOOR_TOLERANCE = 0.02f;

float horizontalDistance(glm::vec3 a, glm::vec3 b) {
    return glm::length(glm::vec2(a.x - b.x, a.z - b.z));
}

bool insideTriangle(glm::vec2 p, glm::vec2 a, glm::vec2 b, glm::vec2 c) {
    auto side = [](glm::vec2 o, glm::vec2 u, glm::vec2 v) {
        return (u.x - o.x) * (v.y - o.y) - (u.y - o.y) * (v.x - o.x);
    };
    const float d1 = side(a, b, p), d2 = side(b, c, p), d3 = side(c, a, p);
    const bool negative = d1 < 0 || d2 < 0 || d3<0, positive = d1> 0 || d2 > 0 || d3 > 0;
    return !(negative && positive);
}

// The mage's walking direction in the world: the model matrix applied to the
// player's forward, orientation x (0, 0, 1) = (0, -1, 0) in the model frame.
glm::vec3 mageForward(const Model& mage) {
    return glm::normalize(glm::vec3(mage.modelMatrix * glm::vec4(0.0f, -1.0f, 0.0f, 0.0f)));
}

} // namespace

TEST(WorldFit, ArenaFloorLiesAtHeightZeroAndCoversTheArenaWithTheRimOutside) {
    REQUIRE_GL_CONTEXT();
    Model* arena = loadPlacedModel("arena");
    ASSERT_NE(arena, nullptr);
    const std::vector<glm::vec3> triangles = worldTriangles(*arena, arena->modelMatrix);
    // No upward surface over the arena disc stands above the floor (the sky
    // seen through the floor lies below it); the floor is every upward
    // triangle at height 0.
    std::vector<glm::vec3> floor;
    for (std::size_t t = 0; t + 2 < triangles.size(); t += 3) {
        const glm::vec3 normal = glm::normalize(
            glm::cross(triangles[t + 1] - triangles[t], triangles[t + 2] - triangles[t]));
        if (std::fabs(normal.y) < 0.9f)
            continue;
        bool overArena = false, level = true, raised = false;
        for (int k = 0; k < 3; ++k) {
            overArena =
                overArena || horizontalDistance(triangles[t + k], glm::vec3(0.0f)) < ARENA_RADIUS;
            level = level && std::fabs(triangles[t + k].y) <= FLOOR_TOLERANCE;
            raised = raised || triangles[t + k].y > FLOOR_TOLERANCE;
        }
        EXPECT_FALSE(raised && overArena) << "a raised surface over the arena";
        if (level)
            floor.insert(floor.end(), triangles.begin() + t, triangles.begin() + t + 3);
    }
    // Every point of the arena disc and a margin around it is on the floor.
    int uncovered = 0;
    for (float x = -7.6f; x <= 7.6f; x += 0.2f)
        for (float z = -7.6f; z <= 7.6f; z += 0.2f) {
            if (std::sqrt(x * x + z * z) > ARENA_RADIUS + 0.4f)
                continue;
            bool covered = false;
            for (std::size_t t = 0; t + 2 < floor.size() && !covered; t += 3)
                covered = insideTriangle({x, z}, {floor[t].x, floor[t].z},
                                         {floor[t + 1].x, floor[t + 1].z},
                                         {floor[t + 2].x, floor[t + 2].z});
            uncovered += covered ? 0 : 1;
        }
    EXPECT_EQ(uncovered, 0);
    // Whatever rises above the floor (the rim, the gate pillars) stays outside.
    for (const WorldVertex& v : worldVertices(*arena, arena->modelMatrix))
        if (v.position.y > FLOOR_TOLERANCE) {
            EXPECT_GT(horizontalDistance(v.position, glm::vec3(0.0f)), ARENA_RADIUS + 0.2f);
        }
    delete arena;
}

TEST(WorldFit, MageStandsUprightOnTheFloorFacingWhereItWalks) {
    REQUIRE_GL_CONTEXT();
    Model* mage = loadPlacedModel("mage");
    ASSERT_NE(mage, nullptr);
    const std::vector<WorldVertex> vertices = worldVertices(*mage, mage->modelMatrix);
    glm::vec3 low, high;
    worldExtent(vertices, low, high);
    EXPECT_NEAR(low.y, 0.0f, FLOOR_TOLERANCE);
    EXPECT_GE(high.y - low.y, 0.7f);
    EXPECT_LE(high.y - low.y, 1.0f);

    // The player's position; a jump only moves the mage above 0.23.
    const glm::vec3 position = glm::vec3(mage->modelMatrix * glm::vec4(0, 0, 0, 1));
    EXPECT_GT(position.y, 0.23f);
    EXPECT_LT(position.y, 0.4f) << "a jump would end far below the resting height";
    EXPECT_LT(horizontalDistance(position, glm::vec3(0.0f)), 0.1f);

    // Upright: head above hips above legs, all over the position.
    glm::vec3 head, hips, legs;
    ASSERT_TRUE(boneCentroid(vertices, {"Head"}, head));
    ASSERT_TRUE(boneCentroid(vertices, {"Hips"}, hips));
    ASSERT_TRUE(boneCentroid(vertices, {"LegLeft", "LegRight"}, legs));
    EXPECT_GT(head.y, hips.y + 0.2f);
    EXPECT_GT(hips.y, legs.y + 0.05f);
    EXPECT_LT(horizontalDistance(head, position), 0.15f);

    // It faces world +z, the way `forward` walks it: toes and staff lead.
    const glm::vec3 forward = mageForward(*mage);
    EXPECT_NEAR(forward.x, 0.0f, 1e-4f);
    EXPECT_NEAR(forward.y, 0.0f, 1e-4f);
    EXPECT_NEAR(forward.z, 1.0f, 1e-4f);
    glm::vec3 staff;
    ASSERT_TRUE(boneCentroid(vertices, {"Staff"}, staff));
    EXPECT_GT(glm::dot(legs - position, forward), 0.0f);
    EXPECT_GT(glm::dot(staff - position, forward), 0.05f);
    delete mage;
}

TEST(WorldFit, MonstersStartOutsideTheArenaStandingOnTheFloorFacingTheirStep) {
    REQUIRE_GL_CONTEXT();
    for (const char* name : {"redmonster", "greenmonster", "monster"}) {
        Model* model = loadPlacedModel(name);
        ASSERT_NE(model, nullptr) << name;
        for (int corner = 0; corner < 4; ++corner) {
            const glm::mat4 world = model->modelMatrix * spawnCorner(corner);
            const glm::vec3 position = glm::vec3(world * glm::vec4(0, 0, 0, 1));
            EXPECT_TRUE(std::fabs(position.x) >= ARENA_RADIUS ||
                        std::fabs(position.z) >= ARENA_RADIUS)
                << name << " corner " << corner;
            const std::vector<WorldVertex> vertices = worldVertices(*model, world);
            glm::vec3 low, high;
            worldExtent(vertices, low, high);
            EXPECT_NEAR(low.y, 0.0f, FLOOR_TOLERANCE) << name;
            EXPECT_GT(high.y - low.y, 0.3f) << name;
            glm::vec3 head, legs;
            ASSERT_TRUE(boneCentroid(vertices, {"Head"}, head)) << name;
            ASSERT_TRUE(boneCentroid(vertices, {"LegLeft", "LegRight"}, legs)) << name;
            EXPECT_GT(head.y, legs.y + 0.2f) << name;
            // A step moves along the model's -y; the face and toes lead it.
            const glm::vec3 step = glm::normalize(glm::vec3(world * glm::vec4(0, -1, 0, 0)));
            EXPECT_NEAR(step.y, 0.0f, 1e-4f) << name;
            glm::vec3 body;
            ASSERT_TRUE(boneCentroid(vertices, {"Spine", "Hips"}, body)) << name;
            EXPECT_GT(glm::dot(head - body, step), 0.0f) << name;
            EXPECT_GT(glm::dot(legs - glm::vec3(body.x, legs.y, body.z), step), -0.01f) << name;
        }
        delete model;
    }
}

TEST(WorldFit, SkysphereEnclosesEveryCameraEyeWithinTheFarPlane) {
    REQUIRE_GL_CONTEXT();
    Model* sky = loadPlacedModel("skysphere");
    ASSERT_NE(sky, nullptr);
    const std::vector<glm::vec3> triangles = worldTriangles(*sky, sky->modelMatrix);
    // The start eye, and the eye the reset key gives with the mage anywhere
    // in the arena, plus zoomed-out eyes as far as 14 from the centre.
    std::vector<glm::vec3> eyes{{0.0f, 5.0f, -5.0f}};
    for (int i = 0; i < 16; ++i) {
        const float angle = 6.2831853f * i / 16.0f;
        const glm::vec3 mage(7.2f * std::sin(angle), 0.25f, 7.2f * std::cos(angle));
        eyes.push_back(mage + glm::vec3(0.0f, 5.0f, -5.0f));
        eyes.push_back(glm::vec3(0.0f, 5.0f, 0.0f) +
                       13.0f * glm::normalize(glm::vec3(std::sin(angle), 0.4f, std::cos(angle))));
    }
    // The sky's inner edge rises into the platform's side, facing out: only
    // what lies beyond the platform's edge encloses the eyes.
    auto underThePlatform = [](const glm::vec3* corner) {
        for (int k = 0; k < 3; ++k)
            if (horizontalDistance(corner[k], glm::vec3(0.0f)) > 11.0f)
                return false;
        return true;
    };
    for (const glm::vec3& eye : eyes) {
        int outside = 0;
        float farthest = 0.0f;
        for (std::size_t t = 0; t + 2 < triangles.size(); t += 3) {
            // Visible faces wind clockwise seen from the eye: the eye is on
            // the side their (counter-clockwise) normal points away from.
            const glm::vec3 normal =
                glm::cross(triangles[t + 1] - triangles[t], triangles[t + 2] - triangles[t]);
            if (!underThePlatform(&triangles[t]))
                outside += glm::dot(eye - triangles[t], normal) > 0.0f ? 1 : 0;
            for (int k = 0; k < 3; ++k)
                farthest = std::max(farthest, glm::length(triangles[t + k] - eye));
        }
        EXPECT_EQ(outside, 0) << "eye " << eye.x << " " << eye.y << " " << eye.z;
        EXPECT_LT(farthest, 50.0f);
        EXPECT_GT(glm::length(eye), 0.0f);
    }
    delete sky;
}

namespace {

// The triangles of a model that an eye sees, with the game's culling: those
// that wind clockwise as seen from it.
std::vector<glm::vec3> facesSeenFrom(const std::vector<glm::vec3>& triangles, glm::vec3 eye) {
    std::vector<glm::vec3> seen;
    for (std::size_t t = 0; t + 2 < triangles.size(); t += 3) {
        const glm::vec3 normal =
            glm::cross(triangles[t + 1] - triangles[t], triangles[t + 2] - triangles[t]);
        if (glm::dot(eye - triangles[t], normal) < 0.0f)
            seen.insert(seen.end(), triangles.begin() + t, triangles.begin() + t + 3);
    }
    return seen;
}

// Whether the ray meets one of the triangles between the camera's near and
// far planes (depth along the view axis).
bool rayMeetsWithinTheFrustum(const std::vector<glm::vec3>& triangles, glm::vec3 eye, glm::vec3 ray,
                              glm::vec3 axis) {
    const float perDepth = glm::dot(ray, axis);
    for (std::size_t t = 0; t + 2 < triangles.size(); t += 3) {
        const glm::vec3 a = triangles[t], e1 = triangles[t + 1] - a, e2 = triangles[t + 2] - a;
        const glm::vec3 p = glm::cross(ray, e2);
        const float det = glm::dot(e1, p);
        if (std::fabs(det) < 1e-12f)
            continue;
        const glm::vec3 s = eye - a;
        const float u = glm::dot(s, p) / det;
        const glm::vec3 q = glm::cross(s, e1);
        const float v = glm::dot(ray, q) / det;
        const float distance = glm::dot(e2, q) / det;
        const float depth = distance * perDepth;
        if (u >= 0.0f && v >= 0.0f && u + v <= 1.0f && depth >= 2.0f && depth <= 50.0f)
            return true;
    }
    return false;
}

} // namespace

// Below the horizon the sky is no sphere, to spare the shading of what the
// floor hides. Every look from above the floor must still meet the arena or
// the sky, also where the near plane cuts the floor open for a low eye, and
// from eyes outside the platform looking at its edge. The basin under the
// floor is left out wherever the game leaves it out: while the near plane
// stays above the floor.
TEST(WorldFit, EveryLookFromAboveTheFloorMeetsTheArenaOrTheSky) {
    REQUIRE_GL_CONTEXT();
    Model* sky = loadPlacedModel("skysphere");
    Model* arena = loadPlacedModel("arena");
    ASSERT_NE(sky, nullptr);
    ASSERT_NE(arena, nullptr);
    std::vector<glm::vec3> withoutBasin = worldTriangles(*sky, sky->modelMatrix);
    const std::vector<glm::vec3> arenaWithoutBasin =
        worldTriangles(*arena, arena->modelMatrix, FLOOR_BASIN_MATERIAL);
    withoutBasin.insert(withoutBasin.end(), arenaWithoutBasin.begin(), arenaWithoutBasin.end());
    std::vector<glm::vec3> scenery = worldTriangles(*sky, sky->modelMatrix);
    const std::vector<glm::vec3> arenaTriangles = worldTriangles(*arena, arena->modelMatrix);
    scenery.insert(scenery.end(), arenaTriangles.begin(), arenaTriangles.end());
    ASSERT_LT(withoutBasin.size(), scenery.size()) << "no basin under the floor";

    struct View {
        glm::vec3 eye, target;
    };
    std::vector<View> views{{{0.0f, 5.0f, -5.0f}, {0.0f, 0.0f, 0.0f}}};
    for (int i = 0; i < 4; ++i) {
        const float angle = 6.2831853f * (i + 0.3f) / 4.0f;
        const glm::vec3 out(std::sin(angle), 0.0f, std::cos(angle));
        for (float height : {0.15f, 0.6f, 1.5f, 4.0f}) {
            // Low on the floor looking across it and out over the rim; out
            // past the platform's edge looking at it and away from it.
            views.push_back({3.0f * out + glm::vec3(0.0f, height, 0.0f), -5.0f * out});
            views.push_back({6.5f * out + glm::vec3(0.0f, height, 0.0f), 20.0f * out});
            views.push_back({14.0f * out + glm::vec3(0.0f, height, 0.0f), glm::vec3(0.0f)});
            views.push_back({19.0f * out + glm::vec3(0.0f, height, 0.0f), 19.0f * out + out});
        }
        views.push_back({12.0f * out + glm::vec3(0.0f, 12.0f, 0.0f), glm::vec3(0.0f)});
    }
    const float tanHalf = std::tan(glm::radians(22.5f));
    int missed = 0;
    int basinLeftOut = 0;
    for (const View& view : views) {
        const Camera camera(view.eye, view.target);
        const bool basinDrawn = nearPlaneReachesFloor(camera.projection * camera.viewMatrix());
        basinLeftOut += basinDrawn ? 0 : 1;
        const std::vector<glm::vec3> seen =
            facesSeenFrom(basinDrawn ? scenery : withoutBasin, view.eye);
        const glm::mat4 toWorld =
            glm::inverse(glm::lookAt(view.eye, view.target, glm::vec3(0.0f, 1.0f, 0.0f)));
        const glm::vec3 axis = glm::normalize(view.target - view.eye);
        for (int row = 0; row < 12; ++row)
            for (int column = 0; column < 16; ++column) {
                const float x = ((column + 0.5f) / 8.0f - 1.0f) * tanHalf * 4.0f / 3.0f;
                const float y = ((row + 0.5f) / 6.0f - 1.0f) * tanHalf;
                const glm::vec3 ray =
                    glm::normalize(glm::vec3(toWorld * glm::vec4(x, y, -1.0f, 0.0f)));
                if (!rayMeetsWithinTheFrustum(seen, view.eye, ray, axis)) {
                    ++missed;
                    ADD_FAILURE() << "from (" << view.eye.x << ", " << view.eye.y << ", "
                                  << view.eye.z << ") looking at (" << view.target.x << ", "
                                  << view.target.y << ", " << view.target.z << "), pixel row "
                                  << row << " column " << column << " shows the clear colour";
                }
                if (missed > 5)
                    return;
            }
    }
    // Both kinds of view were looked through: the low eyes' near planes
    // reach the floor, the high eyes' do not.
    EXPECT_GT(basinLeftOut, 0);
    EXPECT_LT(basinLeftOut, static_cast<int>(views.size()));
    delete sky;
    delete arena;
}

TEST(WorldFit, RuneLaidAtTheMagesFeetLiesFlatJustAboveTheFloorWithItsFountainRising) {
    REQUIRE_GL_CONTEXT();
    Model* mage = loadPlacedModel("mage");
    ASSERT_NE(mage, nullptr);
    // Walk the mage somewhere first, as the player would.
    mage->multiplyModelMatrix(glm::translate(glm::mat4(1.0f), glm::vec3(1.5f, -2.0f, 0.0f)));
    const glm::vec3 feet = glm::vec3(mage->modelMatrix * glm::vec4(0, 0, 0, 1));
    const char* colours[4] = {"red", "green", "blue", "white"};
    for (const char* colour : colours) {
        Model* runeModel = loadPlacedModel(std::string(colour) + "rune");
        Model* particleModel = loadPlacedModel(std::string(colour) + "particle");
        ASSERT_NE(runeModel, nullptr) << colour;
        ASSERT_NE(particleModel, nullptr) << colour;
        glm::vec3 eye(0.0f, 5.0f, -5.0f);
        ParticleSystem particles(particleModel, &eye);
        particles.resetAll();
        Rune rune(runeModel, &particles);
        rune.park();
        rune.moveTo(feet.x, feet.y, feet.z);

        const std::vector<WorldVertex> vertices = worldVertices(*runeModel, runeModel->modelMatrix);
        glm::vec3 low, high;
        worldExtent(vertices, low, high);
        // Flat, above the floor by more than the depth buffer can confuse,
        // and not floating.
        EXPECT_GE(low.y, 0.005f) << colour;
        EXPECT_LE(high.y, 0.05f) << colour;
        EXPECT_LT(high.y - low.y, 0.02f) << colour;
        for (const WorldVertex& v : vertices)
            EXPECT_GT(v.normal.y, 0.99f) << colour;
        // Centred on the feet and smaller than the spacing between runes.
        EXPECT_LT(horizontalDistance((low + high) * 0.5f, feet), 0.05f) << colour;
        EXPECT_LT(high.x - low.x, 0.7f) << colour;
        EXPECT_GT(high.x - low.x, 0.3f) << colour;

        // Particles are small, and rise from the rune.
        const std::vector<WorldVertex> particle =
            worldVertices(*particleModel, particleModel->modelMatrix);
        glm::vec3 pLow, pHigh;
        worldExtent(particle, pLow, pHigh);
        EXPECT_LT(glm::length(pHigh - pLow), 0.25f) << colour;
        const float k = 1.0f / (particleModel->scaleFactor() * particleModel->scaleFactor());
        float highest = 0.0f;
        for (int frame = 0; frame < 10; ++frame)
            particles.update(16.0f);
        for (const Particle& p : particles.particles) {
            const glm::vec3 at =
                glm::vec3(particles.emitterBase * glm::translate(glm::mat4(1.0f), p.position * k) *
                          glm::vec4(0, 0, 0, 1));
            EXPECT_LT(horizontalDistance(at, feet), 0.5f) << colour;
            EXPECT_GT(at.y, 0.0f) << colour;
            highest = std::max(highest, at.y);
        }
        EXPECT_GT(highest, 0.2f) << colour;
        EXPECT_LT(highest, 1.5f) << colour;
        delete particleModel;
        delete runeModel;
    }
    delete mage;
}

// A triangle of a mesh as the game draws it: world corners in (x, z) and the
// colour of its vertices.
struct FloorTriangle {
    glm::vec2 corners[3];
    glm::vec4 colour;
};

std::vector<FloorTriangle> floorTriangles(const Model& model) {
    std::vector<FloorTriangle> triangles;
    for (const Mesh* mesh : model.meshes) {
        if (mesh == nullptr)
            continue;
        for (std::size_t i = 0; i + 2 < mesh->indices.size(); i += 3) {
            FloorTriangle triangle;
            for (int k = 0; k < 3; ++k) {
                const std::size_t v = mesh->indices[i + k];
                const glm::vec4 at = model.modelMatrix *
                                     glm::vec4(mesh->positions[4 * v], mesh->positions[4 * v + 1],
                                               mesh->positions[4 * v + 2], 1.0f);
                triangle.corners[k] = glm::vec2(at.x, at.z);
            }
            const std::size_t first = mesh->indices[i];
            triangle.colour = glm::vec4(mesh->colors[4 * first], mesh->colors[4 * first + 1],
                                        mesh->colors[4 * first + 2], mesh->colors[4 * first + 3]);
            triangles.push_back(triangle);
        }
    }
    return triangles;
}

float brightness(glm::vec4 colour) {
    return std::max(colour.r, std::max(colour.g, colour.b));
}

// The bright face of a trap rune shows where its blast kills: a monster
// standing anywhere on it dies, one standing anywhere off it lives, and
// everything around it is dimmer decoration.
TEST(WorldFit, TrapRuneBrightFaceIsExactlyItsKillSquare) {
    REQUIRE_GL_CONTEXT();
    const glm::vec3 laidAt(1.3f, 0.3f, -2.1f);
    for (const char* colour : {"red", "green", "blue"}) {
        Model* runeModel = loadPlacedModel(std::string(colour) + "rune");
        Model* particleModel = loadPlacedModel(std::string(colour) + "particle");
        ASSERT_NE(runeModel, nullptr) << colour;
        glm::vec3 eye(0.0f, 5.0f, -5.0f);
        ParticleSystem particles(particleModel, &eye);
        Rune rune(runeModel, &particles);
        rune.park();
        rune.moveTo(laidAt.x, laidAt.y, laidAt.z);
        // A monster standing at a point, judged against the blast as the rules do.
        Monster monster(runeModel, glm::mat4(1.0f));
        auto killedAt = [&](glm::vec2 at) {
            monster.position = glm::vec3(at.x, 0.0f, at.y);
            return monster.isHitAt(laidAt);
        };

        std::vector<FloorTriangle> bright;
        for (const FloorTriangle& triangle : floorTriangles(*runeModel)) {
            if (brightness(triangle.colour) < 0.9f) {
                EXPECT_LT(brightness(triangle.colour), 0.6f)
                    << colour << ": neither bright nor dim";
                continue;
            }
            bright.push_back(triangle);
        }
        ASSERT_FALSE(bright.empty()) << colour;
        auto onTheFace = [&](glm::vec2 at) {
            for (const FloorTriangle& t : bright)
                if (insideTriangle(at, t.corners[0], t.corners[1], t.corners[2]))
                    return true;
            return false;
        };
        // Every point around the rune, but for a hair's breadth at the edge.
        int mismatches = 0;
        for (float dx = -0.35f; dx <= 0.35f; dx += 0.0125f)
            for (float dz = -0.35f; dz <= 0.35f; dz += 0.0125f) {
                const glm::vec2 at(laidAt.x + dx, laidAt.z + dz);
                const float edge = std::max(std::fabs(dx), std::fabs(dz));
                if (std::fabs(edge - BLAST_REACH) < 0.002f)
                    continue;
                mismatches += onTheFace(at) != killedAt(at) ? 1 : 0;
            }
        EXPECT_EQ(mismatches, 0) << colour;
        delete particleModel;
        delete runeModel;
    }
}

// A jump only moves the mage while its position is above 0.23: resting there,
// the mage leaves the floor visibly and comes back down near it.
TEST(WorldFit, MageJumpsOffTheFloorAndLandsNearIt) {
    REQUIRE_GL_CONTEXT();
    Camera camera({0.0f, 5.0f, -5.0f}, {0.0f, 0.0f, 0.0f});
    Model* mage = new Model(modelPath("mage"), nullptr, &camera, modelProgram());
    mage->multiplyModelMatrix(startPlacement("mage"));
    ASSERT_TRUE(mage->load());
    std::vector<Model*> parts;
    std::vector<ParticleSystem*> fountains;
    std::vector<Rune*> runes;
    for (const char* colour : {"red", "green", "blue", "white"}) {
        parts.push_back(loadPlacedModel(std::string(colour) + "rune"));
        parts.push_back(loadPlacedModel(std::string(colour) + "particle"));
        ASSERT_NE(parts[parts.size() - 2], nullptr);
        ASSERT_NE(parts.back(), nullptr);
        fountains.push_back(new ParticleSystem(parts.back(), &camera.eye));
        runes.push_back(new Rune(parts[parts.size() - 2], fountains.back()));
    }
    Player player(mage, runes[0], runes[1], runes[2], runes[3]);
    auto feet = [&]() {
        glm::vec3 low, high;
        worldExtent(worldVertices(*mage, mage->modelMatrix), low, high);
        return low.y;
    };
    float highest = 0.0f;
    {
        ScriptedKeys keys;
        keys.press(GLFW_KEY_SPACE);
        player.update(16.0f);
        keys.release(GLFW_KEY_SPACE);
        for (int frame = 0; frame < 80; ++frame) {
            player.update(16.0f);
            highest = std::max(highest, feet());
        }
    }
    EXPECT_GT(highest, 0.3f) << "the jump barely leaves the floor";
    EXPECT_NEAR(feet(), 0.0f, 0.1f) << "the mage lands far from the floor";
    for (Rune* rune : runes)
        delete rune;
    for (ParticleSystem* fountain : fountains)
        delete fountain;
    for (Model* part : parts)
        delete part;
    delete mage;
}
