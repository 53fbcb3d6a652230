// The bar's counters read off the screen through a game: the life from 20 to
// 0, the monsters slain and still to come, each right in the frame of the
// strike, the release or the death that changes it.
#include "world/GameWorld.h"
#include "game/Monster.h"
#include "game/Player.h"
#include "render/HudCounters.h"
#include "render/HudLayout.h"
#include "render/Texture.h"

#include "GlContext.h"
#include "LoopWorld.h"
#include "OutputCapture.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

// Which pixels of each digit's cell the glyph covers, from the atlas file.
struct DigitMasks {
    std::vector<bool> cells[10];
};

DigitMasks loadDigitMasks() {
    DigitMasks masks;
    SDL_Surface* atlas = loadBmp("../bin/objects/interface/countersINTERFACE.bmp");
    if (atlas == nullptr || atlas->format->BytesPerPixel != 4)
        return masks;
    for (int digit = 0; digit < 10; ++digit)
        for (int y = 0; y < hud::DIGIT_HEIGHT; ++y)
            for (int x = 0; x < hud::DIGIT_WIDTH; ++x) {
                // The fourth byte of each pixel is its alpha, as the game uploads it.
                const Uint8* row = static_cast<const Uint8*>(atlas->pixels) + y * atlas->pitch;
                masks.cells[digit].push_back(row[(digit * hud::DIGIT_WIDTH + x) * 4 + 3] > 128);
            }
    SDL_FreeSurface(atlas);
    return masks;
}

