#!/usr/bin/env bash
# A benchmark, not a test: the game's frame at full load (all twenty monsters
# out, all four runes laid) against the floor of its fixed passes with nothing
# drawn (tools/framefloor), on the same virtual display and renderer, with
# the machine, the renderer and the load average.
#
# usage: scripts/frame-floor.sh [build dir, default build] [seconds, default 30]
# Takes about two and a half minutes more than the measured seconds. Needs a
# built game (the floor and the other helpers are built in its build folder
# on demand), Xvfb and xdotool.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(realpath "${1:-$ROOT/build}")
SECONDS_TO_MEASURE=${2:-30}

if [[ ! -x "$BUILD_DIR/bin/talmorak" ]]; then
  echo "No game in $BUILD_DIR: build it first (make build)." >&2
  exit 1
fi
cmake --build "$BUILD_DIR" --target framefloor gl_renderer frametimer > /dev/null
HELPERS=$BUILD_DIR/helpers
export TALMORAK_FRAME_TIMER=$HELPERS/frametimer.so

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
xvfb-run -a -s "-screen 0 1280x1024x24" "$HELPERS/gl_renderer" | grep -E "RENDERER|VERSION"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
python3 "$ROOT/scripts/frame_floor.py" --bin "$BUILD_DIR/bin" --floor "$HELPERS/framefloor" \
  --seconds "$SECONDS_TO_MEASURE" ${FRAME_FLOOR_PICTURE:+--picture "$FRAME_FLOOR_PICTURE"}
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
