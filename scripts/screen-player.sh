#!/usr/bin/env bash
# A player that reads only the screen plays the real game at a gentle
# difficulty, through the window's keys under a virtual X display, and says
# how each game ended (scripts/screen_player.py). Not a test: its figures
# are in docs/difficulty.md.
#
# usage: scripts/screen-player.sh [build dir, default build] [games, default 3]
#        [calm|gentle, default calm] [--shots FOLDER: a picture every 10 s]
# Needs a built game, Xvfb and xdotool; a game lasts a few minutes.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(realpath "${1:-$ROOT/build}")

if [[ ! -x "$BUILD_DIR/bin/talmorak" ]]; then
  echo "No game in $BUILD_DIR: build it first (make build)." >&2
  exit 1
fi
cmake --build "$BUILD_DIR" --target frametimer > /dev/null
python3 "$ROOT/scripts/screen_player.py" --bin "$BUILD_DIR/bin" --games "${2:-3}" \
  --difficulty "${3:-calm}" "${@:4}"
