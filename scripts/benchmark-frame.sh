#!/usr/bin/env bash
# A benchmark, not a test: runs the staged game under a virtual X display at
# full load (all twenty monsters out, all four runes laid) and reports the
# median and 95th-percentile frame time, timed at every buffer swap by a
# preloaded stamp (tools/frametimer), with the machine and renderer.
#
# usage: scripts/benchmark-frame.sh [build dir, default build] [seconds, default 30]
# Takes about two minutes more than the measured seconds: the monsters come
# out one every five seconds. Needs a built game (its helpers are built on demand), Xvfb and xdotool.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(realpath "${1:-$ROOT/build}")
SECONDS_TO_MEASURE=${2:-30}

if [[ ! -x "$BUILD_DIR/bin/talmorak" ]]; then
  echo "No game in $BUILD_DIR/bin: build it first (make build)." >&2
  exit 1
fi

cmake --build "$BUILD_DIR" --target gl_renderer frametimer > /dev/null
export TALMORAK_FRAME_TIMER=$BUILD_DIR/helpers/frametimer.so

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
xvfb-run -a -s "-screen 0 1280x1024x24" "$BUILD_DIR/helpers/gl_renderer" | grep -E "RENDERER|VERSION"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
python3 "$ROOT/scripts/benchmark_frame.py" --bin "$BUILD_DIR/bin" --seconds "$SECONDS_TO_MEASURE"
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
