// Renders the generated models through the game's own loading and drawing
// code, for the contact sheet of scripts/preview-assets.sh: every model from
// a few angles (and the animated ones in mid-stride), and the arena scene
// from the game's start camera. Writes PPM pictures into the given folder.
//
// usage (from <build>/run): asset_viewer <output folder>

#include "app/Window.h"
#include "game/ParticleSystem.h"
#include "game/Rune.h"
#include "model/Animator.h"
#include "model/Model.h"
#include "render/Camera.h"
#include "render/GL.h"
#include "render/Light.h"
#include "render/PictureSize.h"
#include "render/ShaderProgram.h"

#include <SDL.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include <cmath>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const glm::vec3 X_AXIS(1, 0, 0), Y_AXIS(0, 1, 0), Z_AXIS(0, 0, 1);
const glm::mat4 IDENTITY(1.0f);

struct Target {
    GLuint framebuffer = 0, color = 0, depth = 0;
    int width = 0, height = 0;
};

Target makeTarget(int width, int height) {
    Target t;
    t.width = width;
    t.height = height;
    glGenTextures(1, &t.color);
    glBindTexture(GL_TEXTURE_2D, t.color);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glGenRenderbuffersEXT(1, &t.depth);
    glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, t.depth);
    glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT24, width, height);
    glGenFramebuffersEXT(1, &t.framebuffer);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, t.framebuffer);
    glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, t.color,
                              0);
    glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT,
                                 t.depth);
    return t;
}

void writePpm(const Target& t, const std::string& path) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(t.width) * t.height * 3);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, t.framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, t.width, t.height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return;
    std::fprintf(file, "P6\n%d %d\n255\n", t.width, t.height);
    for (int y = t.height - 1; y >= 0; --y)
        std::fwrite(&pixels[static_cast<std::size_t>(y) * t.width * 3], 1,
                    static_cast<std::size_t>(t.width) * 3, file);
    std::fclose(file);
}

// The uniforms the game's passes set, for a view from `camera`.
void setSceneUniforms(ShaderProgram* shader, const Camera& camera, const Light& light) {
    const GLuint p = shader->program;
    glUseProgram(p);
    glUniform3fv(glGetUniformLocation(p, "cameraPos"), 1, glm::value_ptr(camera.eye));
    glUniformMatrix4fv(glGetUniformLocation(p, "pMatrix"), 1, GL_FALSE,
                       glm::value_ptr(camera.projection));
    const glm::mat4 view = glm::lookAt(camera.eye, camera.target, camera.up);
    glUniformMatrix4fv(glGetUniformLocation(p, "vMatrix"), 1, GL_FALSE, glm::value_ptr(view));
    glUniform3fv(glGetUniformLocation(p, "lightPos"), 1, glm::value_ptr(light.position));
    glUniform3fv(glGetUniformLocation(p, "light_ambient"), 1, glm::value_ptr(light.ambient));
    glUniform3fv(glGetUniformLocation(p, "light_diffuse"), 1, glm::value_ptr(light.diffuse));
    glUniform3fv(glGetUniformLocation(p, "light_specular"), 1, glm::value_ptr(light.specular));
    glUniformMatrix4fv(glGetUniformLocation(p, "smMatrix"), 1, GL_FALSE,
                       glm::value_ptr(light.shadowMatrix()));
    glUniformMatrix4fv(glGetUniformLocation(p, "lpvMatrix"), 1, GL_FALSE,
                       glm::value_ptr(light.viewProjection()));
    glUniform1i(glGetUniformLocation(p, "mode"), 1);
    glUniform1i(glGetUniformLocation(p, "shadowMap"), 0);
}

// No shadow pass here: unit 0 gets a map that says "lit" everywhere.
void bindLitShadowMap() {
    static GLuint texture = 0;
    if (texture == 0) {
        const unsigned char white[4] = {255, 255, 255, 255};
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    }
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
}

void beginFrame(const Target& t, glm::vec3 clear) {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, t.framebuffer);
    glViewport(0, 0, t.width, t.height);
    glClearColor(clear.r, clear.g, clear.b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    // As in the game: front faces are culled, visible faces wind clockwise.
    glCullFace(GL_FRONT);
    bindLitShadowMap();
}

struct Entry {
    const char* file;
    glm::mat4 placement;
    bool monster;
};

