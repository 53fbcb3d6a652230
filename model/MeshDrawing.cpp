#include "model/Mesh.h"

#include "model/Model.h"
#include "render/ShaderProgram.h"

namespace {

// Points the named attribute at a client-memory array; a name the program
// lacks is left alone.
void pointAttribute(GLuint program, const char* name, GLint components,
                    const std::vector<float>& array) {
    const GLint enableAt = glGetAttribLocation(program, name);
    if (enableAt < 0)
        return;
    glEnableVertexAttribArray(static_cast<GLuint>(enableAt));
    const GLint pointAt = glGetAttribLocation(program, name);
    glVertexAttribPointer(static_cast<GLuint>(pointAt), components, GL_FLOAT, GL_FALSE, 0,
                          array.data());
}

// The texture of the mesh's material; -1 also for a material number the
// model has no entry for.
GLint meshTexture(const Model& model, const Mesh& mesh) {
    if (mesh.materialIndex < 0 ||
        static_cast<std::size_t>(mesh.materialIndex) >= model.materialTextures.size())
        return -1;
    return model.materialTextures[static_cast<std::size_t>(mesh.materialIndex)];
}

} // namespace

void drawMesh(Model& model, unsigned meshNumber) {
    if (model.shader == nullptr || meshNumber >= model.meshes.size() ||
        model.meshes[meshNumber] == nullptr)
        return;
    const Mesh& mesh = *model.meshes[meshNumber];
    const GLuint program = model.shader->program;
    pointAttribute(program, "vertPos", 4, mesh.positions);
    pointAttribute(program, "vertNormal", 3, mesh.normals);
    pointAttribute(program, "boneWeight", 4, mesh.boneWeights);
    pointAttribute(program, "boneIndex", 4, mesh.boneIndices);
    pointAttribute(program, "vertUv", 2, mesh.uvs);

    // The texture sampler stays on unit 1 for every mesh, textured or not:
    // left on unit 0 beside the shadow map's sampler of another type, a
    // draw would be an error on a strict driver.
    glUniform1i(glGetUniformLocation(program, "texture"), 1);
    const GLint texture = meshTexture(model, mesh);
    if (texture == -1) {
        pointAttribute(program, "vertColor", 4, mesh.colors);
        glUniform1i(glGetUniformLocation(program, "useTexture"), 0);
    } else {
        // A colour array left enabled by an earlier, smaller mesh would be
        // read past its end by this draw.
        const GLint colorAt = glGetAttribLocation(program, "vertColor");
        if (colorAt >= 0)
            glDisableVertexAttribArray(static_cast<GLuint>(colorAt));
        glActiveTexture(GL_TEXTURE1);
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
        glUniform1i(glGetUniformLocation(program, "useTexture"), 1);
    }
    glDrawElements(GL_TRIANGLES, 3 * mesh.faceCount, GL_UNSIGNED_INT, mesh.indices.data());
}
