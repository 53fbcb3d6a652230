#!/usr/bin/env bash
# A benchmark, not a test: plays the staged game with random keys for ten
# minutes (or the given seconds) and reports its resident memory after the
# first minute and at the end, every frame longer than 100 ms, and the
# frame-time percentiles. Every frame is timed by a preloaded stamp on the
# buffer swap (scripts/frametimer.c).
#
# usage: scripts/soak.sh [build dir, default build] [seconds, default 600] [seed]
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(realpath "${1:-$ROOT/build}")
SECONDS_TO_PLAY=${2:-600}
SEED=${3:-$RANDOM}

WORK=$(mktemp -d /tmp/talmorak-soak-XXXXXX)
trap 'rm -rf "$WORK"' EXIT
cc -O2 -shared -fPIC -o "$WORK/frametimer.so" "$ROOT/scripts/frametimer.c" -ldl

python3 "$ROOT/scripts/soak_play.py" --bin "$BUILD_DIR/bin" --seconds "$SECONDS_TO_PLAY" \
  --seed "$SEED" --frame-timer "$WORK/frametimer.so" --frame-log "$WORK/frames.log"
