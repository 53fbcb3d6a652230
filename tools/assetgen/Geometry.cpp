#include "Geometry.h"

#include <glm/gtc/matrix_transform.hpp>

#include <cmath>
#include <utility>

namespace {

const float PI = 3.14159265358979f;

} // namespace

glm::mat4 translation(glm::vec3 offset) {
    return glm::translate(glm::mat4(1.0f), offset);
}

glm::mat4 rotationDegrees(float degrees, glm::vec3 axis) {
    return glm::rotate(glm::mat4(1.0f), glm::radians(degrees), glm::normalize(axis));
}

glm::mat4 alongSegment(glm::vec3 a, glm::vec3 b) {
    const glm::vec3 y = glm::normalize(b - a);
    glm::vec3 x = glm::cross(y, glm::vec3(0.0f, 0.0f, 1.0f));
    if (glm::length(x) < 1e-4f)
        x = glm::vec3(1.0f, 0.0f, 0.0f);
    x = glm::normalize(x);
    const glm::vec3 z = glm::cross(x, y);
    glm::mat4 m(1.0f);
    m[0] = glm::vec4(x, 0.0f);
    m[1] = glm::vec4(y, 0.0f);
    m[2] = glm::vec4(z, 0.0f);
    m[3] = glm::vec4(a, 1.0f);
    return m;
}

Vertex MeshBuilder::makeVertex(glm::vec3 local, glm::vec2 uv) const {
    Vertex vertex;
    vertex.position = glm::vec3(transform * glm::vec4(local, 1.0f));
    vertex.uv = area.at(uv.x, uv.y);
    vertex.color = color;
    vertex.influences[0] = primary;
    vertex.influences[1] = secondary;
    return vertex;
}

void MeshBuilder::triangle(glm::vec3 a, glm::vec3 b, glm::vec3 c, glm::vec2 ta, glm::vec2 tb,
                           glm::vec2 tc) {
    if (inward) {
        std::swap(b, c);
        std::swap(tb, tc);
    }
    Vertex corners[3] = {makeVertex(a, ta), makeVertex(b, tb), makeVertex(c, tc)};
    glm::vec3 normal = glm::cross(corners[1].position - corners[0].position,
                                  corners[2].position - corners[0].position);
    // Slivers of zero area would only be dropped by the importer.
    if (glm::length(normal) < 1e-9f)
        return;
    normal = glm::length(fixedNormal) > 0.0f ? glm::normalize(fixedNormal) : glm::normalize(normal);
    Triangle face;
    face.material = material;
    for (int k = 0; k < 3; ++k) {
        corners[k].normal = normal;
        face.corners[k] = static_cast<unsigned>(mesh.vertices.size());
        mesh.vertices.push_back(corners[k]);
    }
    mesh.triangles.push_back(face);
}

void MeshBuilder::quad(glm::vec3 a, glm::vec3 b, glm::vec3 c, glm::vec3 d, glm::vec2 ta,
                       glm::vec2 tb, glm::vec2 tc, glm::vec2 td) {
    triangle(a, b, c, ta, tb, tc);
    triangle(a, c, d, ta, tc, td);
}

void MeshBuilder::box(glm::vec3 center, glm::vec3 size) {
    const glm::vec3 h = size * 0.5f;
    auto p = [&](float x, float y, float z) {
        return center + glm::vec3(x * h.x, y * h.y, z * h.z);
    };
    const glm::vec2 t00(0.0f, 1.0f), t10(1.0f, 1.0f), t11(1.0f, 0.0f), t01(0.0f, 0.0f);
    // Each face counter-clockwise seen from outside: bottom-left, bottom-right, top-right,
    // top-left.
    quad(p(-1, -1, 1), p(1, -1, 1), p(1, 1, 1), p(-1, 1, 1), t00, t10, t11, t01);     // +z
    quad(p(1, -1, -1), p(-1, -1, -1), p(-1, 1, -1), p(1, 1, -1), t00, t10, t11, t01); // -z
    quad(p(1, -1, 1), p(1, -1, -1), p(1, 1, -1), p(1, 1, 1), t00, t10, t11, t01);     // +x
    quad(p(-1, -1, -1), p(-1, -1, 1), p(-1, 1, 1), p(-1, 1, -1), t00, t10, t11, t01); // -x
    quad(p(-1, 1, 1), p(1, 1, 1), p(1, 1, -1), p(-1, 1, -1), t00, t10, t11, t01);     // +y
    quad(p(-1, -1, -1), p(1, -1, -1), p(1, -1, 1), p(-1, -1, 1), t00, t10, t11, t01); // -y
}

