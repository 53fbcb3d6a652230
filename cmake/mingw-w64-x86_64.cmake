# Cross-builds for 64-bit Windows with Debian's MinGW-w64 toolchain.
# The POSIX thread model gives the C++ library std::thread and std::mutex.
# WINDOWS_DEPS_PREFIX names the folder holding the cross-built dependencies;
# only it and the toolchain's own folder are searched for libraries and headers.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)

# Try-compiles see the prefix too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES WINDOWS_DEPS_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
if(WINDOWS_DEPS_PREFIX)
  list(PREPEND CMAKE_FIND_ROOT_PATH ${WINDOWS_DEPS_PREFIX})
  list(APPEND CMAKE_PREFIX_PATH ${WINDOWS_DEPS_PREFIX})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
