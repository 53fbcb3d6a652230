#!/usr/bin/env bash
# A benchmark, not a test: the frame time of the staged game in its 1024 x 768
# window and fullscreen on a 1920 x 1080 virtual screen, measured in turn,
# under the opening tutorial and at full load, timed at every buffer swap by
# a preloaded stamp (tools/frametimer).
#
# usage: scripts/frame-sizes.sh [build dir, default build] [seconds per stretch, default 8]
# Takes about three and a half minutes: the monsters come out one every five
# seconds before the full load is measured. Needs a built game, Xvfb and
# xdotool.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(realpath "${1:-$ROOT/build}")
SECONDS_PER_STRETCH=${2:-8}

if [[ ! -x "$BUILD_DIR/bin/talmorak" ]]; then
  echo "No game in $BUILD_DIR/bin: build it first (make build)." >&2
  exit 1
fi

cmake --build "$BUILD_DIR" --target gl_renderer frametimer > /dev/null
export TALMORAK_FRAME_TIMER=$BUILD_DIR/helpers/frametimer.so

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
xvfb-run -a -s "-screen 0 1920x1080x24" "$BUILD_DIR/helpers/gl_renderer" | grep -E "RENDERER|VERSION"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
python3 "$ROOT/scripts/frame_sizes.py" --bin "$BUILD_DIR/bin" --seconds "$SECONDS_PER_STRETCH"
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
