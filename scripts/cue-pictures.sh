#!/usr/bin/env bash
# Pictures of the cues that teach the game (tools/cuepictures): the three
# kinds of monster at the far gate, with how far each stands out from the
# floor, a laid red rune with the mage on it and beside it, a monster on it
# and a refused rune key, the tutorial with a pad plugged in, the pins
# where monsters will stop, a monster behind the mage and a key refused
# during its rune's cooldown. Writes PNG files and a sheet of close-ups
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
for picture in gate gate_empty on_rune beside_rune ready refused facing facing_above markers \
  tutorial_pad stop_marks behind_mage cooldown_refused_{0,1,2,3}; do
  convert "$WORK/$picture.ppm" "$OUT/$picture.png"
done
# Close-ups: the rune with the mage on it, beside it and with a monster on
# it; below, the bar with the rune lit and after a refused press of 2.
convert "$OUT/gate.png" -crop 420x150+302+0 +repage "$OUT/gate-closeup.png"
convert "$OUT/on_rune.png" -crop 420x300+302+230 +repage "$WORK/a.png"
convert "$OUT/beside_rune.png" -crop 420x300+302+230 +repage "$WORK/b.png"
convert "$OUT/ready.png" -crop 420x300+302+230 +repage "$WORK/c.png"
convert "$OUT/ready.png" -crop 420x110+302+650 +repage "$WORK/d.png"
convert "$OUT/refused.png" -crop 420x110+302+650 +repage "$WORK/e.png"
convert "$WORK/a.png" "$WORK/b.png" "$WORK/c.png" +append "$WORK/top.png"
convert "$WORK/d.png" "$WORK/e.png" +append -background black -gravity center -extent 1260x110 \
  "$WORK/bottom.png"
convert "$WORK/top.png" "$WORK/bottom.png" -append "$OUT/rune-cues.png"
echo "Pictures in $OUT"
