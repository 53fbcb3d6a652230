#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, run and test.
# Idempotent: only missing packages are installed, and the package index is
# refreshed only when something is missing or the source entry was just added.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config python3
  libglfw3-dev libglew-dev libassimp-dev libsdl1.2-dev libsdl-mixer1.2-dev libglm-dev
  googletest libgtest-dev libbenchmark-dev
  libfreetype-dev libpng-dev fonts-dejavu-core
  xvfb xauth xdotool x11-xserver-utils imagemagick sox libebur128-dev
  dpkg-dev lintian valgrind glslang-tools
  g++-mingw-w64-x86-64 mingw-w64-tools libz-mingw-w64-dev libutfcpp-dev
  wine wine64 appstream
)

SUDO=""
if [[ $(id -u) -ne 0 ]]; then
  SUDO="sudo"
fi

# The Windows build fetches Debian's source packages (apt-get source), which
# needs a deb-src entry for the same archive and suites as the binary one.
refresh=false
DEB822=/etc/apt/sources.list.d/debian.sources
if [[ -f $DEB822 ]] && grep -qx 'Types: deb' "$DEB822"; then
  $SUDO sed -i 's/^Types: deb$/Types: deb deb-src/' "$DEB822"
  refresh=true
elif [[ ! -f $DEB822 ]] && [[ -f /etc/apt/sources.list ]] &&
  ! grep -q '^deb-src ' /etc/apt/sources.list; then
  sed -n 's/^deb /deb-src /p' /etc/apt/sources.list |
    $SUDO tee /etc/apt/sources.list.d/deb-src.list >/dev/null
  refresh=true
fi
if [[ $refresh == false ]] && [[ -z $(apt-cache showsrc --only-source glfw3 2>/dev/null) ]]; then
  refresh=true
fi

missing=()
for pkg in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  if [[ "$status" != "install ok installed" ]]; then
    missing+=("$pkg")
  fi
done

if [[ ${#missing[@]} -eq 0 ]]; then
  if [[ $refresh == true ]]; then
    $SUDO apt-get -o DPkg::Lock::Timeout=600 update -q
  fi
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get -o DPkg::Lock::Timeout=600 update -q
$SUDO apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends "${missing[@]}"
