#!/usr/bin/env bash
# The pictures of the marks that show the whole fight, from the cue pictures
# (scripts/cue-pictures.sh): the README's screenshots of a monster's edge
# marker, the mage's facing mark, a refused rune key's spacing square, the
# pins where the monsters will stop, a monster seen through the mage and a
# rune key refused during its rune's cooldown, written as
# docs/screenshots/{marker,facing,refused,stop-marks,behind-mage,
# cooldown-refused}.jpg, and the sheet of the same marks as a protanope and
# a deuteranope see them (scripts/colour_blind.py), docs/colour-blind.jpg.
#
# usage: scripts/fight-pictures.sh [build dir, default build]
# Needs a built game, Xvfb and ImageMagick; takes about a minute.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(realpath "${1:-$ROOT/build}")
SHOTS="$ROOT/docs/screenshots"
FONT=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf

WORK=$(mktemp -d /tmp/talmorak-fight-XXXXXX)
trap 'rm -rf "$WORK"' EXIT
bash "$ROOT/scripts/cue-pictures.sh" "$BUILD_DIR" "$WORK/cues" > /dev/null
CUES="$WORK/cues"

# The README's screenshots: the markers whole; the facing mark from the
# camera behind the mage and from above; the refused key's square and the
# bar with the key's icon blinking off.
mkdir -p "$SHOTS"
convert "$CUES/markers.png" -strip -quality 85 "$SHOTS/marker.jpg"
convert "$CUES/facing.png" -crop 480x280+290+240 +repage "$WORK/behind.png"
convert "$CUES/facing_above.png" -crop 480x280+290+240 +repage "$WORK/above.png"
convert "$WORK/behind.png" "$WORK/above.png" -background black -splice 8x0 +append -chop 8x0 \
  -strip -quality 85 "$SHOTS/facing.jpg"
convert "$CUES/refused.png" -crop 720x548+152+220 +repage -strip -quality 85 \
  "$SHOTS/refused.jpg"
convert "$CUES/stop_marks.png" -crop 720x548+152+100 +repage -strip -quality 85 \
  "$SHOTS/stop-marks.jpg"
convert "$CUES/behind_mage.png" -crop 480x300+272+230 +repage -strip -quality 85 \
  "$SHOTS/behind-mage.jpg"
# The bar through the blink: off, on, off, on, a frame of each.
for shot in 0 1 2 3; do
  convert "$CUES/cooldown_refused_$shot.png" -crop 420x110+302+650 +repage "$WORK/blink$shot.png"
done
convert "$WORK"/blink{0,1,2,3}.png -background black -splice 0x6 -append -chop 0x6 \
  -strip -quality 85 "$SHOTS/cooldown-refused.jpg"

# The colour-blind sheet: per row the marks as seen, as a protanope and as
# a deuteranope sees them. Close-ups of the three kinds' markers (red on
# the left edge, green and blue-striped at the foot), the three markers in
# their picture, the facing mark, the refused key's square, and the pins
# round the mage with the red rune's outline showing a monster headed there.
convert "$CUES/markers.png" \( -clone 0 -crop 72x72+0+272 \) \( -clone 0 -crop 72x72+454+587 \) \
  \( -clone 0 -crop 72x72+593+573 \) -delete 0 +repage +append -scale 300% "$WORK/closeup.ppm"
convert "$CUES/markers.png" -crop 700x400+0+250 +repage "$WORK/markers.ppm"
convert "$CUES/facing.png" -crop 300x180+480+290 +repage "$WORK/facing.ppm"
convert "$CUES/refused.png" -crop 320x220+280+270 +repage "$WORK/refused.ppm"
convert "$CUES/stop_marks.png" -crop 240x160+392+290 +repage -scale 200% "$WORK/stops.ppm"
python3 "$ROOT/scripts/colour_blind.py" "$WORK"/{closeup,markers,facing,refused,stops}.ppm
rows=()
for vision in "" -protanopia -deuteranopia; do
  label=${vision#-}
  convert "$WORK/closeup$vision.ppm" \
    \( "$WORK/markers$vision.ppm" "$WORK/facing$vision.ppm" "$WORK/refused$vision.ppm" \
    "$WORK/stops$vision.ppm" \
    -resize x216 \) -background black -splice 8x0 +append -chop 8x0 \
    -gravity northwest -fill white -undercolor '#000000a0' -font "$FONT" -pointsize 20 \
    -annotate +8+6 "${label:-as seen}" "$WORK/row$vision.png"
  rows+=("$WORK/row$vision.png")
done
convert "${rows[@]}" -background black -splice 0x8 -append -chop 0x8 -strip -quality 88 \
  "$ROOT/docs/colour-blind.jpg"
echo "Pictures in $SHOTS and $ROOT/docs/colour-blind.jpg"
