// The marks that show the whole fight, drawn over the finished scene in the
// head-up display's pass: where W walks the mage and the square of a rune
// that refused a key.
#include "app/GameWorld.h"

#include "game/Player.h"
#include "game/Rune.h"
#include "model/Model.h"
#include "model/Origin.h"
#include "render/Camera.h"
#include "render/FacingMark.h"
#include "render/RuneMarks.h"

namespace {

const Rune* runeOfColour(const Player& player, int colour) {
    const Rune* const runes[4] = {player.redRune, player.greenRune, player.blueRune,
                                  player.whiteRune};
    return colour >= 0 && colour < 4 ? runes[colour] : nullptr;
}

} // namespace

void GameWorld::drawFightMarks(int elapsed) {
    if (markerCells == 0 || camera == nullptr || player == nullptr)
        return;
    drawFacingMark();
    drawSpacingSquare(elapsed);
}

void GameWorld::drawFacingMark() {
    const Model& mage = *player->model;
    ::drawFacingMark(*interfaceShader, markerCells, camera->projection * camera->viewMatrix(),
                     originOf(mage.modelMatrix),
                     facingOnFloor(mage.modelMatrix, player->orientation));
}

// Shown while the rune that refused stays on the ground.
void GameWorld::drawSpacingSquare(int elapsed) {
    if (spacingSquareTime <= 0)
        return;
    spacingSquareTime -= elapsed;
    const Rune* rune = runeOfColour(*player, spacingSquareColour);
    if (rune == nullptr || !rune->placed)
        return;
    // On the floor: the spacing rule looks at x and z alone.
    const glm::vec3 centre(rune->position.x, RUNE_FACE_HEIGHT, rune->position.z);
    ::drawSpacingSquare(*interfaceShader, markerCells, camera->projection * camera->viewMatrix(),
                        spacingSquareColour, centre);
}
