#pragma once

#include <glm/glm.hpp>

#include <vector>

class Model;
struct Mesh;

// The arena's model ends with a basin under its floor, painted with the sky:
// where the camera's near plane cuts the floor (world height 0) open for a
// low eye, the look meets the basin rather than the bare clear colour. The
// generator gives it the arena's fourth material, after the floor, the
// emblem and the wall, so that it is drawn last.
const int FLOOR_BASIN_MATERIAL = 3;

// Whether the near plane of a camera with this projection and view reaches
// down to the floor anywhere. While it stays above, a look can only pass
// under the floor through the floor, the platform's side or the sky's
// trough, all drawn before the basin: nothing of the basin can show.
bool nearPlaneReachesFloor(const glm::mat4& viewProjection);

// While it lives, the scenery's meshes of the basin's material are left out
// of their models' draws (drawing skips an empty slot), when asked to.
class FloorBasinLeftOut {
  public:
    FloorBasinLeftOut(const std::vector<Model*>& models, bool leaveOut);
    ~FloorBasinLeftOut();
    FloorBasinLeftOut(const FloorBasinLeftOut&) = delete;
    FloorBasinLeftOut& operator=(const FloorBasinLeftOut&) = delete;

  private:
    struct Slot {
        Model* model;
        std::size_t index;
        Mesh* mesh;
    };
    std::vector<Slot> emptied;
};
