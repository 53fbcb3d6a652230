#!/usr/bin/env bash
# Pictures of the cues that teach the game (tools/cuepictures): the three
# kinds of monster at the far gate, with how far each stands out from the
# floor, and a laid red rune with the mage on it and beside it, a monster
# on it and a refused rune key. Writes PNG files and a sheet of close-ups
# into the output folder and prints the monsters' contrast.
#
# usage: scripts/cue-pictures.sh [build dir, default build] [output folder, default <build>/cue-pictures]
# Needs a built game, Xvfb and ImageMagick; takes about half a minute.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(realpath "${1:-$ROOT/build}")
OUT=$(realpath -m "${2:-$BUILD_DIR/cue-pictures}")

if [[ ! -x "$BUILD_DIR/bin/talmorak" ]]; then
  echo "No game in $BUILD_DIR: build it first (make build)." >&2
  exit 1
fi
cmake --build "$BUILD_DIR" --target cue_pictures > /dev/null

WORK=$(mktemp -d /tmp/talmorak-cues-XXXXXX)
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/run" "$OUT"
cp -a "$BUILD_DIR/bin" "$WORK/bin"
(cd "$WORK/run" && xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$BUILD_DIR/helpers/cue_pictures" "$WORK" > "$WORK/cues.log")

python3 "$ROOT/scripts/monster_contrast.py" "$WORK"
for picture in gate gate_empty on_rune beside_rune ready refused; do
  convert "$WORK/$picture.ppm" "$OUT/$picture.png"
done
# Close-ups: the far gate, the rune with the mage on it, beside it and with
# a monster on it, and the bar after a refused key.
convert "$OUT/gate.png" -crop 420x150+302+150 +repage "$WORK/a.png"
convert "$OUT/on_rune.png" -crop 420x300+302+230 +repage "$WORK/b.png"
convert "$OUT/beside_rune.png" -crop 420x300+302+230 +repage "$WORK/c.png"
convert "$OUT/ready.png" -crop 420x300+302+230 +repage "$WORK/d.png"
convert "$OUT/refused.png" -crop 420x120+302+648 +repage "$WORK/e.png"
convert "$WORK/b.png" "$WORK/c.png" "$WORK/d.png" +append "$OUT/rune-sheet.png"
echo "Pictures in $OUT"
