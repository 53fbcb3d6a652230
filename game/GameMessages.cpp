#include "game/GameMessages.h"

#include <cstdio>

namespace {
bool silenced = false;
}

void printGameText(const char* text) {
    if (silenced)
        return;
    fputs(text, stdout);
    fflush(stdout);
}

void printGameMessage(const char* text) {
    if (silenced)
        return;
    printf("%s\n", text);
    fflush(stdout);
}

void setGameMessagesSilenced(bool silence) {
    silenced = silence;
}

bool gameMessagesSilenced() {
    return silenced;
}
