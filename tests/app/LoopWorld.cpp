#include "LoopWorld.h"

#include "app/GameWorld.h"
#include "render/ShaderProgram.h"

#include "OutputCapture.h"

#include <cstdint>

LoopWorld makeLoopWorld(Monster* (&prepared)[PREPARED_MONSTER_COUNT]) {
    OutputCapture quiet; // pictures may be missing in a bare build
    static ShaderProgram* modelShader = new ShaderProgram("../bin/shaders/modelshader");
    static ShaderProgram* postShader = new ShaderProgram("../bin/shaders/postprocess");
    static ShaderProgram* interfaceShader = new ShaderProgram("../bin/shaders/interfaceshader");
    LoopWorld loopWorld;
    loopWorld.world = new GameWorld(modelShader, modelShader, postShader, interfaceShader);
    // Distinct markers are enough while the frame only draws the screen.
    for (int i = 0; i < PREPARED_MONSTER_COUNT; ++i)
        prepared[i] = reinterpret_cast<Monster*>(static_cast<uintptr_t>(0x1000 + 0x10 * i));
    return loopWorld;
}