std::vector<Entry> entries() {
    const glm::mat4 upright = glm::rotate(IDENTITY, glm::radians(90.0f), X_AXIS);
    const glm::mat4 mage =
        glm::translate(glm::rotate(upright, glm::radians(180.0f), Z_AXIS), {0, 0, -0.36f});
    const glm::mat4 arena =
        glm::translate(glm::scale(upright, glm::vec3(25.0f)), {0, 0.29f, -0.0635f});
    const glm::mat4 monster = glm::scale(upright, glm::vec3(0.7f));
    const glm::mat4 particle = glm::translate(glm::scale(IDENTITY, glm::vec3(0.2f)), {0, 0.2f, 0});
    return {{"mage", mage, false},
            {"redmonster", monster, true},
            {"greenmonster", monster, true},
            {"monster", monster, true},
            {"redrune", upright, false},
            {"greenrune", upright, false},
            {"bluerune", upright, false},
            {"whiterune", upright, false},
            {"redparticle", particle, false},
            {"greenparticle", particle, false},
            {"blueparticle", particle, false},
            {"whiteparticle", particle, false},
            {"arena", arena, false},
            {"skysphere", glm::scale(upright, glm::vec3(60.0f)), false}};
}

Model* loadPlaced(const Entry& entry, Light* light, Camera* camera, ShaderProgram* shader) {
    Model* model =
        new Model(std::string("../bin/objects/") + entry.file + ".x", light, camera, shader);
    model->multiplyModelMatrix(entry.placement);
    model->load();
    // A monster stands on the floor once lifted by its spawn corner's height.
    if (entry.monster)
        model->multiplyModelMatrix(glm::translate(IDENTITY, {0.0f, 0.0f, -2.45714045f}));
    model->saveBaseMatrix();
    return model;
}

// World bounds of the model's vertices as placed.
void worldBounds(Model* model, glm::vec3& low, glm::vec3& high) {
    low = glm::vec3(1e9f);
    high = glm::vec3(-1e9f);
    const glm::vec4 corners[2] = {glm::vec4(model->boundsMin, 1.0f),
                                  glm::vec4(model->boundsMax, 1.0f)};
    for (int i = 0; i < 8; ++i) {
        const glm::vec4 p(corners[i & 1].x, corners[(i >> 1) & 1].y, corners[(i >> 2) & 1].z, 1.0f);
        const glm::vec3 w = glm::vec3(model->modelMatrix * p);
        low = glm::min(low, w);
        high = glm::max(high, w);
    }
}

void renderTurntable(Model* model, const std::string& name, bool monster, const Target& target,
                     Light& light, Camera& camera, const std::string& folder) {
    glm::vec3 low, high;
    worldBounds(model, low, high);
    const glm::vec3 centre = (low + high) * 0.5f;
    const float size = glm::length(high - low);
    const float yaws[4] = {0.0f, 90.0f, 180.0f, 35.0f};
    const char* views[4] = {"front", "side", "back", "above"};
    for (int v = 0; v < 4; ++v) {
        const float yaw = glm::radians(yaws[v]);
        const float lift = v == 3 ? 0.9f : 0.25f;
        // The mage faces +z as placed, monsters -z: "front" looks them in the face.
        const float facing = monster ? -1.0f : 1.0f;
        camera.eye = centre + size * 1.15f *
                                  glm::normalize(glm::vec3(facing * std::sin(yaw), lift,
                                                           facing * std::cos(yaw)));
        camera.target = centre;
        camera.projection = glm::perspective(glm::radians(45.0f), 1.0f, size * 0.05f, size * 10.0f);
        beginFrame(target, {0.32f, 0.34f, 0.4f});
        setSceneUniforms(model->shader, camera, light);
        model->draw();
        writePpm(target, folder + "/" + name + "_" + views[v] + ".ppm");
    }
}

void renderStride(Model* model, const std::string& name, const Target& target, Light& light,
                  Camera& camera, const std::string& folder) {
    if (!model->createAnimator())
        return;
    glm::vec3 low, high;
    worldBounds(model, low, high);
    const glm::vec3 centre = (low + high) * 0.5f;
    const float size = glm::length(high - low);
    camera.eye = centre + size * 1.15f * glm::normalize(glm::vec3(1.0f, 0.25f, 0.3f));
    camera.target = centre;
    camera.projection = glm::perspective(glm::radians(45.0f), 1.0f, size * 0.05f, size * 10.0f);
    // Two moments a quarter cycle apart (the clock runs in milliseconds at
    // 20 ticks per second).
    const int clocks[2] = {300, 600};
    for (int i = 0; i < 2; ++i) {
        animationClock = clocks[i];
        lastTicks = SDL_GetTicks();
        beginFrame(target, {0.32f, 0.34f, 0.4f});
        setSceneUniforms(model->shader, camera, light);
        model->draw();
        writePpm(target, folder + "/" + name + "_stride" + std::to_string(i + 1) + ".ppm");
    }
    delete model->animator;
    model->animator = nullptr;
}