void MeshBuilder::frustum(float y0, float r0, float y1, float r1, int sides, bool capBottom,
                          bool capTop, float squash, float turn) {
    auto ring = [&](int i, float y, float r) {
        const float angle = turn + 2.0f * PI * static_cast<float>(i) / static_cast<float>(sides);
        return glm::vec3(r * std::sin(angle), y, r * squash * std::cos(angle));
    };
    const float lowV = y0 < y1 ? 1.0f : 0.0f;
    for (int i = 0; i < sides; ++i) {
        const float ua = static_cast<float>(i) / static_cast<float>(sides);
        const float ub = static_cast<float>(i + 1) / static_cast<float>(sides);
        // Increasing angle turns from +z towards +x, which is to the right of
        // someone looking at the outside, so (low i, low i+1, high i+1) runs
        // counter-clockwise seen from outside.
        const glm::vec3 b0 = ring(i, y0, r0), b1 = ring(i + 1, y0, r0);
        const glm::vec3 t0 = ring(i, y1, r1), t1 = ring(i + 1, y1, r1);
        const glm::vec2 tb0(ua, lowV), tb1(ub, lowV), tt0(ua, 1.0f - lowV), tt1(ub, 1.0f - lowV);
        if (y1 > y0) {
            triangle(b0, b1, t1, tb0, tb1, tt1);
            triangle(b0, t1, t0, tb0, tt1, tt0);
        } else {
            triangle(t0, t1, b1, tt0, tt1, tb1);
            triangle(t0, b1, b0, tt0, tb1, tb0);
        }
    }
    const float top = std::max(y0, y1), bottom = std::min(y0, y1);
    const float rTop = y1 > y0 ? r1 : r0, rBottom = y1 > y0 ? r0 : r1;
    const glm::vec2 mid(0.5f, 0.5f);
    for (int i = 0; i < sides; ++i) {
        const float ua = static_cast<float>(i) / static_cast<float>(sides);
        const float ub = static_cast<float>(i + 1) / static_cast<float>(sides);
        if (capTop && rTop > 0.0f)
            triangle(glm::vec3(0.0f, top, 0.0f), ring(i, top, rTop), ring(i + 1, top, rTop), mid,
                     {ua, 0.0f}, {ub, 0.0f});
        if (capBottom && rBottom > 0.0f)
            triangle(glm::vec3(0.0f, bottom, 0.0f), ring(i + 1, bottom, rBottom),
                     ring(i, bottom, rBottom), mid, {ub, 1.0f}, {ua, 1.0f});
    }
}

void MeshBuilder::ellipsoid(glm::vec3 center, glm::vec3 radii, int rings, int sides) {
    auto point = [&](int ring, int side) {
        const float lat = PI * static_cast<float>(ring) / static_cast<float>(rings);
        const float lon = 2.0f * PI * static_cast<float>(side) / static_cast<float>(sides);
        return center + radii * glm::vec3(std::sin(lat) * std::sin(lon), std::cos(lat),
                                          std::sin(lat) * std::cos(lon));
    };
    auto uv = [&](int ring, int side) {
        return glm::vec2(static_cast<float>(side) / static_cast<float>(sides),
                         static_cast<float>(ring) / static_cast<float>(rings));
    };
    for (int r = 0; r < rings; ++r) {
        for (int s = 0; s < sides; ++s) {
            // Ring r+1 lies below ring r; the same turn rule as the frustum.
            const glm::vec3 a = point(r, s), b = point(r, s + 1);
            const glm::vec3 c = point(r + 1, s + 1), d = point(r + 1, s);
            if (r < rings - 1)
                triangle(d, c, b, uv(r + 1, s), uv(r + 1, s + 1), uv(r, s + 1));
            if (r > 0)
                triangle(d, b, a, uv(r + 1, s), uv(r, s + 1), uv(r, s));
        }
    }
}

void MeshBuilder::flatRing(float height, float inner, float outer, int sides, float turn) {
    for (int i = 0; i < sides; ++i) {
        const float a0 = turn + 2.0f * PI * static_cast<float>(i) / static_cast<float>(sides);
        const float a1 = turn + 2.0f * PI * static_cast<float>(i + 1) / static_cast<float>(sides);
        const glm::vec3 i0(inner * std::sin(a0), height, inner * std::cos(a0));
        const glm::vec3 i1(inner * std::sin(a1), height, inner * std::cos(a1));
        const glm::vec3 o0(outer * std::sin(a0), height, outer * std::cos(a0));
        const glm::vec3 o1(outer * std::sin(a1), height, outer * std::cos(a1));
        const float u0 = static_cast<float>(i) / static_cast<float>(sides);
        const float u1 = static_cast<float>(i + 1) / static_cast<float>(sides);
        // Seen from above (+y), increasing angle runs counter-clockwise.
        quad(o0, o1, i1, i0, {u0, 1.0f}, {u1, 1.0f}, {u1, 0.0f}, {u0, 0.0f});
    }
}

void MeshBuilder::flatDisc(float height, float radius, int sides, float turn) {
    const glm::vec3 center(0.0f, height, 0.0f);
    for (int i = 0; i < sides; ++i) {
        const float a0 = turn + 2.0f * PI * static_cast<float>(i) / static_cast<float>(sides);
        const float a1 = turn + 2.0f * PI * static_cast<float>(i + 1) / static_cast<float>(sides);
        const glm::vec3 p0(radius * std::sin(a0), height, radius * std::cos(a0));
        const glm::vec3 p1(radius * std::sin(a1), height, radius * std::cos(a1));
        auto planar = [&](glm::vec3 p) {
            return glm::vec2(0.5f + 0.5f * p.x / radius, 0.5f + 0.5f * p.z / radius);
        };
        triangle(center, p0, p1, planar(center), planar(p0), planar(p1));
    }
}

void MeshBuilder::flatStrip(glm::vec2 a, glm::vec2 b, float width, float height) {
    const glm::vec2 along = glm::normalize(b - a);
    const glm::vec2 side = glm::vec2(-along.y, along.x) * (0.5f * width);
    // (x, z) plane points; side is to the left of a->b when seen from above.
    const glm::vec3 a0(a.x - side.x, height, a.y - side.y), a1(a.x + side.x, height, a.y + side.y);
    const glm::vec3 b0(b.x - side.x, height, b.y - side.y), b1(b.x + side.x, height, b.y + side.y);
    const glm::vec3 normal = glm::cross(b0 - a0, a1 - a0);
    if (normal.y > 0.0f)
        quad(a0, b0, b1, a1, {0, 1}, {1, 1}, {1, 0}, {0, 0});
    else
        quad(a0, a1, b1, b0, {0, 1}, {0, 0}, {1, 0}, {1, 1});
}
