#!/usr/bin/env bash
# A benchmark, not a test: runs the staged game under a virtual X display at
# full load (all twenty monsters out, all four runes laid) and reports the
# median and 95th-percentile frame time, timed at every buffer swap by a
# preloaded stamp (tools/frametimer), with the machine and renderer.
#
# With "fullscreen" it measures instead, on a 1920 x 1080 screen, the game in
# its 1024 x 768 window and fullscreen in turn, three stretches of the given
# seconds each, under the tutorial and then at full load (frame_sizes.py).
#
# usage: scripts/benchmark-frame.sh [build dir, default build] [seconds, default 30] [fullscreen]
# Takes about two minutes more than the measured seconds: the monsters come
# out one every five seconds. Needs a built game (its helpers are built on demand), Xvfb and xdotool.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(realpath "${1:-$ROOT/build}")
SECONDS_TO_MEASURE=${2:-30}
BENCHMARK=benchmark_frame.py
SCREEN=1280x1024
if [[ ${3:-} == fullscreen ]]; then
  BENCHMARK=frame_sizes.py
  SCREEN=1920x1080
fi

if [[ ! -x "$BUILD_DIR/bin/talmorak" ]]; then
  echo "No game in $BUILD_DIR/bin: build it first (make build)." >&2
  exit 1
fi

cmake --build "$BUILD_DIR" --target gl_renderer frametimer > /dev/null
export TALMORAK_FRAME_TIMER=$BUILD_DIR/helpers/frametimer.so

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
xvfb-run -a -s "-screen 0 ${SCREEN}x24" "$BUILD_DIR/helpers/gl_renderer" | grep -E "RENDERER|VERSION"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
python3 "$ROOT/scripts/$BENCHMARK" --bin "$BUILD_DIR/bin" --seconds "$SECONDS_TO_MEASURE"
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
