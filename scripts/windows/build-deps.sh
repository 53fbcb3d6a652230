#!/usr/bin/env bash
# Cross-builds the game's libraries for 64-bit Windows from Debian 12's own
# source packages, at the versions the Linux build links:
#   scripts/windows/build-deps.sh WINDOWS_BUILD_DIR
# Sources are fetched and unpacked (Debian's patches applied) under
# WINDOWS_BUILD_DIR/src, built under WINDOWS_BUILD_DIR/deps-build and installed
# into WINDOWS_BUILD_DIR/deps. A stamp per source package and version marks a
# finished build, so a second run builds nothing.
set -euo pipefail

WIN_DIR=$(realpath -m "${1:?usage: build-deps.sh WINDOWS_BUILD_DIR}")
REPO=$(cd "$(dirname "$0")/../.." && pwd)
SRC=$WIN_DIR/src
WORK=$WIN_DIR/deps-build
PREFIX=$WIN_DIR/deps
STAMPS=$PREFIX/stamps
LICENSES=$PREFIX/licenses
HOST=x86_64-w64-mingw32
JOBS=${JOBS:-2}
TOOLCHAIN=$REPO/cmake/mingw-w64-x86_64.cmake

# Debian source package versions; zlib's supplies minizip, which Debian's
# Assimp source leaves out.
declare -A VERSION=(
  [zlib]=1:1.2.13.dfsg-1
  [assimp]=5.2.5~ds0-1
  [glfw3]=3.3.8-1
  [glew]=2.2.0-4
  [libsdl1.2]=1.2.15+dfsg2-8
  [sdl-mixer1.2]=1.2.12-17
)

mkdir -p "$SRC" "$WORK" "$PREFIX/include" "$STAMPS" "$LICENSES"
export PKG_CONFIG_LIBDIR=$PREFIX/lib/pkgconfig:/usr/$HOST/lib/pkgconfig
export PKG_CONFIG_SYSROOT_DIR=

