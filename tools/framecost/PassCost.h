#pragma once

// A frame's work split into its pieces: the shadow pass's monsters and
// mage, the main pass's sky, arena, monsters, mage and runes, the
// post-process pass, the head-up display and the swap; the sky and the
// arena mesh by mesh. After each piece
// the renderer is made to finish (llvmpipe on the calling thread shades
// then), callgrind dumps its count under the piece's name and llvmpipe's
// count of fragment-shader invocations is read. The finishes add a little
// work of their own, so the pieces add up to a little more than a frame.
//
// The frame is GameWorld::frame's passes called one by one in its order
// (no F1 key is read); the main pass begins as beginMainPass does, with
// each scenery model drawn on its own.

#include "app/GameWorld.h"
#include "app/Window.h"
#include "model/Mesh.h"
#include "model/Model.h"
#include "render/Camera.h"
#include "render/FloorBasin.h"
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
    PassMeter() {
        glGenQueries(1, &query);
        begin();
    }
    // Ends the piece drawn since the last mark.
    void mark(const std::string& piece) {
        glFinish();
        glEndQuery(GL_FRAGMENT_SHADER_INVOCATIONS_ARB);
        GLuint64 count = 0;
        glGetQueryObjectui64v(query, GL_QUERY_RESULT, &count);
        if (fragments.find(piece) == fragments.end())
            order.push_back(piece);
        fragments[piece] += count;
        CALLGRIND_DUMP_STATS_AT(piece.c_str());
        begin();
    }
    // Ends counting; prints each piece's fragment-shader invocations a frame.
    void report(int frames) {
        glEndQuery(GL_FRAGMENT_SHADER_INVOCATIONS_ARB);
        glDeleteQueries(1, &query);
        for (const std::string& piece : order)
            printf("piece %s: %.0f thousand fragment-shader invocations a frame\n", piece.c_str(),
                   static_cast<double>(fragments[piece]) / 1000.0 / frames);
    }

  private:
    void begin() { glBeginQuery(GL_FRAGMENT_SHADER_INVOCATIONS_ARB, query); }

    GLuint query = 0;
    std::vector<std::string> order;
    std::map<std::string, GLuint64> fragments;
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
    world.cueClock += elapsed;
    world.drawRuneMarks();
    meter.mark("head-up display: rune marks");
    world.drawFightMarks(elapsed);
    meter.mark("head-up display: fight marks");
    if (world.hitFlash) {
        world.drawPicture(world.hitTexture);
        world.hitFlashTime += elapsed;
        if (world.hitFlashTime > 20) {
            world.hitFlash = false;
            world.hitFlashTime = 0;
        }
    }
    meter.mark("head-up display: hit picture");
    world.drawPicture(world.backgroundTexture);
    meter.mark("head-up display: bar");
    world.drawRuneIcons(elapsed);
    meter.mark("head-up display: rune icons");
    world.drawCounters();
    meter.mark("head-up display: counters");
    if (world.defeat)
        world.drawPicture(world.defeatTexture);
    else if (world.victory)
        world.drawPicture(world.victoryTexture);
    world.gameOverShown = world.gameOverShown || world.defeat || world.victory;
    if (world.paused)
        world.drawPicture(world.tutorialTexture);
    meter.mark("head-up display: end and tutorial pictures");
    glUseProgram(0);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
}

inline void drawFrameByPass(GameWorld& world, int elapsed, PassMeter& meter) {
    world.beginShadowPass();
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
    const FloorBasinLeftOut basinLeftOut(
        world.sceneModels,
        !nearPlaneReachesFloor(world.camera->projection * world.camera->viewMatrix()));
    const char* const sceneryNames[2] = {"main pass: sky", "main pass: arena"};
    for (size_t i = 0; i < world.sceneModels.size(); ++i)
        drawByMesh(*world.sceneModels[i], i < 2 ? sceneryNames[i] : "main pass: scenery", meter);
    world.updateMonsters(elapsed);
    meter.mark("main pass: monsters");
    world.updatePlayer(elapsed);
    world.judgeRuneReadiness();
    meter.mark("main pass: mage");
    world.drawRunes(elapsed);
    meter.mark("main pass: runes and particles");

    world.renderPostProcessPass();
    meter.mark("post-process pass");
    drawInterfaceByPiece(world, elapsed, meter);
    windowSwapBuffers();
    meter.mark("swap");
}

// As drawCountedFrames, with the frames split into their pieces.
inline void drawFramesByPass(GameWorld& world, int elapsed, int frames) {
    for (int i = 0; i < WARM_UP_FRAMES; ++i)
        world.frame(elapsed);
    glFinish();
    CALLGRIND_ZERO_STATS;
    CALLGRIND_START_INSTRUMENTATION;
    PassMeter meter;
    for (int i = 0; i < frames; ++i)
        drawFrameByPass(world, elapsed, meter);
    CALLGRIND_STOP_INSTRUMENTATION;
    meter.report(frames);
}
