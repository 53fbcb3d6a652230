#!/usr/bin/env bash
# A benchmark, not a test: plays the staged game with random keys for ten
# minutes (or the given seconds) and reports its resident memory after the
# first minute and at the end, every frame longer than 100 ms, and the
# frame-time percentiles. Every frame is timed by a preloaded stamp on the
# buffer swap (tools/frametimer).
#
# usage: scripts/soak.sh [build dir, default build] [seconds, default 600] [seed]
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(realpath "${1:-$ROOT/build}")
SECONDS_TO_PLAY=${2:-600}
SEED=${3:-$RANDOM}

WORK=$(mktemp -d /tmp/talmorak-soak-XXXXXX)
trap 'rm -rf "$WORK"' EXIT
cmake --build "$BUILD_DIR" --target frametimer > /dev/null

python3 "$ROOT/scripts/soak_play.py" --bin "$BUILD_DIR/bin" --seconds "$SECONDS_TO_PLAY" \
  --seed "$SEED" --frame-timer "$BUILD_DIR/helpers/frametimer.so" --frame-log "$WORK/frames.log"
