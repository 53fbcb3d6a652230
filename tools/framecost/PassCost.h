#pragma once

// A frame's work split into its pieces: the shadow pass's monsters and
// mage, the main pass's sky, arena, monsters, mage and runes, the
// post-process pass, the head-up display and the swap; the sky and the
// arena mesh by mesh. After each piece
// the renderer is made to finish (llvmpipe on the calling thread shades
// then), callgrind dumps its count under the piece's name, and llvmpipe's
// count of fragment-shader invocations (every 4 x 4 block a triangle
// touches, all sixteen pixels of it) and the pixels written are read. The finishes add a little
// work of their own, so the pieces add up to a little more than a frame.
//
// The frame is GameWorld::frame's passes called one by one in its order
// (no F1 key is read); the main pass begins as beginMainPass does, with
// each scenery model drawn on its own.

#include "world/FightMarks.h"
#include "world/FramePasses.h"
#include "world/GameRules.h"
#include "world/GameWorld.h"
#include "world/HeadUpDisplay.h"
#include "app/Window.h"
#include "model/Mesh.h"
#include "model/Model.h"
#include "render/Camera.h"
#include "model/FloorBasin.h"
#include "render/ShaderProgram.h"
#include "tools/framecost/CountedFrames.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#ifndef CALLGRIND_DUMP_STATS_AT
#define CALLGRIND_DUMP_STATS_AT(label)
#endif

class PassMeter {
  public:
    // A meter that is not counted reads its queries but dumps nothing.
    explicit PassMeter(bool counted) : counted(counted) {
        glGenQueries(2, queries);
        begin();
    }
    // Ends the piece drawn since the last mark.
    void mark(const std::string& piece) {
        glFinish();
        glEndQuery(GL_FRAGMENT_SHADER_INVOCATIONS_ARB);
        glEndQuery(GL_SAMPLES_PASSED);
        GLuint64 invocations = 0;
        GLuint64 samples = 0;
        glGetQueryObjectui64v(queries[0], GL_QUERY_RESULT, &invocations);
        glGetQueryObjectui64v(queries[1], GL_QUERY_RESULT, &samples);
        if (counts.find(piece) == counts.end())
            order.push_back(piece);
        counts[piece].invocations += invocations;
        counts[piece].samples += samples;
        if (counted)
            CALLGRIND_DUMP_STATS_AT(piece.c_str());
        begin();
    }
    void finish() {
        glEndQuery(GL_FRAGMENT_SHADER_INVOCATIONS_ARB);
        glEndQuery(GL_SAMPLES_PASSED);
        glDeleteQueries(2, queries);
    }
    // Prints each piece's fragment-shader invocations a frame, and the
    // pixels it wrote (those that passed the depth test).
    void report(int frames) {
        for (const std::string& piece : order)
            printf("piece %s: %.0f thousand fragment-shader invocations a frame, %.0f thousand "
                   "pixels written\n",
                   piece.c_str(), static_cast<double>(counts[piece].invocations) / 1000.0 / frames,
                   static_cast<double>(counts[piece].samples) / 1000.0 / frames);
    }

  private:
    struct Counts {
        GLuint64 invocations = 0;
        GLuint64 samples = 0;
    };

    void begin() {
        glBeginQuery(GL_FRAGMENT_SHADER_INVOCATIONS_ARB, queries[0]);
        glBeginQuery(GL_SAMPLES_PASSED, queries[1]);
    }

    bool counted;
    GLuint queries[2] = {0, 0};
    std::vector<std::string> order;
    std::map<std::string, Counts> counts;
};

// Draws the model one mesh at a time, each a piece of its own named by its
// material's number (in a drawn model the meshes go in that order).
inline void drawByMesh(Model& model, const std::string& name, PassMeter& meter) {
    std::vector<Mesh*> meshes = model.meshes;
    for (size_t shown = 0; shown < meshes.size(); ++shown) {
        for (size_t i = 0; i < meshes.size(); ++i)
            model.meshes[i] = i == shown ? meshes[i] : nullptr;
        if (meshes[shown] == nullptr)
            continue;
        model.draw();
        const int material = meshes[shown] != nullptr ? meshes[shown]->materialIndex : -1;
        meter.mark(name + ", material " + std::to_string(material));
    }
    model.meshes = meshes;
}

