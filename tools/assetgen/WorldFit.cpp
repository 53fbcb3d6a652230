#include "WorldFit.h"

#include "XFileWriter.h"

#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <cmath>

namespace {

const glm::vec3 X_AXIS(1.0f, 0.0f, 0.0f);
const glm::vec3 Z_AXIS(0.0f, 0.0f, 1.0f);

glm::mat4 rotate(float degrees, glm::vec3 axis) {
    return glm::rotate(glm::mat4(1.0f), glm::radians(degrees), axis);
}

} // namespace

glm::mat4 magePlacement() {
    return rotate(90.0f, X_AXIS) * rotate(180.0f, Z_AXIS) *
           glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 0.0f, -0.36f));
}

glm::mat4 arenaPlacement() {
    return glm::translate(rotate(90.0f, X_AXIS) * glm::scale(glm::mat4(1.0f), glm::vec3(25.0f)),
                          glm::vec3(0.0f, 0.29f, -0.0635f));
}

glm::mat4 skyPlacement() {
    return rotate(90.0f, X_AXIS) * glm::scale(glm::mat4(1.0f), glm::vec3(60.0f));
}

glm::mat4 monsterPlacement() {
    return rotate(90.0f, X_AXIS) * glm::scale(glm::mat4(1.0f), glm::vec3(0.7f));
}

glm::mat4 particlePlacement() {
    return glm::translate(glm::scale(glm::mat4(1.0f), glm::vec3(0.2f)),
                          glm::vec3(0.0f, 0.2f, 0.0f));
}

glm::mat4 runePlacement() {
    return rotate(90.0f, X_AXIS);
}

glm::mat4 monsterCorner(int corner) {
    const float far = 44.5713844f, up = -2.45714045f;
    const glm::vec3 corners[4] = {
        {0.0f, far, up}, {-far, 0.0f, up}, {0.0f, -far, up}, {far, 0.0f, up}};
    return glm::translate(glm::mat4(1.0f), corners[corner & 3]);
}

namespace {

void finishBounds(
    LoadedBounds& bounds) { // The same single-precision steps as the game's scale factor.
    const glm::vec3& a = bounds.minimum;
    const glm::vec3& b = bounds.maximum;
    const float ax = std::sqrt(a.x * a.x + b.x * b.x);
    const float ay = std::sqrt(a.y * a.y + b.y * b.y);
    const float az = std::sqrt(a.z * a.z + b.z * b.z);
    bounds.scale = 1.0f / std::sqrt(ax * ax + ay * ay + az * az);
    bounds.center = (a + b) * 0.5f;
}

glm::mat4 loadMatrix(const LoadedBounds& bounds, const glm::mat4& startPlacement) {
    const float s = bounds.scale;
    glm::mat4 matrix = startPlacement * glm::scale(glm::mat4(1.0f), glm::vec3(s));
    return glm::translate(matrix, -s * bounds.center);
}

} // namespace

LoadedBounds loadedBounds(const XModel& model) {
    const glm::mat4 place = placementMatrix(model.placement);
    LoadedBounds bounds{glm::vec3(1e10f), glm::vec3(-1e10f), 0.0f, glm::vec3(0.0f)};
    for (const Vertex& v : model.mesh.vertices) {
        const glm::vec3 p = glm::vec3(place * glm::vec4(v.position, 1.0f));
        bounds.minimum = glm::min(bounds.minimum, p);
        bounds.maximum = glm::max(bounds.maximum, p);
    }
    finishBounds(bounds);
    return bounds;
}

LoadedBounds loadedBounds(glm::vec3 designLow, glm::vec3 designHigh, const Placement& placement) {
    const glm::mat4 place = placementMatrix(placement);
    LoadedBounds bounds{glm::vec3(1e10f), glm::vec3(-1e10f), 0.0f, glm::vec3(0.0f)};
    for (int corner = 0; corner < 8; ++corner) {
        const glm::vec3 d((corner & 1) ? designHigh.x : designLow.x,
                          (corner & 2) ? designHigh.y : designLow.y,
                          (corner & 4) ? designHigh.z : designLow.z);
        const glm::vec3 p = glm::vec3(place * glm::vec4(d, 1.0f));
        bounds.minimum = glm::min(bounds.minimum, p);
        bounds.maximum = glm::max(bounds.maximum, p);
    }
    finishBounds(bounds);
    return bounds;
}

