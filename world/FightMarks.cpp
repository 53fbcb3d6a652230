// The marks that show the whole fight, drawn over the finished scene in the
// head-up display's pass: where W walks the mage, the square of a rune that
// refused a key, and a marker at the picture's edge for every living monster
// whose centre is out of sight.
#include "world/FightMarks.h"

#include "world/GameWorld.h"

#include "game/Monster.h"
#include "game/Player.h"
#include "game/Rune.h"
#include "model/Model.h"
#include "render/Origin.h"
#include "render/Camera.h"
#include "render/EdgeMarkers.h"
#include "render/FacingMark.h"
#include "render/RuneMarks.h"
#include "render/StopMarks.h"

#include <algorithm>
#include <vector>

namespace {

float floorDistance(glm::vec3 a, glm::vec3 b) {
    return glm::length(glm::vec2(a.x - b.x, a.z - b.z));
}

void drawFacingMark(GameWorld& world) {
    const Model& mage = *world.player->model;
    ::drawFacingMark(*world.interfaceShader, world.pictures.markerCells,
                     world.camera->viewProjection(), originOf(mage.modelMatrix),
                     facingOnFloor(mage.modelMatrix, world.player->orientation));
}

// Shown while the rune that refused stays on the ground.
void drawSpacingSquare(GameWorld& world) {
    if (world.refusals.squareMs <= 0)
        return;
    const Rune* rune = world.player->rune(world.refusals.squareColour);
    if (rune == nullptr || !rune->placed)
        return;
    // On the floor: the spacing rule looks at x and z alone.
    const glm::vec3 centre(rune->position.x, RUNE_FACE_HEIGHT, rune->position.z);
    ::drawSpacingSquare(*world.interfaceShader, world.pictures.markerCells,
                        world.camera->viewProjection(), world.refusals.squareColour, centre,
                        RUNE_SPACING);
}

// The nearest monsters' markers are drawn last, over the others.
void drawEdgeMarkers(GameWorld& world) {
    const glm::mat4 viewProjection = world.camera->viewProjection();
    const glm::vec3 mage = originOf(world.player->model->modelMatrix);
    std::vector<EdgeMarker> markers;
    for (const Monster* monster : world.monsters) {
        if (!monster->alive)
            continue;
        // Its own position is refreshed only by its update, which a monster
        // just released has not had yet.
        const glm::vec3 at = originOf(monster->worldMatrix);
        const glm::vec4 clip = viewProjection * glm::vec4(at.x, MONSTER_CENTRE_HEIGHT, at.z, 1.0f);
        const float size = edgeMarkerSize(floorDistance(at, mage));
        const EdgeMarkerPlace place = edgeMarkerPlace(clip, edgeMarkerInset(size));
        if (place.shown)
            markers.push_back({monster->kind, place, size});
    }
    std::sort(markers.begin(), markers.end(),
              [](const EdgeMarker& a, const EdgeMarker& b) { return a.size < b.size; });
    ::drawEdgeMarkers(*world.interfaceShader, world.pictures.markerCells, markers);
}

} // namespace

void drawFightMarks(GameWorld& world) {
    if (world.pictures.markerCells == 0 || world.camera == nullptr || world.player == nullptr)
        return;
    const glm::mat4 viewProjection = world.camera->viewProjection();
    const glm::vec3 mage = originOf(world.player->model->modelMatrix);
    drawStopSquare(*world.interfaceShader, world.pictures.markerCells, viewProjection, mage,
                   MONSTER_STOP_DISTANCE);
    drawFacingMark(world);
    drawSpacingSquare(world);
    drawArrivalMarks(*world.interfaceShader, world.pictures.markerCells, viewProjection, mage,
                     world.runeCues.arrivals);
    drawEdgeMarkers(world);
}
