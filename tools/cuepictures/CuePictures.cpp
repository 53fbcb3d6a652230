// Pictures of the cues that teach the game, taken from its own frames
// (scripts/cue-pictures.sh): one monster of each kind just through the far
// gate, and the same view without them; the red rune's kill square with the
// mage standing on it and beside it; a red monster on the square (the rune
// ready, its icon lit); and a refused press of the green rune's key next to
// it (its icon blinking, the red rune's spacing square drawn); the mark of
// the mage's facing from the camera behind it and from above; a monster of
// each kind out of sight, one under the bar, with their markers at the
// picture's edge; monsters walking up from three sides with the pins where
// they will stop, the red one headed onto the red rune, and a monster
// hidden behind the mage, seen through it; the green rune's key refused
// during the cooldown of its laying, its icon blinking; last, the tutorial
// with a pad plugged in, the pad's buttons beside the keys, as a pass of
// the loop shows it when the player has looked away.
//
// The game is built and played as in a real run, on a synthetic clock with
// scripted keys. While the mage lays its rune and steps aside the released
// monsters stand aside, so they neither walk nor strike; the monsters of a
// picture are put where it needs them, and each picture is one more frame
// of 0 ms.
//
// usage (from a folder beside the staged bin/): cue_pictures <output folder>
// writes gate.ppm, gate_empty.ppm, on_rune.ppm, beside_rune.ppm, ready.ppm,
// refused.ppm, facing.ppm, facing_above.ppm, markers.ppm, stop_marks.ppm,
// behind_mage.ppm, cooldown_refused_0.ppm to _3.ppm and tutorial_pad.ppm.
#include "world/GameWorld.h"
#include "app/MainLoop.h"
#include "app/PadKeys.h"
#include "world/SceneConstruction.h"
#include "app/Startup.h"
#include "app/Window.h"
#include "game/Monster.h"
#include "game/Player.h"
#include "game/Rune.h"
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

const int PASS_MS = 40;
const unsigned SEED = 11;
// 'D' held for a quarter turn, then 'W': the mage ends just beside the rune,
// where it hides none of the square from the camera.
const int QUARTER_TURN_MS = 320;
const int STEP_ASIDE_MS = 360;

// Frames of the world alone, the monsters out of it, `key` held.
void frames(GameWorld& world, int milliseconds, int key = -1) {
    std::vector<Monster*> released;
    std::swap(released, world.monsters);
    holdToolKey(key);
    for (int t = 0; t < milliseconds; t += PASS_MS)
        world.frame(PASS_MS);
    holdToolKey(-1);
    std::swap(released, world.monsters);
}

// One still frame, its picture written, at the start of the ready pulse.
void shoot(GameWorld& world, const std::string& path) {
    world.runeCues.pulseClock = 0;
    world.frame(0);
    writeWindowPicture(path);
}

// The scene's depths of the last frame, as raw 32-bit floats, bottom row
// first: where a monster stands they differ from the empty view's, where
// only its shadow falls they do not.
void writeSceneDepth(const GameWorld& world, const std::string& path) {
    std::vector<float> depth(PICTURE_WIDTH * PICTURE_HEIGHT);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, world.postTarget.framebuffer);
    glReadPixels(0, 0, PICTURE_WIDTH, PICTURE_HEIGHT, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return;
    std::fwrite(depth.data(), sizeof(float), depth.size(), file);
    std::fclose(file);
}

Monster* firstOfKind(Monster* const (&prepared)[PREPARED_MONSTER_COUNT], int kind) {
    for (Monster* monster : prepared)
        if (monster->kind == kind)
            return monster;
    return nullptr;
}

// Moves the monster onto the point, upright as it stands.
void standOn(Monster& monster, glm::vec3 point) {
    const glm::vec3 at(monster.worldMatrix[3]);
    monster.worldMatrix[3] += glm::vec4(point.x - at.x, 0.0f, point.z - at.z, 0.0f);
    monster.position = glm::vec3(monster.worldMatrix[3]);
    monster.inArena = true;
}

// A red, a green and a plain monster side by side just inside the far gate
// (as far from the eye as the gate, where the view still shows them whole),
// as the start camera sees them, turned toward the centre as they walk in;
// then the same view without them, whose floor they are measured against.
bool shootTheGate(GameWorld& world, Monster* const (&prepared)[PREPARED_MONSTER_COUNT],
                  const std::string& folder) {
    const float GATE_Z = 5.6f, APART = 1.2f;
    world.monsters.clear();
    for (int kind = 0; kind < 3; ++kind) {
        Monster* monster = firstOfKind(prepared, kind);
        if (monster == nullptr)
            return false;
        standOn(*monster, glm::vec3(APART * (kind - 1), 0.0f, GATE_Z));
        monster->inArena = false;
        world.monsters.push_back(monster);
    }
    shoot(world, folder + "/gate.ppm");
    writeSceneDepth(world, folder + "/gate.depth");
    world.monsters.clear();
    shoot(world, folder + "/gate_empty.ppm");
    writeSceneDepth(world, folder + "/gate_empty.depth");
    return true;
}

// A pad at rest as joystick 0: this machine has none.
bool padAtRest(int pad, PadState& state) {
    state = PadState{};
    return pad == 0;
}

void shootTheTutorialWithAPad(MainLoop& loop, const std::string& path) {
    setPadSource(padAtRest);
    windowPadEvent(0, true);
    windowFocusEvent(false);
    playPasses(loop, PASS_MS, PASS_MS);
    writeWindowPicture(path);
    windowPadEvent(0, false);
    setPadSource(nullptr);
}

