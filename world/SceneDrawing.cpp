#include "world/GameWorld.h"

#include "model/Model.h"

void GameWorld::drawSceneModels() {
    for (Model* model : sceneModels)
        model->draw();
}
