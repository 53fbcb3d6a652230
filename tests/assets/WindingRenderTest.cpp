// The game culls front (counter-clockwise) faces in every pass, so the files
// must give clockwise visible faces after the importer's mirroring. Rendering
// each model once with that culling and once without any: where the surfaces
// face the right way, both renders see the same nearest surface at every pixel.

#include "AssetTestSupport.h"

#include "GlContext.h"
#include "model/Model.h"
#include "render/GL.h"
#include "render/ShaderProgram.h"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

const int SIZE = 256;

class DepthTarget {
  public:
    DepthTarget() {
        glGenTextures(1, &color);
        glBindTexture(GL_TEXTURE_2D, color);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, SIZE, SIZE, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glGenRenderbuffersEXT(1, &depth);
        glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, depth);
        glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT24, SIZE, SIZE);
        glGenFramebuffersEXT(1, &framebuffer);
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer);
        glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D,
                                  color, 0);
        glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT,
                                     GL_RENDERBUFFER_EXT, depth);
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    }
    ~DepthTarget() {
        glDeleteFramebuffersEXT(1, &framebuffer);
        glDeleteRenderbuffersEXT(1, &depth);
        glDeleteTextures(1, &color);
    }

    // Depth of every pixel after drawing the model with or without the
    // game's culling of front faces.
    std::vector<float> render(Model& model, glm::vec3 eye, glm::vec3 target, bool cullFront) {
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer);
        glViewport(0, 0, SIZE, SIZE);
        glClearDepth(1.0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        if (cullFront) {
            glEnable(GL_CULL_FACE);
            glCullFace(GL_FRONT);
        } else {
            glDisable(GL_CULL_FACE);
        }
        const GLuint program = model.shader->program;
        glUseProgram(program);
        const glm::mat4 projection = glm::perspective(glm::radians(45.0f), 1.0f, 0.2f, 80.0f);
        const glm::mat4 view = glm::lookAt(eye, target, glm::vec3(0.0f, 1.0f, 0.0f));
        glUniformMatrix4fv(glGetUniformLocation(program, "pMatrix"), 1, GL_FALSE,
                           glm::value_ptr(projection));
        glUniformMatrix4fv(glGetUniformLocation(program, "vMatrix"), 1, GL_FALSE,
                           glm::value_ptr(view));
        model.draw();
        std::vector<float> depths(SIZE * SIZE);
        glReadPixels(0, 0, SIZE, SIZE, GL_DEPTH_COMPONENT, GL_FLOAT, depths.data());
        glUseProgram(0);
        glDisable(GL_CULL_FACE);
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
        return depths;
    }

  private:
    GLuint framebuffer = 0, color = 0, depth = 0;
};

struct Comparison {
    int covered = 0;    // pixels the unculled render covers
    int mismatched = 0; // of those, pixels the culled render misses or sees deeper
};

Comparison compare(const std::vector<float>& culled, const std::vector<float>& unculled) {
    Comparison result;
    for (std::size_t i = 0; i < unculled.size(); ++i) {
        if (unculled[i] >= 1.0f)
            continue;
        ++result.covered;
        if (std::fabs(culled[i] - unculled[i]) > 1e-5f)
            ++result.mismatched;
    }
    return result;
}

void expectVisibleFacesWindClockwise(const std::string& name, glm::vec3 eye, glm::vec3 target,
                                     const glm::mat4& after = glm::mat4(1.0f)) {
    Model* model = loadPlacedModel(name);
    ASSERT_NE(model, nullptr) << name;
    model->multiplyModelMatrix(after);
    DepthTarget target_;
    const Comparison c = compare(target_.render(*model, eye, target, true),
                                 target_.render(*model, eye, target, false));
    EXPECT_GT(c.covered, 200) << name << " is not in view";
    EXPECT_LT(c.mismatched, c.covered / 50 + 5)
        << name << ": " << c.mismatched << " of " << c.covered;
    delete model;
}

} // namespace

TEST(WindingRender, FiguresShowTheirOutsideUnderTheGamesCulling) {
    REQUIRE_GL_CONTEXT();
    expectVisibleFacesWindClockwise("mage", {0.0f, 1.0f, -2.5f}, {0.0f, 0.5f, 0.0f});
    expectVisibleFacesWindClockwise("mage", {2.0f, 1.5f, 1.5f}, {0.0f, 0.5f, 0.0f});
    // Monsters as at their first spawn corner, seen from inside the arena.
    for (const char* name : {"redmonster", "greenmonster", "monster"}) {
        Model* probe = loadPlacedModel(name);
        ASSERT_NE(probe, nullptr);
        const glm::vec3 at = glm::vec3(probe->modelMatrix * spawnCorner(0) * glm::vec4(0, 0, 0, 1));
        delete probe;
        expectVisibleFacesWindClockwise(name, {at.x + 0.6f, 0.8f, at.z - 1.6f}, {at.x, 0.3f, at.z},
                                        spawnCorner(0));
    }
}

TEST(WindingRender, SceneryAndEffectsShowTheirVisibleSide) {
    REQUIRE_GL_CONTEXT();
    expectVisibleFacesWindClockwise("arena", {0.0f, 5.0f, -5.0f}, {0.0f, 0.0f, 0.0f});
    expectVisibleFacesWindClockwise("arena", {-6.0f, 1.5f, -6.0f}, {7.5f, 0.2f, 0.0f});
    // The sky's cone is seen from above: alone, without the floor over its
    // hole, the look down the middle would pass under it.
    expectVisibleFacesWindClockwise("skysphere", {0.0f, 5.0f, -17.0f}, {0.0f, -3.0f, -24.0f});
    expectVisibleFacesWindClockwise("skysphere", {3.0f, 6.0f, -10.0f}, {0.0f, 10.0f, 10.0f});
    for (const char* name : {"redrune", "greenrune", "bluerune", "whiterune"})
        expectVisibleFacesWindClockwise(name, {0.0f, 0.8f, -0.8f}, {0.0f, 0.0f, 0.0f});
    for (const char* name : {"redparticle", "whiteparticle"})
        expectVisibleFacesWindClockwise(name, {0.0f, 0.3f, -0.35f}, {0.0f, 0.05f, 0.0f});
}
