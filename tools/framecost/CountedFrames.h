#pragma once

// Frames of a benchmark helper that callgrind counts. Outside valgrind, or
// built without its headers, the callgrind markers do nothing.

#include "render/GL.h"

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_ZERO_STATS
#define CALLGRIND_START_INSTRUMENTATION
#define CALLGRIND_STOP_INSTRUMENTATION
#define CALLGRIND_DUMP_STATS
#endif

#include <cstdio>

// The first frames compile the renderer's shader variants.
const int WARM_UP_FRAMES = 4;

// Draws the warm-up frames, then `frames` more under callgrind's count and
// llvmpipe's count of fragment-shader invocations, which it prints.
template <typename DrawFrame> void drawCountedFrames(int frames, DrawFrame drawFrame) {
    for (int i = 0; i < WARM_UP_FRAMES; ++i)
        drawFrame();
    glFinish();

    GLuint invocations = 0;
    glGenQueries(1, &invocations);
    glBeginQuery(GL_FRAGMENT_SHADER_INVOCATIONS_ARB, invocations);
    CALLGRIND_ZERO_STATS;
    CALLGRIND_START_INSTRUMENTATION;
    for (int i = 0; i < frames; ++i)
        drawFrame();
    glFinish();
    CALLGRIND_STOP_INSTRUMENTATION;
    CALLGRIND_DUMP_STATS;
    glEndQuery(GL_FRAGMENT_SHADER_INVOCATIONS_ARB);

    GLuint64 count = 0;
    glGetQueryObjectui64v(invocations, GL_QUERY_RESULT, &count);
    glDeleteQueries(1, &invocations);
    printf("%d frames, %.0f thousand fragment-shader invocations a frame\n", frames,
           static_cast<double>(count) / 1000.0 / frames);
}
