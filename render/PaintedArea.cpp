#include "render/PaintedArea.h"

#include "render/QuadVertices.h"

#include <SDL.h>

#include <algorithm>
#include <iterator>

namespace {

// Rectangles are gathered from square tiles of this size, each run of
// painted tiles then shrunk to the painted pixels inside it.
const int TILE = 32;

// The pixels a draw of the picture can change: those whose alpha is above
// 0 and those beside them. Scaled to another size, the picture is sampled
// between its pixels, so a window pixel just outside the painted ones may
// still take some of their colour; its neighbours' are all it can take.
// The picture wraps round at its edges, as its texture does.
class PaintedMask {
  public:
    explicit PaintedMask(const SDL_Surface* image) : width(image->w), height(image->h) {
        const Uint8* pixels = static_cast<const Uint8*>(image->pixels);
        std::vector<Uint8> across(static_cast<size_t>(width) * height, 0);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (pixels[y * image->pitch + x * 4 + 3] != 0)
                    for (int dx = -1; dx <= 1; ++dx)
                        across[index((x + dx + width) % width, y)] = 1;
        mask.assign(across.size(), 0);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (across[index(x, y)] != 0)
                    for (int dy = -1; dy <= 1; ++dy)
                        mask[index(x, (y + dy + height) % height)] = 1;
    }
    bool painted(int x, int y) const { return mask[index(x, y)] != 0; }
    bool anyPainted(PixelRect r) const {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (painted(x, y))
                    return true;
        return false;
    }

  private:
    size_t index(int x, int y) const { return static_cast<size_t>(y) * width + x; }
    int width;
    int height;
    std::vector<Uint8> mask;
};

// The smallest rectangle within `r` that holds all of its painted pixels.
PixelRect shrinkToPainted(const PaintedMask& mask, PixelRect r) {
    PixelRect tight = {r.right, r.bottom, r.left, r.top};
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (mask.painted(x, y)) {
                tight.left = std::min(tight.left, x);
                tight.top = std::min(tight.top, y);
                tight.right = std::max(tight.right, x + 1);
                tight.bottom = std::max(tight.bottom, y + 1);
            }
    return tight;
}

// Runs of painted tiles along each row of tiles, each shrunk to its painted
// pixels; a run that continues one of the row above, as wide and touching
// it, extends that one's rectangle downwards.
std::vector<PixelRect> paintedRuns(const PaintedMask& mask, int width, int height) {
    std::vector<PixelRect> rects;
    std::vector<size_t> above; // rectangles ending at the row above
    for (int top = 0; top < height; top += TILE) {
        const int bottom = std::min(top + TILE, height);
        std::vector<size_t> here;
        for (int left = 0; left < width;) {
            int right = left;
            while (right < width &&
                   mask.anyPainted({right, top, std::min(right + TILE, width), bottom}))
                right = std::min(right + TILE, width);
            if (right == left) {
                left = std::min(left + TILE, width);
                continue;
            }
            const PixelRect run = shrinkToPainted(mask, {left, top, right, bottom});
            auto continued = std::find_if(above.begin(), above.end(), [&](size_t i) {
                return rects[i].left == run.left && rects[i].right == run.right &&
                       rects[i].bottom == run.top;
            });
            if (continued != above.end()) {
                rects[*continued].bottom = run.bottom;
                here.push_back(*continued);
            } else {
                rects.push_back(run);
                here.push_back(rects.size() - 1);
            }
            left = right;
        }
        above = here;
    }
    return rects;
}

// The screen quad cut down to `r`, with the picture's own part of it: the
// picture covers the whole screen, so both are the same rectangle.
void addQuad(PaintedArea& area, PixelRect r, int width, int height) {
    const glm::ivec2 size(width, height);
    const QuadVertices quad = quadVertices(r, size, r, size);
    area.positions.insert(area.positions.end(), std::begin(quad.positions),
                          std::end(quad.positions));
    area.uvs.insert(area.uvs.end(), std::begin(quad.uvs), std::end(quad.uvs));
    area.rects.push_back(r);
}

} // namespace

PaintedArea wholePicture(int width, int height) {
    PaintedArea area;
    area.width = width;
    area.height = height;
    addQuad(area, {0, 0, width, height}, width, height);
    return area;
}

PaintedArea findPaintedArea(const SDL_Surface* image) {
    const int width = image->w, height = image->h;
    if (image->format->BytesPerPixel != 4 || width <= 0 || height <= 0)
        return wholePicture(width, height);
    const PaintedMask mask(image);
    PaintedArea area;
    area.width = width;
    area.height = height;
    for (PixelRect rect : paintedRuns(mask, width, height))
        addQuad(area, rect, width, height);
    return area;
}