// Places a copy of a shared model at a world position, turned about world y.
void drawAt(Model* model, glm::vec3 position, float yawDegrees) {
    model->setModelMatrix(glm::translate(IDENTITY, position) *
                          glm::rotate(IDENTITY, glm::radians(yawDegrees), Y_AXIS) *
                          model->baseMatrix);
    model->draw();
    model->restoreModelMatrix();
}

struct Rgb {
    int width = 0, height = 0;
    std::vector<float> pixels; // 3 per pixel, row 0 at the top
};

void savePpm(const Rgb& image, const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return;
    std::fprintf(file, "P6\n%d %d\n255\n", image.width, image.height);
    for (float value : image.pixels)
        std::fputc(static_cast<int>(std::min(1.0f, std::max(0.0f, value)) * 255.0f + 0.5f), file);
    std::fclose(file);
}

Rgb readTarget(const Target& t) {
    Rgb image;
    image.width = t.width;
    image.height = t.height;
    std::vector<unsigned char> raw(static_cast<std::size_t>(t.width) * t.height * 3);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, t.framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, t.width, t.height, GL_RGB, GL_UNSIGNED_BYTE, raw.data());
    for (int y = t.height - 1; y >= 0; --y)
        for (int x = 0; x < t.width * 3; ++x)
            image.pixels.push_back(raw[static_cast<std::size_t>(y) * t.width * 3 + x] / 255.0f);
    return image;
}

Rgb checkerboard(int width, int height) {
    Rgb image;
    image.width = width;
    image.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const float shade = ((x / 32 + y / 32) % 2 == 0) ? 0.55f : 0.4f;
            image.pixels.insert(image.pixels.end(), {shade, shade, shade});
        }
    return image;
}

// Lays a head-up display picture over the image with its own alpha, as the
// game's interface pass blends it.
void layPicture(Rgb& image, const std::string& path) {
    SDL_Surface* picture = SDL_LoadBMP(path.c_str());
    if (picture == nullptr || picture->format->BytesPerPixel != 4 || picture->w != image.width ||
        picture->h != image.height) {
        std::fprintf(stderr, "asset_viewer: cannot lay %s\n", path.c_str());
        if (picture != nullptr)
            SDL_FreeSurface(picture);
        return;
    }
    for (int y = 0; y < picture->h; ++y) {
        const unsigned char* row =
            static_cast<const unsigned char*>(picture->pixels) + y * picture->pitch;
        for (int x = 0; x < picture->w; ++x) {
            // Bytes are blue, green, red, alpha.
            const unsigned char* p = row + 4 * x;
            const float a = p[3] / 255.0f;
            float* dst = &image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 3];
            for (int c = 0; c < 3; ++c)
                dst[c] = dst[c] * (1.0f - a) + (p[2 - c] / 255.0f) * a;
        }
    }
    SDL_FreeSurface(picture);
}

void writePicturePreviews(const std::string& folder) {
    const char* names[13] = {"tutorial",
                             "victory",
                             "defeat",
                             "hit",
                             "backgroundINTERFACE",
                             "redruneINTERFACE",
                             "greenruneINTERFACE",
                             "blueruneINTERFACE",
                             "whiteruneINTERFACE",
                             "redactiveINTERFACE",
                             "greenactiveINTERFACE",
                             "blueactiveINTERFACE",
                             "whiteactiveINTERFACE"};
    for (const char* name : names) {
        Rgb image = checkerboard(PICTURE_WIDTH, PICTURE_HEIGHT);
        layPicture(image, std::string("../bin/objects/interface/") + name + ".bmp");
        savePpm(image, folder + "/picture_" + name + ".ppm");
    }
}

