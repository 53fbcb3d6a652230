#pragma once

// The GL tests of a test program share one hidden window of the picture's
// size with a compatibility context, opened on first use and kept until the
// process ends.
// Returns false when no display is available.
bool ensureGlContext();

// Use at the top of a GL test: skips nothing, fails loudly without a context.
#define REQUIRE_GL_CONTEXT() ASSERT_TRUE(ensureGlContext()) << "no GL context (is DISPLAY set?)"
