#include "model/Model.h"

// Every placement acts in the model's current local frame: new transforms
// are multiplied on the right.
void Model::multiplyModelMatrix(glm::mat4 t) {
    modelMatrix = modelMatrix * t;
}

void Model::setModelMatrix(glm::mat4 t) {
    modelMatrix = t;
}

void Model::saveBaseMatrix() {
    baseMatrix = modelMatrix;
}

void Model::restoreModelMatrix() {
    modelMatrix = baseMatrix;
}
