// Generates every model, texture and picture of the game into
// <output>/objects and <output>/objects/interface, every sound into
// <output>/sounds, and the game's icon in the given sizes into the icon
// folder, each size as a PNG and all of them in one Windows icon,
// "talmorak-arena.ico". The same inputs always give byte-identical files.
//
// usage: assetgen <output folder> <font folder> [<icon folder> <size>...]

#include "IconFile.h"
#include "Models.h"
#include "Pictures.h"
#include "Sounds.h"
#include "Textures.h"
#include "WavWriter.h"
#include "WorldFit.h"
#include "XFileWriter.h"

#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

bool makeFolder(const std::string& path) {
    return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

bool writeModel(const BuiltModel& built, const std::string& path, const glm::mat4& startPlacement) {
    if (!built.error.empty()) {
        std::fprintf(stderr, "assetgen: %s: %s\n", path.c_str(), built.error.c_str());
        return false;
    }
    glm::vec3 low, high;
    worldExtent(built.model, startPlacement, low, high);
    std::printf("%-18s %5zu triangles, load scale %.3f, world x %.2f..%.2f y %.2f..%.2f "
                "z %.2f..%.2f\n",
                path.substr(path.find_last_of('/') + 1).c_str(), built.model.mesh.triangles.size(),
                loadedBounds(built.model).scale, low.x, high.x, low.y, high.y, low.z, high.z);
    return writeXFile(built.model, path);
}

bool writeTextures(const std::string& objects) {
    bool ok = mageTexture().writeBmp(objects + "/mage.bmp", false);
    const MonsterPalette red{{0.8f, 0.16f, 0.12f},
                             {0.32f, 0.08f, 0.07f},
                             {0.93f, 0.87f, 0.72f},
                             {1.0f, 0.85f, 0.2f},
                             101};
    const MonsterPalette green{{0.32f, 0.72f, 0.22f},
                               {0.42f, 0.28f, 0.12f},
                               {0.9f, 0.88f, 0.62f},
                               {1.0f, 0.3f, 0.1f},
                               202};
    // The plain monsters carry the blue rune's colour: pale bone skin with
    // blue bands, and blue hide.
    const MonsterPalette plain{{0.9f, 0.88f, 0.82f},
                               {0.12f, 0.3f, 0.88f},
                               {0.55f, 0.75f, 1.0f},
                               {0.45f, 0.8f, 1.0f},
                               303,
                               {0.15f, 0.38f, 1.0f},
                               0.4f};
    ok = monsterTexture(red).writeBmp(objects + "/redmonster.bmp", false) && ok;
    ok = monsterTexture(green).writeBmp(objects + "/greenmonster.bmp", false) && ok;
    ok = monsterTexture(plain).writeBmp(objects + "/monster.bmp", false) && ok;
    ok = arenaFloorTexture().writeBmp(objects + "/arenafloor.bmp", false) && ok;
    ok = arenaEmblemTexture().writeBmp(objects + "/arenaemblem.bmp", false) && ok;
    ok = arenaWallTexture().writeBmp(objects + "/arenawall.bmp", false) && ok;
    ok = skyTexture().writeBmp(objects + "/sky.bmp", false) && ok;
    return ok;
}

bool writeModels(const std::string& objects) {
    bool ok = writeModel(buildMage(), objects + "/mage.x", magePlacement());
    ok = writeModel(buildArena(), objects + "/arena.x", arenaPlacement()) && ok;
    ok = writeModel(buildSky(), objects + "/skysphere.x", skyPlacement()) && ok;
    ok = writeModel(buildMonster(RED_MONSTER), objects + "/redmonster.x", monsterPlacement()) && ok;
    ok = writeModel(buildMonster(GREEN_MONSTER), objects + "/greenmonster.x", monsterPlacement()) &&
         ok;
    ok = writeModel(buildMonster(PLAIN_MONSTER), objects + "/monster.x", monsterPlacement()) && ok;
    const char* const colours[4] = {"red", "green", "blue", "white"};
    for (int c = 0; c < 4; ++c) {
        const RuneColour colour = static_cast<RuneColour>(c);
        ok =
            writeModel(buildRune(colour), objects + "/" + colours[c] + "rune.x", runePlacement()) &&
            ok;
        ok = writeModel(buildParticle(colour), objects + "/" + colours[c] + "particle.x",
                        particlePlacement()) &&
             ok;
    }
    return ok;
}

float decibels(float level) {
    return 20.0f * std::log10(level);
}

bool writeSounds(const std::string& sounds) {
    bool ok = true;
    for (int id = 0; id < SOUND_COUNT; ++id) {
        const Samples samples = synthesiseSound(static_cast<SoundId>(id));
        std::printf("%-18s %5.3f s, peak %5.1f dBFS, RMS %5.1f dBFS\n", SOUNDS[id].file,
                    samples.size() / static_cast<float>(SOUND_RATE), decibels(peakOf(samples)),
                    decibels(rmsOf(samples)));
        ok = writeWav(samples, sounds + "/" + SOUNDS[id].file) && ok;
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: assetgen <output folder> <font folder> [<icon folder> <size>...]\n");
        return 2;
    }
    const std::string objects = std::string(argv[1]) + "/objects";
    const std::string interface = objects + "/interface";
    const std::string sounds = std::string(argv[1]) + "/sounds";
    if (!makeFolder(argv[1]) || !makeFolder(objects) || !makeFolder(interface) ||
        !makeFolder(sounds)) {
        std::fprintf(stderr, "assetgen: cannot create the folders under %s\n", argv[1]);
        return 1;
    }
    bool ok = writeModels(objects);
    ok = writeTextures(objects) && ok;
    ok = writePictures(interface, argv[2]) && ok;
    ok = writeSounds(sounds) && ok;
    if (argc > 3) {
        std::vector<int> sizes;
        for (int i = 4; i < argc; ++i)
            sizes.push_back(std::atoi(argv[i]));
        ok = makeFolder(argv[3]) && writeIcons(argv[3], sizes) && ok;
        std::vector<std::string> pngs;
        for (int size : sizes)
            pngs.push_back(std::string(argv[3]) + "/talmorak-arena-" + std::to_string(size) +
                           ".png");
        ok = writeIconFile(std::string(argv[3]) + "/talmorak-arena.ico", pngs) && ok;
    }
    return ok ? 0 : 1;
}
