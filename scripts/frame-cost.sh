#!/usr/bin/env bash
# A benchmark that does not wander with the machine's load: the instructions
# of a frame, counted by callgrind with llvmpipe on the calling thread
# (LP_NUM_THREADS=0), for the floor (tools/framefloor), the opening tutorial
# and the full load (tools/framecost: all twenty monsters gathered round the
# mage, all four runes laid), these two also fullscreen on a 1920 x 1080
# screen, and the twenty monsters at their gates instead, out of sight, each
# marked at the picture's edge. Each is the mean of three frames, after a
# few that compile the renderer's shader variants. Given another bin folder
# (a staged copy of build/bin with one shader or model changed, say), it
# counts that one instead, so the cost of a piece is the difference.
#
# usage: scripts/frame-cost.sh [build dir, default build] [bin folder, default <build>/bin]
# Takes three to four minutes. Needs a built game, Xvfb and valgrind.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(realpath "${1:-$ROOT/build}")
BIN=$(realpath "${2:-$BUILD_DIR/bin}")
FRAMES=3

if [[ ! -x "$BUILD_DIR/bin/talmorak" ]]; then
  echo "No game in $BUILD_DIR: build it first (make build)." >&2
  exit 1
fi
if ! command -v valgrind > /dev/null; then
  echo "valgrind is missing: scripts/install-deps.sh installs it." >&2
  exit 1
fi
cmake --build "$BUILD_DIR" --target framefloor framecost > /dev/null

WORK=$(mktemp -d /tmp/talmorak-cost-XXXXXX)
trap 'rm -rf "$WORK"' EXIT
# The helpers read the fixed "../bin/..." paths, as the game does.
ln -s "$BIN" "$WORK/bin"
mkdir "$WORK/run"

# Millions of instructions a frame of one helper run, on the display (a
# virtual one when none is set), or on a virtual screen of $SCREEN pixels.
count() {
  local label=$1
  shift
  local out=$WORK/$label.callgrind
  local display=("$ROOT/scripts/with-display.sh")
  if [[ -n ${SCREEN:-} ]]; then
    display=(env -u DISPLAY xvfb-run -a -s "-screen 0 ${SCREEN}x24 -nolisten tcp -noreset")
  fi
  (cd "$WORK/run" && LP_NUM_THREADS=0 "${display[@]}" \
    valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file="$out" "$@" \
    > "$WORK/$label.log" 2>&1) || { tail -5 "$WORK/$label.log" >&2; exit 1; }
  local total
  total=$(cat "$out"* | awk '/^totals:/ { sum += $2 } END { printf "%.0f", sum }')
  local invocations
  invocations=$(grep -o '[0-9]* thousand fragment-shader invocations' "$WORK/$label.log" || true)
  echo "$label: $((total / FRAMES / 1000000)) M instructions a frame${invocations:+, $invocations}"
}

echo "counting $BIN"
count floor "$BUILD_DIR/helpers/framefloor" "$FRAMES"
count tutorial "$BUILD_DIR/helpers/framecost" tutorial "$FRAMES"
count "full load" "$BUILD_DIR/helpers/framecost" full "$FRAMES"
count "monsters at the gates" "$BUILD_DIR/helpers/framecost" gates "$FRAMES"
# The same two covering a 1920 x 1080 screen, the picture at 1440 x 1080.
SCREEN=1920x1080 count "tutorial fullscreen" "$BUILD_DIR/helpers/framecost" tutorial "$FRAMES" \
  fullscreen
SCREEN=1920x1080 count "full load fullscreen" "$BUILD_DIR/helpers/framecost" full "$FRAMES" \
  fullscreen