# Prints the folder of the unpacked source package $1, fetching and unpacking
# it with Debian's patches applied when it is not there yet.
source_dir() {
  local pkg=$1 version=${VERSION[$1]}
  local dir=$SRC/$pkg-${version#*:}
  if [[ ! -d $dir ]]; then
    (cd "$SRC" && apt-get source --download-only -q "$pkg=$version" >&2)
    rm -rf "$dir.tmp"
    dpkg-source -x "$SRC/${pkg}_${version#*:}.dsc" "$dir.tmp" >&2
    mv "$dir.tmp" "$dir"
  fi
  echo "$dir"
}

stamp() { echo "$STAMPS/$1-${VERSION[$1]#*:}"; }
# Says which build failed and shows the end of its log.
failed() {
  echo "build-deps: building $1 failed; the end of $WORK/$1.log:" >&2
  tail -n 40 "$WORK/$1.log" >&2
  exit 1
}
built() { [[ -f $(stamp "$1") ]]; }

# Keeps the licence texts of package $1: Debian's copyright file and the
# named upstream files.
keep_licenses() {
  local pkg=$1 dir=$2
  shift 2
  mkdir -p "$LICENSES/$pkg"
  cp "$dir/debian/copyright" "$LICENSES/$pkg/debian-copyright"
  local file
  for file in "$@"; do cp "$dir/$file" "$LICENSES/$pkg/"; done
  echo "Built from Debian 12 source package $pkg ${VERSION[$pkg]}." >"$LICENSES/$pkg/SOURCE"
}

cmake_build() {
  local name=$1 src=$2
  shift 2
  nice -n 10 cmake -S "$src" -B "$WORK/$name" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DWINDOWS_DEPS_PREFIX="$PREFIX" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DBUILD_SHARED_LIBS=ON "$@" >"$WORK/$name.log" 2>&1 || failed "$name"
  nice -n 10 cmake --build "$WORK/$name" -j "$JOBS" >>"$WORK/$name.log" 2>&1 || failed "$name"
  cmake --install "$WORK/$name" >>"$WORK/$name.log" 2>&1 || failed "$name"
}

# configure_build NAME SOURCE "MAKE TARGETS" "INSTALL TARGETS" CONFIGURE-ARGS...
configure_build() {
  local name=$1 src=$2 targets=$3 installs=$4
  shift 4
  rm -rf "$WORK/$name"
  mkdir -p "$WORK/$name"
  (cd "$WORK/$name" &&
    CC=$HOST-gcc-posix CPPFLAGS="-I$PREFIX/include" LDFLAGS="-L$PREFIX/lib" \
      nice -n 10 "$src/configure" --host=$HOST --prefix="$PREFIX" \
      --enable-shared --disable-static "$@" &&
    nice -n 10 make -j "$JOBS" $targets && make $installs) >"$WORK/$name.log" 2>&1 ||
    failed "$name"
}

# minizip from zlib's contrib folder, as a static library with a pkg-config
# file, linked into the Assimp DLL. zlib itself is Debian's MinGW build.
build_minizip() {
  built zlib && return
  local dir
  dir=$(source_dir zlib)/contrib/minizip
  mkdir -p "$WORK/minizip" "$PREFIX/include/minizip" "$PREFIX/lib/pkgconfig"
  local obj objs=()
  for obj in ioapi unzip; do
    $HOST-gcc-posix -O2 -c "$dir/$obj.c" -o "$WORK/minizip/$obj.o"
    objs+=("$WORK/minizip/$obj.o")
  done
  rm -f "$PREFIX/lib/libminizip.a"
  $HOST-ar rcs "$PREFIX/lib/libminizip.a" "${objs[@]}"
  cp "$dir/ioapi.h" "$dir/unzip.h" "$PREFIX/include/minizip/"
  cat >"$PREFIX/lib/pkgconfig/minizip.pc" <<EOF
prefix=$PREFIX
Name: minizip
Description: Zip archive reading from zlib's contrib folder
Version: 1.2.13
Libs: -L\${prefix}/lib -lminizip -lz
Cflags: -I\${prefix}/include/minizip
EOF
  keep_licenses zlib "$(source_dir zlib)" README
  touch "$(stamp zlib)"
}

# Assimp: only the DirectX .x importer, no exporters and no tools. Debian's
# patch that makes Draco (a glTF compressor) a hard requirement is taken back
# out, as glTF is not built. utf8cpp is Debian's header-only package.
build_assimp() {
  built assimp && return
  local dir
  dir=$(source_dir assimp)
  if grep -q 'find_package(draco CONFIG REQUIRED)' "$dir/code/CMakeLists.txt"; then
    patch -d "$dir" -R -p1 <"$dir/debian/patches/use-system-libdraco.patch" >/dev/null
  fi
  # Debian's source also leaves out the DLL's resource script; a bare version
  # resource stands in.
  mkdir -p "$dir/code/res"
  printf '1 VERSIONINFO\nFILEVERSION 5,2,5,0\nPRODUCTVERSION 5,2,5,0\nBEGIN\nEND\n' \
    >"$dir/code/res/assimp.rc"
  ln -sfn /usr/include/utf8cpp "$PREFIX/include/utf8cpp"
  # Assimp links the pkg-config libraries by name only, hence the -L.
  cmake_build assimp "$dir" -DCMAKE_CXX_FLAGS="-I$PREFIX/include/utf8cpp" \
    -DCMAKE_SHARED_LINKER_FLAGS="-L$PREFIX/lib" \
    -DASSIMP_BUILD_ALL_IMPORTERS_BY_DEFAULT=OFF -DASSIMP_BUILD_X_IMPORTER=ON \
    -DASSIMP_NO_EXPORT=ON \
    -DASSIMP_BUILD_ASSIMP_TOOLS=OFF -DASSIMP_BUILD_TESTS=OFF \
    -DASSIMP_BUILD_SAMPLES=OFF -DASSIMP_BUILD_DOCS=OFF \
    -DASSIMP_BUILD_ZLIB=OFF -DASSIMP_WARNINGS_AS_ERRORS=OFF \
    -DASSIMP_INSTALL_PDB=OFF
  keep_licenses assimp "$dir" LICENSE
  mkdir -p "$LICENSES/utfcpp"
  cp /usr/share/doc/libutfcpp-dev/copyright "$LICENSES/utfcpp/debian-copyright"
  touch "$(stamp assimp)"
}

build_glfw() {
  built glfw3 && return
  local dir
  dir=$(source_dir glfw3)
  cmake_build glfw3 "$dir" -DGLFW_BUILD_EXAMPLES=OFF -DGLFW_BUILD_TESTS=OFF \
    -DGLFW_BUILD_DOCS=OFF
  keep_licenses glfw3 "$dir" LICENSE.md
  touch "$(stamp glfw3)"
}

build_glew() {
  built glew && return
  local dir
  dir=$(source_dir glew)
  cmake_build glew "$dir/build/cmake" -DBUILD_UTILS=OFF -DGLEW_OSMESA=OFF
  # Only the DLL is wanted: CMake's FindGLEW would otherwise take the static
  # library, which needs GLEW_STATIC in every user.
  rm -f "$PREFIX/lib/libglew32.a"
  keep_licenses glew "$dir" LICENSE.txt
  touch "$(stamp glew)"
}

# SDL 1.2: standard output and error stay on the console (no stdout.txt);
# the disk and dummy audio drivers stay in for runs without a sound card.
build_sdl() {
  built libsdl1.2 && return
  local dir
  dir=$(source_dir libsdl1.2)
  configure_build libsdl1.2 "$dir" all install --disable-stdio-redirect \
    --disable-joystick --disable-cdrom --disable-nasm \
    --enable-diskaudio --enable-dummyaudio
  keep_licenses libsdl1.2 "$dir" COPYING
  touch "$(stamp libsdl1.2)"
}

# SDL_mixer 1.2 with WAV support only: the library, not its sample players.
build_sdl_mixer() {
  built sdl-mixer1.2 && return
  local dir
  dir=$(source_dir sdl-mixer1.2)
  configure_build sdl-mixer1.2 "$dir" build/libSDL_mixer.la "install-hdrs install-lib" \
    --with-sdl-prefix="$PREFIX" \
    --disable-sdltest --disable-music-cmd --disable-music-mod \
    --disable-music-midi --disable-music-ogg --disable-music-flac \
    --disable-music-mp3 --disable-music-mp3-mad-gpl --enable-music-wave
  keep_licenses sdl-mixer1.2 "$dir" COPYING
  touch "$(stamp sdl-mixer1.2)"
}

# GLM is header-only: Debian's headers and CMake package, seen from the prefix
# so the cross build never searches the host's /usr/include.
link_glm() {
  mkdir -p "$PREFIX/include" "$PREFIX/share/cmake"
  ln -sfn /usr/include/glm "$PREFIX/include/glm"
  rm -rf "$PREFIX/share/cmake/glm"
  cp -r /usr/share/cmake/glm "$PREFIX/share/cmake/glm"
  mkdir -p "$LICENSES/glm"
  cp /usr/share/doc/libglm-dev/copyright "$LICENSES/glm/debian-copyright"
}

for step in ${STEPS:-minizip assimp glfw glew sdl sdl_mixer glm}; do
  case $step in
    minizip) build_minizip ;;
    assimp) build_assimp ;;
    glfw) build_glfw ;;
    glew) build_glew ;;
    sdl) build_sdl ;;
    sdl_mixer) build_sdl_mixer ;;
    glm) link_glm ;;
  esac
done
