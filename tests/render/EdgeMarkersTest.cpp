// Where a monster's edge marker goes: the monster projected through the
// camera, the line toward it clipped to the edge of the visible picture,
// kept above the head-up display bar.
#include "render/Camera.h"
#include "render/EdgeMarkers.h"
#include "render/HudLayout.h"
#include "render/PictureSize.h"

#include <gtest/gtest.h>

namespace {

const float INSET = 20.0f;
// Where markers stand: INSET inside the picture's edges and the bar's top.
const float LEFT = INSET, RIGHT = PICTURE_WIDTH - INSET, TOP = INSET;
const float FOOT = hud::BAR_TOP - INSET;
// The bar's top edge in normalised device coordinates.
const float BAR_TOP_NDC = 1.0f - 2.0f * hud::BAR_TOP / PICTURE_HEIGHT;

void expectPlace(const EdgeMarkerPlace& place, float x, float y) {
    ASSERT_TRUE(place.shown);
    EXPECT_NEAR(place.centre.x, x, 1e-3f);
    EXPECT_NEAR(place.centre.y, y, 1e-3f);
}

} // namespace

TEST(EdgeMarkers, AMonsterInTheVisiblePictureEdgesIncludedGetsNone) {
    for (glm::vec4 clip : {glm::vec4(0, 0, 0, 1), glm::vec4(3, 0, 0, 3), glm::vec4(-2, 2, 0, 2),
                           glm::vec4(1, BAR_TOP_NDC, 0, 1), glm::vec4(0, -1.3f, 0, 2)})
        EXPECT_FALSE(edgeMarkerPlace(clip, INSET).shown) << clip.x << ", " << clip.y;
    // Just beyond the right edge: at the edge, on the level of the monster.
    expectPlace(edgeMarkerPlace(glm::vec4(1.001f, 0, 0, 1), INSET), RIGHT, PICTURE_HEIGHT / 2);
    // Beyond the top edge, right of the centre.
    const float up = 1.3f * PICTURE_HEIGHT / 2, right = 0.5f * PICTURE_WIDTH / 2;
    expectPlace(edgeMarkerPlace(glm::vec4(0.5f, 1.3f, 0, 1.25f), INSET),
                PICTURE_WIDTH / 2 + right * (PICTURE_HEIGHT / 2 - TOP) / up, TOP);
}

// Under the bar is out of sight: the marker stands above the bar, on the
// line from the picture's centre toward the monster.
TEST(EdgeMarkers, AMonsterUnderTheBarIsMarkedAboveIt) {
    const glm::vec4 clip(0.25f, -0.8f, 0, 1);
    const float down = 0.8f * PICTURE_HEIGHT / 2, right = 0.25f * PICTURE_WIDTH / 2;
    const float rise = FOOT - PICTURE_HEIGHT / 2;
    const EdgeMarkerPlace place = edgeMarkerPlace(clip, INSET);
    expectPlace(place, PICTURE_WIDTH / 2 + right * rise / down, FOOT);
    EXPECT_NEAR(place.toward.x, right / glm::length(glm::vec2(right, down)), 1e-5f);
    EXPECT_GT(place.toward.y, 0.0f);
    // Just under the bar's top edge is under the bar.
    EXPECT_TRUE(edgeMarkerPlace(glm::vec4(0, BAR_TOP_NDC - 1e-4f, 0, 1), INSET).shown);
}

// Behind the eye the projection mirrors a point: the marker must still
// stand on the monster's side.
TEST(EdgeMarkers, AMonsterBehindTheEyeIsMarkedOnItsOwnSide) {
    // To the camera's left and a little up, behind it (w < 0).
    EdgeMarkerPlace place = edgeMarkerPlace(glm::vec4(-0.5f, 0.1f, 0, -2), INSET);
    ASSERT_TRUE(place.shown);
    EXPECT_NEAR(place.centre.x, LEFT, 1e-3f);
    EXPECT_LT(place.centre.y, PICTURE_HEIGHT / 2);
    EXPECT_LT(place.toward.x, 0.0f);
    // Crossing the plane of the eye moves nothing.
    const EdgeMarkerPlace before = edgeMarkerPlace(glm::vec4(1, 0.2f, 0, 0.01f), INSET);
    const EdgeMarkerPlace after = edgeMarkerPlace(glm::vec4(1, 0.2f, 0, -0.01f), INSET);
    expectPlace(after, before.centre.x, before.centre.y);
    expectPlace(edgeMarkerPlace(glm::vec4(1, 0.2f, 0, 0), INSET), before.centre.x, before.centre.y);
    // Straight behind: at the foot, pointing down, toward the viewer.
    place = edgeMarkerPlace(glm::vec4(0, 0, 5, -3), INSET);
    expectPlace(place, PICTURE_WIDTH / 2, FOOT);
    EXPECT_EQ(place.toward, glm::vec2(0, 1));

    // Through the camera as the game starts: a monster on the floor behind
    // it and to the world's +x, which the camera sees on its left.
    const Camera camera(glm::vec3(0, 5, -5), glm::vec3(0));
    const glm::vec4 clip =
        camera.projection * camera.viewMatrix() * glm::vec4(3, MONSTER_CENTRE_HEIGHT, -12, 1);
    ASSERT_LT(clip.w, 0.0f);
    place = edgeMarkerPlace(clip, INSET);
    ASSERT_TRUE(place.shown);
    EXPECT_NEAR(place.centre.y, FOOT, 1e-3f);
    EXPECT_LT(place.centre.x, PICTURE_WIDTH / 2);
    EXPECT_LT(place.toward.x, 0.0f);
    EXPECT_GT(place.toward.y, 0.0f);
}

TEST(EdgeMarkers, AMarkerGrowsAsItsMonsterComesNearer) {
    EXPECT_GT(edgeMarkerSize(3.0f), edgeMarkerSize(6.0f));
    EXPECT_GT(edgeMarkerSize(6.0f), edgeMarkerSize(10.0f));
    // Beside the mage and beyond the arena it stays within bounds.
    EXPECT_EQ(edgeMarkerSize(0.0f), edgeMarkerSize(1.0f));
    EXPECT_EQ(edgeMarkerSize(14.0f), edgeMarkerSize(30.0f));
    EXPECT_GT(edgeMarkerSize(30.0f), 0.0f);
}
