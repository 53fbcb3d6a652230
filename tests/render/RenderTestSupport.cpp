#include "RenderTestSupport.h"

#include "OutputCapture.h"
#include "render/ShaderProgram.h"

#include <cstdlib>
#include <fstream>

const GameShaders& gameShaders() {
    static GameShaders shaders = [] {
        OutputCapture capture;
        GameShaders built;
        built.model = new ShaderProgram("../bin/shaders/modelshader");
        built.particle = new ShaderProgram("../bin/shaders/particleshader");
        built.shadow = new ShaderProgram("../bin/shaders/shadowshader");
        built.postProcess = new ShaderProgram("../bin/shaders/postprocess");
        built.interface = new ShaderProgram("../bin/shaders/interfaceshader");
        return built;
    }();
    return shaders;
}

std::string makeScratchFolder() {
    char name[] = "/tmp/talmorak-render-XXXXXX";
    const char* folder = mkdtemp(name);
    return folder != nullptr ? std::string(folder) : std::string("/tmp");
}

void writeTextFile(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
}

Rgba readPixel(int x, int y) {
    unsigned char pixel[4] = {0, 0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return Rgba{pixel[0], pixel[1], pixel[2], pixel[3]};
}