// The digit shown in one cell of the window's back buffer: the atlas digit
// whose glyph matches the bright pixels best, or -1 for an empty cell.
int digitAt(const DigitMasks& masks, int left, int top) {
    std::vector<unsigned char> rgb(hud::DIGIT_WIDTH * hud::DIGIT_HEIGHT * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(left, PICTURE_HEIGHT - top - hud::DIGIT_HEIGHT, hud::DIGIT_WIDTH,
                 hud::DIGIT_HEIGHT, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    std::vector<bool> bright;
    int lit = 0;
    // GL's rows run bottom up; the masks' top down.
    for (int y = hud::DIGIT_HEIGHT - 1; y >= 0; --y)
        for (int x = 0; x < hud::DIGIT_WIDTH; ++x) {
            const unsigned char* p = &rgb[(y * hud::DIGIT_WIDTH + x) * 3];
            bright.push_back(p[0] > 150 && p[1] > 150 && p[2] > 150);
            lit += bright.back() ? 1 : 0;
        }
    if (lit < 8)
        return -1;
    int best = -1, fewest = static_cast<int>(bright.size());
    for (int digit = 0; digit < 10; ++digit) {
        int differing = 0;
        for (std::size_t i = 0; i < bright.size(); ++i)
            differing += bright[i] != masks.cells[digit][i] ? 1 : 0;
        if (differing < fewest) {
            fewest = differing;
            best = digit;
        }
    }
    return fewest < 40 ? best : -2;
}

// The number a counter shows: its digits from the right, up to two.
int numberAt(const DigitMasks& masks, hud::CounterPlace place) {
    const int ones = digitAt(masks, place.right - hud::DIGIT_WIDTH, place.top);
    const int tens = digitAt(masks, place.right - 2 * hud::DIGIT_WIDTH, place.top);
    if (ones < 0 || tens == -2)
        return -1;
    return tens < 0 ? ones : tens * 10 + ones;
}

// Full pips of the life meter, counted along its middle row.
int fullPips() {
    const int width = hud::meterWidth(START_LIFE_POINTS);
    std::vector<unsigned char> rgb(width * 3);
    glReadPixels(hud::METER_LEFT, PICTURE_HEIGHT - hud::METER_TOP - hud::METER_HEIGHT / 2, width, 1,
                 GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    int pips = 0;
    for (int pip = 0; pip < START_LIFE_POINTS; ++pip) {
        const unsigned char* p = &rgb[(pip * (hud::PIP_WIDTH + hud::PIP_GAP) + 3) * 3];
        pips += p[0] > 150 && p[1] < 100 ? 1 : 0;
    }
    return pips;
}

struct Shown {
    int life, pips, slain, toCome;
};

class HudCounters : public ::testing::Test {
  protected:
    void SetUp() override {
        REQUIRE_GL_CONTEXT();
        OutputCapture quiet;
        scene = makeLoopScene();
        world = scene.world;
        prepared = scene.preparedMonsters;
        masks = loadDigitMasks();
        ASSERT_EQ(masks.cells[9].size(), static_cast<size_t>(hud::DIGIT_WIDTH * hud::DIGIT_HEIGHT));
    }

    // One frame of the rules, the monsters judged twice, then the bar as the
    // frame draws it, read back before any swap.
    Shown frame() {
        {
            OutputCapture quiet; // "lifePoints - 1"
            world->updateMonsters(10);
            world->updateMonsters(10);
        }
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
        glViewport(0, 0, PICTURE_WIDTH, PICTURE_HEIGHT);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glCullFace(GL_FRONT); // as every frame's shadow pass leaves it
        world->renderInterface(10);
        glReadBuffer(GL_BACK);
        return {numberAt(masks, hud::LIFE_NUMBER), fullPips(), numberAt(masks, hud::SLAIN_NUMBER),
                numberAt(masks, hud::TO_COME_NUMBER)};
    }

    Scene scene;
    GameWorld* world = nullptr;
    Monster** prepared = nullptr;
    DigitMasks masks;
};

TEST_F(HudCounters, FollowEveryStrikeReleaseAndDeathInTheirOwnFrame) {
    // Paused, so the monsters stand where they are put; strikes and blasts
    // are judged all the same.
    world->paused = true;
    Shown shown = frame();
    EXPECT_EQ(shown.life, 20);
    EXPECT_EQ(shown.pips, 20);
    EXPECT_EQ(shown.slain, 0);
    EXPECT_EQ(shown.toCome, 20);

    Monster* red = prepared[0];
    red->kind = 0;
    world->addMonster(red);
    EXPECT_EQ(frame().toCome, 19);

    // A red monster strikes for 3 until the mage has none left.
    for (int expected : {17, 14, 11, 8, 5, 2, 0}) {
        red->inReach = true;
        red->attackCooldown = 0.0f;
        shown = frame();
        EXPECT_EQ(shown.life, expected);
        EXPECT_EQ(shown.pips, expected);
    }

    for (int released = 1; released < 12; ++released) {
        prepared[released]->kind = 2;
        prepared[released]->position = glm::vec3(3.0f + released, 0.0f, 0.0f);
        world->addMonster(prepared[released]);
    }
    EXPECT_EQ(frame().toCome, 8);

    // The red rune's blast under the red monster, then the blue one under a
    // plain monster: each death counts in the frame of its blast.
    Player* player = world->player;
    player->redActive = true;
    player->redPos = red->position;
    EXPECT_EQ(frame().slain, 1);
    player->blueActive = true;
    player->bluePos = prepared[11]->position;
    shown = frame();
    EXPECT_EQ(shown.slain, 2);
    EXPECT_EQ(shown.toCome, 8);
    EXPECT_EQ(shown.life, 0);
}

// A gentler game's larger life fills the same meter: it empties in step
// with the life, and shows a pip while a single point is left.
TEST(LifeMeter, ShowsTheShareOfAGamesLifeLeftRoundedUp) {
    EXPECT_EQ(lifeMeterPips(17, 20), 17);
    EXPECT_EQ(lifeMeterPips(40, 40), 20);
    EXPECT_EQ(lifeMeterPips(39, 40), 20);
    EXPECT_EQ(lifeMeterPips(38, 40), 19);
    EXPECT_EQ(lifeMeterPips(1, 35), 1);
    EXPECT_EQ(lifeMeterPips(0, 35), 0);
}

} // namespace
