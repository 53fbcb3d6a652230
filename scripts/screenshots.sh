#!/usr/bin/env bash
# Plays one scripted game under a virtual X display and writes the README's
# pictures: the tutorial, a moment of play (the mage on its red rune, the
# rune's particles, monsters and their shadows, the head-up display) and the
# defeat picture; then leaves a second game alone until its demo plays, as
# docs/screenshots/{tutorial,play,defeat,demo}.jpg.
#
# usage: scripts/screenshots.sh [build dir, default build]
# Needs a built game (make build), Xvfb, xdotool and ImageMagick.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(realpath "${1:-$ROOT/build}")
OUT="$ROOT/docs/screenshots"

if [[ ! -x "$BUILD_DIR/bin/talmorak" ]]; then
  echo "No game in $BUILD_DIR/bin: build it first (make build)." >&2
  exit 1
fi

cmake --build "$BUILD_DIR" --target frametimer > /dev/null
WORK=$(mktemp -d /tmp/talmorak-shots-XXXXXX)
trap 'rm -rf "$WORK"' EXIT
python3 "$ROOT/scripts/screenshots_play.py" --bin "$BUILD_DIR/bin" --out "$WORK"

mkdir -p "$OUT"
for name in tutorial play defeat demo; do
  convert "$WORK/$name.png" -strip -quality 85 "$OUT/$name.jpg"
  echo "$OUT/$name.jpg: $(du -k "$OUT/$name.jpg" | cut -f1) KiB"
done