// The start view with the head-up display laid over it: the red rune laid
// (active icon), the others ready, and a strike's flash; and the tutorial.
void writeHudPreviews(const Rgb& scene, const std::string& folder) {
    const std::string interface = "../bin/objects/interface/";
    Rgb hud = scene;
    layPicture(hud, interface + "hit.bmp");
    layPicture(hud, interface + "backgroundINTERFACE.bmp");
    layPicture(hud, interface + "redactiveINTERFACE.bmp");
    layPicture(hud, interface + "greenruneINTERFACE.bmp");
    layPicture(hud, interface + "blueruneINTERFACE.bmp");
    layPicture(hud, interface + "whiteruneINTERFACE.bmp");
    savePpm(hud, folder + "/scene_hud.ppm");
    Rgb paused = scene;
    layPicture(paused, interface + "backgroundINTERFACE.bmp");
    layPicture(paused, interface + "tutorial.bmp");
    savePpm(paused, folder + "/scene_tutorial.ppm");
}

void renderScene(std::vector<Model*>& models, const std::string& file, glm::vec3 eye,
                 glm::vec3 look, const Target& target, Light& light, Camera& camera) {
    camera.eye = eye;
    camera.target = look;
    camera.projection = glm::perspective(glm::radians(45.0f), PICTURE_ASPECT, 2.0f, 50.0f);
    ParticleSystem fountain(models[8], &camera.eye); // red particles
    fountain.resetAll();
    Rune rune(models[4], &fountain);
    rune.moveTo(10.0f, 10.0f, 10.0f);
    rune.moveTo(-1.2f, 0.0f, 1.5f);
    for (int frame = 0; frame < 30; ++frame) {
        beginFrame(target, {0.0f, 0.0f, 0.0f});
        setSceneUniforms(models[0]->shader, camera, light);
        models[13]->draw(); // sky
        models[12]->draw(); // arena
        models[0]->draw();  // mage at its start
        // Monsters face -z unturned; these turn them towards the mage.
        drawAt(models[1], {1.6f, 0.0f, 2.6f}, 32.0f);
        drawAt(models[2], {-0.4f, 0.0f, 3.4f}, -7.0f);
        drawAt(models[3], {2.8f, 0.0f, 0.6f}, 78.0f);
        drawAt(models[3], {0.0f, 0.0f, 9.3f}, 0.0f); // at its spawn corner
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        models[4]->draw();
        drawAt(models[6], {1.3f, 0.0f, 1.0f}, 0.0f);
        drawAt(models[5], {-2.3f, 0.0f, 0.6f}, 0.0f);
        drawAt(models[7], {0.8f, 0.0f, -1.3f}, 0.0f);
        fountain.drawAndUpdate(16.0f);
        glDisable(GL_BLEND);
    }
    writePpm(target, file);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: asset_viewer <output folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    SDL_Init(SDL_INIT_NOPARACHUTE);
    if (!windowInit() || !windowOpen(PICTURE_WIDTH, PICTURE_HEIGHT, 32, false)) {
        std::fprintf(stderr, "asset_viewer: no window (is DISPLAY set?)\n");
        return 1;
    }
    glewInit();
    glEnable(GL_TEXTURE_2D);
    ShaderProgram* shader = new ShaderProgram("../bin/shaders/modelshader");
    Camera camera({0.0f, 5.0f, -5.0f}, {0.0f, 0.0f, 0.0f});
    Light light({15.0f, 15.0f, 0.0f}, glm::vec3(0.1f), glm::vec3(0.2f), glm::vec3(1.0f));
    std::vector<Model*> models;
    for (const Entry& entry : entries())
        models.push_back(loadPlaced(entry, &light, &camera, shader));
    const Target tile = makeTarget(320, 320);
    for (std::size_t i = 0; i + 2 < models.size(); ++i) {
        renderTurntable(models[i], entries()[i].file, entries()[i].monster, tile, light, camera,
                        folder);
        renderStride(models[i], entries()[i].file, tile, light, camera, folder);
    }
    const Target wide = makeTarget(PICTURE_WIDTH, PICTURE_HEIGHT);
    renderScene(models, folder + "/scene_start.ppm", {0.0f, 5.0f, -5.0f}, {0.0f, 0.0f, 0.0f}, wide,
                light, camera);
    writeHudPreviews(readTarget(wide), folder);
    writePicturePreviews(folder);
    renderScene(models, folder + "/scene_overview.ppm", {-9.0f, 9.0f, -9.0f}, {0.0f, 0.0f, 1.0f},
                wide, light, camera);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    windowTerminate();
    SDL_Quit();
    return 0;
}
