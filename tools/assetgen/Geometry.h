#pragma once

#include <glm/glm.hpp>

#include <string>
#include <vector>

// Meshes are authored in a design frame: x to the figure's right, y up, and
// figures face -z. Triangles wind counter-clockwise seen from their visible
// side; the file writer turns that into what the game's importer and its
// front-face culling need.

struct Influence {
    int bone = -1;
    float weight = 0.0f;
};

struct Vertex {
    glm::vec3 position{0.0f};
    glm::vec3 normal{0.0f, 1.0f, 0.0f};
    glm::vec2 uv{0.5f};
    glm::vec4 color{1.0f};
    Influence influences[2];
};

struct Triangle {
    unsigned corners[3];
    int material;
};

// An area of a texture atlas, in file texture coordinates (v = 0 at the top
// row of the picture).
struct UvRect {
    float u0, v0, u1, v1;
    glm::vec2 at(float u, float v) const { return {u0 + u * (u1 - u0), v0 + v * (v1 - v0)}; }
};

struct MeshData {
    std::vector<Vertex> vertices;
    std::vector<Triangle> triangles;
};

// Builds flat-shaded low-poly parts into a mesh. Every part takes the current
// transform, atlas area, colour, material and bone binding.
class MeshBuilder {
  public:
    explicit MeshBuilder(MeshData& target) : mesh(target) {}

    glm::mat4 transform{1.0f};
    UvRect area{0.0f, 0.0f, 1.0f, 1.0f};
    glm::vec4 color{1.0f};
    int material = 0;
    Influence primary{-1, 0.0f};
    Influence secondary{-1, 0.0f};
    // Normals of every vertex point this way when set (length > 0), for
    // surfaces that should be lit evenly rather than by their facing.
    glm::vec3 fixedNormal{0.0f};
    // Turns every part inside out, for surfaces seen from within (the sky).
    bool inward = false;

    void bindTo(int bone) {
        primary = {bone, 1.0f};
        secondary = {-1, 0.0f};
    }

    // One triangle from local points with their (u, v) in the atlas area.
    void triangle(glm::vec3 a, glm::vec3 b, glm::vec3 c, glm::vec2 ta, glm::vec2 tb, glm::vec2 tc);
    void quad(glm::vec3 a, glm::vec3 b, glm::vec3 c, glm::vec3 d, glm::vec2 ta, glm::vec2 tb,
              glm::vec2 tc, glm::vec2 td);

    // An axis-aligned box around a centre.
    void box(glm::vec3 center, glm::vec3 size);
    // A ring of `sides` faces around the y axis from radius r0 at height y0
    // to radius r1 at y1, with optional caps. u runs around, v from top (0)
    // to bottom (1). Radii may differ in x and z through `squash` (z / x).
    void frustum(float y0, float r0, float y1, float r1, int sides, bool capBottom, bool capTop,
                 float squash = 1.0f, float turn = 0.0f);
    // A low-poly sphere (or ellipsoid with `radii`) around a centre.
    void ellipsoid(glm::vec3 center, glm::vec3 radii, int rings, int sides);
    // A flat ring in the y = height plane facing up, from radius inner to outer.
    void flatRing(float height, float inner, float outer, int sides, float turn = 0.0f);
    // A flat disc in the y = height plane facing up.
    void flatDisc(float height, float radius, int sides, float turn = 0.0f);
    // A flat strip from a to b (both at the same height), facing up.
    void flatStrip(glm::vec2 a, glm::vec2 b, float width, float height);

  private:
    Vertex makeVertex(glm::vec3 local, glm::vec2 uv) const;
    MeshData& mesh;
};

glm::mat4 translation(glm::vec3 offset);
glm::mat4 rotationDegrees(float degrees, glm::vec3 axis);
// Places local +y along the segment from a to b (local y = 0 at a, at b the
// segment's length), keeping local x as level as it can.
glm::mat4 alongSegment(glm::vec3 a, glm::vec3 b);
