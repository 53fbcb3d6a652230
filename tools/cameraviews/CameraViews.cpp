// Pictures of the game from fixed camera positions, for judging the look of a
// change side by side with the build before it (scripts/camera-views.sh).
//
// The game is built and played exactly as in a real run, on a synthetic clock
// of 40 ms per pass with scripted keys: P starts it, the mage lays its red
// rune, the first two monsters walk in. Each view then starts again from the
// start camera and holds the camera keys the player would, so every position
// is one the keys reach, and the same in every build. While a view's keys are
// held the released monsters stand aside, so they neither walk nor strike;
// the picture is taken in one more frame of 0 ms with them back, in both
// post-process modes.
//
// usage (from a folder beside the staged bin/): camera_views <output folder>
// writes <view>_mode0.ppm and <view>_mode1.ppm per view, and prints each
// view's eye and target.
#include "world/GameWorld.h"
#include "app/MainLoop.h"
#include "world/SceneConstruction.h"
#include "app/Startup.h"
#include "app/Window.h"
#include "render/Camera.h"
#include "render/RenderTargets.h"
#include "tools/common/ToolGame.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

const int PASS_MS = 100;
const unsigned SEED = 7;

// The camera keys of one view and how long each is held, in turn.
struct KeyHold {
    int key;
    int milliseconds;
};

struct View {
    const char* name;
    std::vector<KeyHold> holds;
};

const std::vector<View>& views() {
    static const std::vector<View> all = {
        {"default", {}},
        {"raised", {{GLFW_KEY_KP_8, 1500}}},
        {"lowered", {{GLFW_KEY_KP_2, 1900}}},
        {"zoomed_out", {{GLFW_KEY_DOWN, 4000}}},
        {"orbited", {{GLFW_KEY_KP_6, 3000}}},
        {"panned", {{GLFW_KEY_RIGHT, 2000}}},
        {"outside_low", {{GLFW_KEY_DOWN, 4000}, {GLFW_KEY_KP_2, 5200}}},
        {"high_overview", {{GLFW_KEY_DOWN, 4000}, {GLFW_KEY_KP_8, 1800}}},
    };
    return all;
}

void takeView(GameWorld* world, const View& view, const std::string& folder) {
    world->camera->eye = CAMERA_START_EYE;
    world->camera->target = glm::vec3(0.0f);
    std::vector<Monster*> released;
    std::swap(released, world->monsters);
    for (const KeyHold& hold : view.holds) {
        holdToolKey(hold.key);
        for (int t = 0; t < hold.milliseconds; t += PASS_MS)
            world->frame(PASS_MS);
    }
    holdToolKey(-1);
    std::swap(released, world->monsters);
    const glm::vec3 eye = world->camera->eye, target = world->camera->target;
    std::printf("%s: eye (%.2f, %.2f, %.2f), target (%.2f, %.2f, %.2f)\n", view.name, eye.x, eye.y,
                eye.z, target.x, target.y, target.z);
    for (int mode = 0; mode < 2; ++mode) {
        world->postProcessMode = mode;
        world->frame(0);
        writeWindowPicture(folder + "/" + view.name + "_mode" + std::to_string(mode) + ".ppm");
    }
    world->postProcessMode = 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: camera_views <output folder>\n");
        return 2;
    }
    if (!openToolWindow(SEED))
        return 1;

    Scene scene = buildScene();
    MainLoop loop(scene, toolTicks);
    playPasses(loop, 1200, PASS_MS);
    playPasses(loop, PASS_MS, PASS_MS, 'P');
    playPasses(loop, 1200, PASS_MS);
    playPasses(loop, PASS_MS, PASS_MS, '1');
    playPasses(loop, 7000, PASS_MS);
    for (const View& view : views())
        takeView(scene.world, view, argv[1]);
    windowTerminate();
    return 0;
}