void designBounds(const XModel& model, glm::vec3& low, glm::vec3& high) {
    low = glm::vec3(1e10f);
    high = glm::vec3(-1e10f);
    for (const Vertex& v : model.mesh.vertices) {
        low = glm::min(low, v.position);
        high = glm::max(high, v.position);
    }
}

glm::vec3 worldPoint(glm::vec3 designLow, glm::vec3 designHigh, const Placement& placement,
                     const glm::mat4& startPlacement, glm::vec3 design, const glm::mat4& after) {
    const LoadedBounds bounds = loadedBounds(designLow, designHigh, placement);
    const glm::vec4 local = placementMatrix(placement) * glm::vec4(design, 1.0f);
    return glm::vec3(loadMatrix(bounds, startPlacement) * after * local);
}

glm::mat4 worldMatrix(const XModel& model, const glm::mat4& startPlacement) {
    return loadMatrix(loadedBounds(model), startPlacement);
}

glm::vec3 worldPoint(const XModel& model, const glm::mat4& startPlacement, glm::vec3 design,
                     const glm::mat4& after) {
    const glm::vec4 local = placementMatrix(model.placement) * glm::vec4(design, 1.0f);
    return glm::vec3(worldMatrix(model, startPlacement) * after * local);
}

void worldExtent(const XModel& model, const glm::mat4& startPlacement, glm::vec3& low,
                 glm::vec3& high, const glm::mat4& after) {
    const glm::mat4 toWorld =
        worldMatrix(model, startPlacement) * after * placementMatrix(model.placement);
    low = glm::vec3(1e10f);
    high = glm::vec3(-1e10f);
    for (const Vertex& v : model.mesh.vertices) {
        const glm::vec3 p = glm::vec3(toWorld * glm::vec4(v.position, 1.0f));
        low = glm::min(low, p);
        high = glm::max(high, p);
    }
}

bool findRoot(const std::function<double(double)>& f, double low, double high, double& root,
              bool logarithmic) {
    const int steps = 240;
    auto at = [&](int i) {
        const double t = static_cast<double>(i) / steps;
        return logarithmic ? low * std::pow(high / low, t) : low + (high - low) * t;
    };
    double a = at(0), fa = f(a);
    for (int i = 1; i <= steps; ++i) {
        double b = at(i), fb = f(b);
        if (std::isfinite(fa) && std::isfinite(fb) && (fa <= 0.0) != (fb <= 0.0)) {
            for (int k = 0; k < 200; ++k) {
                const double m = 0.5 * (a + b), fm = f(m);
                if ((fm <= 0.0) == (fa <= 0.0)) {
                    a = m;
                    fa = fm;
                } else {
                    b = m;
                }
            }
            root = 0.5 * (a + b);
            return true;
        }
        a = b;
        fa = fb;
    }
    return false;
}

bool fitExactly(XModel& model, float sigma, glm::vec3 shift, const glm::mat4& startPlacement) {
    glm::vec3 low, high;
    designBounds(model, low, high);
    const glm::vec3 center = model.placement.axes * ((low + high) * 0.5f);
    // With p = k A d + t the world point is sigma R (s k A d + s t - s^2 c + shift), where
    // c = k A centre + t; it equals d when sigma s k = 1 and the rest vanishes.
    auto placementFor = [&](double s) {
        Placement placement = model.placement;
        const double k = 1.0 / (sigma * s);
        placement.scale = static_cast<float>(k);
        placement.offset =
            glm::vec3((glm::dvec3(center) * (s * s * k) - glm::dvec3(shift)) / (s - s * s));
        return placement;
    };
    auto mismatch = [&](double s) {
        return static_cast<double>(loadedBounds(low, high, placementFor(s)).scale) - s;
    };
    double s = 0.0;
    if (!findRoot(mismatch, 1e-3, 0.999, s) && !findRoot(mismatch, 1.001, 50.0, s))
        return false;
    model.placement = placementFor(s);
    const glm::vec3 probe = worldPoint(model, startPlacement, high);
    return glm::length(probe - high) < 1e-3f * std::max(1.0f, glm::length(high));
}
