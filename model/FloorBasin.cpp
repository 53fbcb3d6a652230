#include "model/FloorBasin.h"

#include "model/Mesh.h"
#include "model/Model.h"

namespace {

// Corners closer to the floor than this count as reaching it: the margin
// covers the rounding of the inverted matrix.
const float FLOOR_MARGIN = 0.01f;

} // namespace

bool nearPlaneReachesFloor(const glm::mat4& viewProjection) {
    const glm::mat4 toWorld = glm::inverse(viewProjection);
    // The near plane is flat, so its lowest point is one of its corners.
    for (float x : {-1.0f, 1.0f})
        for (float y : {-1.0f, 1.0f}) {
            const glm::vec4 corner = toWorld * glm::vec4(x, y, -1.0f, 1.0f);
            if (corner.w <= 0.0f || corner.y / corner.w <= FLOOR_MARGIN)
                return true;
        }
    return false;
}

FloorBasinLeftOut::FloorBasinLeftOut(const std::vector<Model*>& models, bool leaveOut) {
    if (!leaveOut)
        return;
    for (Model* model : models)
        for (std::size_t i = 0; i < model->meshes.size(); ++i) {
            Mesh* mesh = model->meshes[i];
            if (mesh != nullptr && mesh->materialIndex == FLOOR_BASIN_MATERIAL) {
                emptied.push_back({model, i, mesh});
                model->meshes[i] = nullptr;
            }
        }
}

FloorBasinLeftOut::~FloorBasinLeftOut() {
    for (const Slot& slot : emptied)
        slot.model->meshes[slot.index] = slot.mesh;
}
