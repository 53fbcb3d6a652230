#pragma once

// Switches callgrind's counting on and off around the frames a helper
// measures; outside valgrind, or built without its headers, they do nothing.
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_ZERO_STATS
#define CALLGRIND_START_INSTRUMENTATION
#define CALLGRIND_STOP_INSTRUMENTATION
#define CALLGRIND_DUMP_STATS
#endif

inline void startCountingFrames() {
    CALLGRIND_ZERO_STATS;
    CALLGRIND_START_INSTRUMENTATION;
}

inline void stopCountingFrames() {
    CALLGRIND_STOP_INSTRUMENTATION;
    CALLGRIND_DUMP_STATS;
}
