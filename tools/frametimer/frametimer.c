/* Preloaded into the game by soak.sh: stamps every buffer swap, so the soak
 * sees every frame's time, not just the samples it could read off the title.
 * Each line of $TALMORAK_FRAME_LOG is the time in microseconds between one
 * swap and the next, measured on the monotonic clock. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

typedef void (*SwapFunction)(void*);

static FILE* frameLog;
static long long previousSwap;

static long long nowMicroseconds(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (long long)now.tv_sec * 1000000 + now.tv_nsec / 1000;
}

static void recordSwap(void) {
    long long now = nowMicroseconds();
    if (frameLog == NULL) {
        const char* path = getenv("TALMORAK_FRAME_LOG");
        /* Appended to: a game that starts itself anew keeps one log. */
        frameLog = fopen(path ? path : "/dev/null", "a");
    }
    if (frameLog != NULL && previousSwap != 0) {
        fprintf(frameLog, "%lld\n", now - previousSwap);
        /* Flushed at every frame: the scripts read the log while the game
         * runs, to hold a key until the game has polled it. */
        fflush(frameLog);
    }
    previousSwap = now;
}

void glfwSwapBuffers(void* window) {
    static SwapFunction realSwap;
    if (realSwap == NULL)
        realSwap = (SwapFunction)dlsym(RTLD_NEXT, "glfwSwapBuffers");
    realSwap(window);
    recordSwap();
}