// The mage's facing mark as the camera behind it sees it, then from above.
void shootTheFacing(GameWorld& world, const std::string& folder) {
    shoot(world, folder + "/facing.ppm");
    Camera& camera = *world.camera;
    const glm::vec3 eye = camera.eye, target = camera.target;
    const glm::vec3 mage = world.player->position;
    camera.eye = mage + glm::vec3(0.0f, 9.0f, -0.3f);
    camera.target = mage;
    shoot(world, folder + "/facing_above.ppm");
    camera.eye = eye;
    camera.target = target;
}

// One monster of each kind, red, green and plain, standing at the places, the
// only monsters out.
void placeOneOfEachKind(GameWorld& world, Monster* const (&prepared)[PREPARED_MONSTER_COUNT],
                        const glm::vec3 (&places)[3]) {
    world.monsters.clear();
    for (int kind = 0; kind < 3; ++kind) {
        Monster* monster = firstOfKind(prepared, kind);
        standOn(*monster, places[kind]);
        world.monsters.push_back(monster);
    }
}

// A monster of each kind out of sight of the camera behind the mage: a
// blue-striped one under the bar, a red one beyond the left edge and a
// green one at the gate behind the camera.
void shootTheMarkers(GameWorld& world, Monster* const (&prepared)[PREPARED_MONSTER_COUNT],
                     const std::string& folder) {
    const glm::vec3 mage = world.player->position;
    const glm::vec3 places[3] = {mage + glm::vec3(6.0f, 0.0f, 1.0f), glm::vec3(0.0f, 0.0f, -9.0f),
                                 mage + glm::vec3(-0.8f, 0.0f, -2.45f)};
    placeOneOfEachKind(world, prepared, places);
    shoot(world, folder + "/markers.ppm");
}

// Monsters walking up to the mage from three sides, each with the pin
// where it will stop; the red one comes over the red rune, whose outline
// shows it headed there. Then a monster hidden behind the mage from the
// camera, seen through the robe.
void shootWhereMonstersStop(GameWorld& world, Monster* const (&prepared)[PREPARED_MONSTER_COUNT],
                            const std::string& folder) {
    const glm::vec3 mage = world.player->position, rune = world.player->redPos;
    const glm::vec3 beyond = glm::normalize(glm::vec3(rune.x - mage.x, 0.0f, rune.z - mage.z));
    const glm::vec3 places[3] = {rune + beyond * 1.2f, mage + glm::vec3(1.6f, 0.0f, 0.9f),
                                 mage + glm::vec3(-1.7f, 0.0f, 1.2f)};
    placeOneOfEachKind(world, prepared, places);
    shoot(world, folder + "/stop_marks.ppm");
    std::printf("headed: %s\n", world.runeCues.headed[0] ? "yes" : "no");

    Monster* hidden = firstOfKind(prepared, 0);
    standOn(*hidden, mage + glm::vec3(0.05f, 0.0f, 0.35f));
    world.monsters = {hidden};
    shoot(world, folder + "/behind_mage.ppm");
}

// The green rune laid a step away from the red one, and its key pressed
// again during the cooldown of its laying: the icon blinks off and on, a
// frame of each half of the blink.
void shootACooldownRefusal(GameWorld& world, const std::string& folder) {
    frames(world, 2 * STEP_ASIDE_MS, 'W');
    frames(world, PASS_MS, '2');
    frames(world, PASS_MS);
    frames(world, PASS_MS, '2');
    for (int shot = 0; shot < 4; ++shot) {
        shoot(world, folder + "/cooldown_refused_" + std::to_string(shot) + ".ppm");
        frames(world, REFUSED_BLINK_MS / 4);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: cue_pictures <output folder>\n");
        return 2;
    }
    if (!openToolWindow(SEED))
        return 1;
    const std::string folder = argv[1];

    Scene scene = buildScene();
    GameWorld& world = *scene.world;
    MainLoop loop(scene, toolTicks);
    playPasses(loop, 1200, PASS_MS);
    playPasses(loop, PASS_MS, PASS_MS, 'P');
    frames(world, 1200);
    if (!shootTheGate(world, scene.preparedMonsters, folder)) {
        std::fprintf(stderr, "cue_pictures: this seed lacks a kind of monster\n");
        return 1;
    }
    frames(world, PASS_MS, '1');
    shoot(world, folder + "/on_rune.ppm");
    frames(world, QUARTER_TURN_MS, 'D');
    frames(world, STEP_ASIDE_MS, 'W');
    shoot(world, folder + "/beside_rune.ppm");
    const glm::vec3 mage = world.player->position, rune = world.player->redPos;
    std::printf("beside: the mage %.2f, %.2f from the rune\n", mage.x - rune.x, mage.z - rune.z);

    Monster* red = firstOfKind(scene.preparedMonsters, 0);
    standOn(*red, world.player->redPos);
    world.monsters = {red};
    shoot(world, folder + "/ready.ppm");
    std::printf("ready: %s\n", world.runeCues.ready[0] ? "yes" : "no");

    world.monsters.clear();
    frames(world, PASS_MS, '2');
    shoot(world, folder + "/refused.ppm");
    // The spacing square's second runs out.
    frames(world, SPACING_SQUARE_MS);
    shootTheFacing(world, folder);
    shootTheMarkers(world, scene.preparedMonsters, folder);
    shootWhereMonstersStop(world, scene.preparedMonsters, folder);
    world.monsters.clear();
    shootACooldownRefusal(world, folder);
    shootTheTutorialWithAPad(loop, folder + "/tutorial_pad.ppm");
    windowTerminate();
    return 0;
}