// The head-up display as renderInterface draws it, split into its pictures
// and marks; the opening screen's and the demo's labels are left out.
inline void drawInterfaceByPiece(GameWorld& world, int elapsed, PassMeter& meter) {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_DEPTH_TEST);
    glUseProgram(world.interfaceShader->program);
    drawRuneMarks(world);
    meter.mark("head-up display: rune marks");
    drawFightMarks(world);
    meter.mark("head-up display: fight marks");
    if (world.hitFlash) {
        drawPicture(world, world.hitTexture);
        world.hitFlashTime += elapsed;
        if (world.hitFlashTime > 20) {
            world.hitFlash = false;
            world.hitFlashTime = 0;
        }
    }
    meter.mark("head-up display: hit picture");
    drawPicture(world, world.backgroundTexture);
    meter.mark("head-up display: bar");
    drawRuneIcons(world);
    meter.mark("head-up display: rune icons");
    drawCounters(world);
    meter.mark("head-up display: counters");
    if (world.defeat)
        drawPicture(world, world.defeatTexture);
    else if (world.victory)
        drawPicture(world, world.victoryTexture);
    world.gameOverShown = world.gameOverShown || world.defeat || world.victory;
    if (world.paused)
        drawPicture(world, world.tutorialTexture);
    meter.mark("head-up display: end and tutorial pictures");
    glUseProgram(0);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
}

inline void drawFrameByPass(GameWorld& world, int elapsed, PassMeter& meter) {
    world.refusals.advance(elapsed);
    beginShadowPass(world);
    world.updateMonsters(elapsed);
    meter.mark("shadow pass: clear, monsters");
    world.player->model->draw();
    glUseProgram(0);
    meter.mark("shadow pass: mage");

    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, world.postTarget.framebuffer);
    glViewport(0, 0, PICTURE_WIDTH, PICTURE_HEIGHT);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const GLuint program = world.modelShader->program;
    glUseProgram(program);
    glUniform1i(glGetUniformLocation(program, "mode"), 1);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, world.shadowTarget.depthTexture);
    glUniform1i(glGetUniformLocation(program, "shadowMap"), 0);
    world.setCameraUniforms();
    world.setLightUniforms();
    meter.mark("main pass: clear");
    const FloorBasinLeftOut basinLeftOut(world.sceneModels,
                                         !nearPlaneReachesFloor(world.camera->viewProjection()));
    const char* const sceneryNames[2] = {"main pass: sky", "main pass: arena"};
    for (size_t i = 0; i < world.sceneModels.size(); ++i)
        drawByMesh(*world.sceneModels[i], i < 2 ? sceneryNames[i] : "main pass: scenery", meter);
    world.updateMonsters(elapsed);
    meter.mark("main pass: monsters");
    world.updatePlayer(elapsed);
    judgeRuneReadiness(world, elapsed);
    meter.mark("main pass: mage");
    drawRunes(world, elapsed);
    meter.mark("main pass: runes and particles");

    world.renderPostProcessPass();
    meter.mark("post-process pass");
    drawInterfaceByPiece(world, elapsed, meter);
    windowSwapBuffers();
    meter.mark("swap");
}

// As drawCountedFrames, with the frames split into their pieces. The last
// warm-up frame is split too: the renderer compiles its variants for the
// queries then, outside the count.
inline void drawFramesByPass(GameWorld& world, int elapsed, int frames) {
    for (int i = 0; i + 1 < WARM_UP_FRAMES; ++i)
        world.frame(elapsed);
    {
        PassMeter warmUp(false);
        drawFrameByPass(world, elapsed, warmUp);
        warmUp.finish();
    }
    glFinish();
    CALLGRIND_ZERO_STATS;
    CALLGRIND_START_INSTRUMENTATION;
    PassMeter meter(true);
    for (int i = 0; i < frames; ++i)
        drawFrameByPass(world, elapsed, meter);
    CALLGRIND_STOP_INSTRUMENTATION;
    meter.finish();
    meter.report(frames);
}
