#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, run and test.
# Idempotent: only missing packages are installed, and the package index is
# refreshed only when something is missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config python3
  libglfw3-dev libglew-dev libassimp-dev libsdl1.2-dev libsdl-mixer1.2-dev libglm-dev
  googletest libgtest-dev libbenchmark-dev
  libfreetype-dev libpng-dev fonts-dejavu-core
  xvfb xauth xdotool imagemagick sox
  dpkg-dev lintian valgrind glslang-tools
)

missing=()
for pkg in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  if [[ "$status" != "install ok installed" ]]; then
    missing+=("$pkg")
  fi
done

if [[ ${#missing[@]} -eq 0 ]]; then
  exit 0
fi

SUDO=""
if [[ $(id -u) -ne 0 ]]; then
  SUDO="sudo"
fi

echo "Installing missing packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get -o DPkg::Lock::Timeout=600 update -q
$SUDO apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends "${missing[@]}"
