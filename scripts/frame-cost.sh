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
# With --passes it splits the frames of the tutorial and the full load, in
# the window and fullscreen, into their passes and pieces instead
# (tools/framecost/PassCost.h): each piece's instructions, llvmpipe's
# fragment-shader invocations and the pixels written, a frame.
#
# usage: scripts/frame-cost.sh [--passes] [build dir, default build] [bin folder, default <build>/bin]
# Takes three to four minutes. Needs a built game, Xvfb and valgrind.
set -euo pipefail

PASSES=0
if [[ ${1:-} == --passes ]]; then
  PASSES=1
  shift
fi
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

# One helper run under callgrind, into $WORK/<label>.callgrind(.<part>) and
# $WORK/<label>.log, on the display (a virtual one when none is set), or on
# a virtual screen of $SCREEN pixels.
run_counted() {
  local label=$1
  shift
  local display=("$ROOT/scripts/with-display.sh")
  if [[ -n ${SCREEN:-} ]]; then
    display=(env -u DISPLAY xvfb-run -a -s "-screen 0 ${SCREEN}x24 -nolisten tcp -noreset")
  fi
  (cd "$WORK/run" && LP_NUM_THREADS=0 "${display[@]}" \
    valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file="$WORK/$label.callgrind" \
    "$@" > "$WORK/$label.log" 2>&1) || { tail -5 "$WORK/$label.log" >&2; exit 1; }
}

# Millions of instructions a frame of one helper run.
count() {
  local label=$1
  run_counted "$@"
  local total
  total=$(cat "$WORK/$label.callgrind"* | awk '/^totals:/ { sum += $2 } END { printf "%.0f", sum }')
  local invocations
  invocations=$(grep -o '[0-9]* thousand fragment-shader invocations' "$WORK/$label.log" || true)
  echo "$label: $((total / FRAMES / 1000000)) M instructions a frame${invocations:+, $invocations}"
}

# The pieces of one helper run, split by tools/framecost/PassCost.h: the
# instructions of each piece summed over its dumps, with the invocations
# the helper prints.
count_passes() {
  local label=$1
  run_counted "$@" passes
  local out=$WORK/$label.callgrind
  printf "%s:\n  %-45s %9s %8s %8s\n" "$label" "piece" "instr." "shaded" "written"
  local part=1
  while [[ -f $out.$part ]]; do
    awk '/^desc: Trigger: Client Request: / { sub(/^desc: Trigger: Client Request: /, ""); piece = $0 }
         /^totals:/ { print piece "|" $2 }' "$out.$part"
    part=$((part + 1))
  done | awk -F'|' -v frames="$FRAMES" -v logfile="$WORK/$label.log" '
    { if (!($1 in cost)) order[++n] = $1; cost[$1] += $2 }
    END {
      while ((getline line < logfile) > 0)
        if (line ~ /^piece / && match(line, /: [0-9]+ thousand/)) {
          piece = substr(line, 7, RSTART - 7)
          fragments[piece] = substr(line, RSTART + 2, RLENGTH - 11)
          if (match(line, /, [0-9]+ thousand pixels/))
            written[piece] = substr(line, RSTART + 2, RLENGTH - 17)
        }
      for (i = 1; i <= n; ++i) {
        printf "  %-45s %7.1f M %6s k %6s k\n", order[i], cost[order[i]] / frames / 1e6,
          fragments[order[i]], written[order[i]]
        total += cost[order[i]]
      }
      printf "  %-45s %7.1f M\n", "all pieces", total / frames / 1e6
    }'
}

if ((PASSES)); then
  echo "counting the passes of $BIN"
  count_passes tutorial "$BUILD_DIR/helpers/framecost" tutorial "$FRAMES"
  count_passes "full load" "$BUILD_DIR/helpers/framecost" full "$FRAMES"
  SCREEN=1920x1080 count_passes "full load fullscreen" "$BUILD_DIR/helpers/framecost" full \
    "$FRAMES" fullscreen
  exit 0
fi

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
