#include "tools/common/ToolGame.h"

#include "app/MainLoop.h"

#include "app/Startup.h"
#include "render/GL.h"
#include "render/RenderTargets.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

bool writeWindowPicture(const std::string& path) {
    std::vector<unsigned char> pixels(SCREEN_WIDTH * SCREEN_HEIGHT * 3);
    // The frame has been swapped already. Mesa's software renderer keeps the
    // back buffer as it was, while the front buffer of a virtual display
    // reads back black.
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    std::fprintf(file, "P6\n%d %d\n255\n", SCREEN_WIDTH, SCREEN_HEIGHT);
    for (int y = SCREEN_HEIGHT - 1; y >= 0; --y)
        std::fwrite(&pixels[static_cast<std::size_t>(y) * SCREEN_WIDTH * 3], 1, SCREEN_WIDTH * 3,
                    file);
    std::fclose(file);
    return true;
}

namespace {

int heldKey = -1;
uint32_t ticks = 0;

bool heldKeyDown(int key) {
    return key == heldKey;
}

} // namespace

uint32_t toolTicks() {
    return ticks;
}

void holdToolKey(int key) {
    heldKey = key;
}

void playPasses(MainLoop& loop, int milliseconds, int passMs, int key) {
    heldKey = key;
    for (int t = 0; t < milliseconds; t += passMs) {
        ticks += static_cast<uint32_t>(passMs);
        loop.pass();
    }
    heldKey = -1;
}

bool openToolWindow(unsigned seed) {
    SDL_Init(SDL_INIT_NOPARACHUTE);
    atexit(SDL_Quit);
    if (!openGameWindow())
        return false;
    srand(seed);
    setKeySource(heldKeyDown);
    return true;
}
