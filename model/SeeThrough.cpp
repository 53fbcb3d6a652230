#include "model/SeeThrough.h"

#include "model/Model.h"

#include <algorithm>

ScreenBox screenBoxOf(const Model& model, const glm::mat4& matrix, const glm::mat4& viewProjection,
                      glm::vec3 eye) {
    ScreenBox box;
    box.low = glm::vec2(1e9f);
    box.high = glm::vec2(-1e9f);
    box.seen = true;
    for (int corner = 0; corner < 8; ++corner) {
        const glm::vec3 local((corner & 1) ? model.boundsMax.x : model.boundsMin.x,
                              (corner & 2) ? model.boundsMax.y : model.boundsMin.y,
                              (corner & 4) ? model.boundsMax.z : model.boundsMin.z);
        const glm::vec4 clip = viewProjection * matrix * glm::vec4(local, 1.0f);
        if (clip.w <= 0.0f) {
            box.seen = false;
            return box;
        }
        const glm::vec2 at(clip.x / clip.w, clip.y / clip.w);
        box.low = glm::min(box.low, at);
        box.high = glm::max(box.high, at);
    }
    const glm::vec3 centre(matrix * glm::vec4((model.boundsMin + model.boundsMax) * 0.5f, 1.0f));
    box.distance = glm::length(centre - eye);
    return box;
}

bool hidesMostOf(const ScreenBox& front, const ScreenBox& behind) {
    if (!front.seen || !behind.seen || behind.distance <= front.distance)
        return false;
    const glm::vec2 overlap =
        glm::max(glm::min(front.high, behind.high) - glm::max(front.low, behind.low), 0.0f);
    const glm::vec2 size = behind.high - behind.low;
    return overlap.x * overlap.y >= 0.5f * size.x * size.y;
}
