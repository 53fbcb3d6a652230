# The game cross-built for 64-bit Windows (make windows, through
# scripts/windows/build.sh with cmake/mingw-w64-x86_64.cmake). Included by the
# top CMakeLists.txt before the game's targets are made.

# A console program, so its messages reach the console it was started from:
# CMake's FindSDL would link MinGW programs with -mwindows, a program without one.
list(REMOVE_ITEM SDL_LIBRARY -mwindows)

# The Windows counterparts of the hardened Linux flags: the same checked
# buffer functions and stack protector, whose run-time part the toolchain's
# libssp holds (linked by naming the protector again), and an image loaded at
# a random address with data pages never executable.
set(HARDENING_LINK -fstack-protector-strong
  -Wl,--dynamicbase -Wl,--high-entropy-va -Wl,--nxcompat)

# Every program and DLL the build makes lands beside the executable, where
# Windows looks for DLLs and where the package step collects them.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${STAGE_DIR})
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${STAGE_DIR})

# The native build of the same tree: its asset generator drew the game's data
# and icon, which the package takes unchanged.
set(NATIVE_BUILD_DIR "" CACHE PATH "The native build folder holding the staged data and icons")
if(NOT IS_DIRECTORY "${NATIVE_BUILD_DIR}/bin")
  message(FATAL_ERROR "NATIVE_BUILD_DIR must name a finished native build")
endif()

# Assimp's exported link interface names the libraries it was linked with
# (minizip, zlib) bare; they resolve in the prefix and add nothing to the game.
link_directories(${WINDOWS_DEPS_PREFIX}/lib)
