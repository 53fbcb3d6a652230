#!/usr/bin/env bash
# Draws a spectrogram of every generated sound with sox and assembles them
# into one PNG sheet, for looking at the sounds: tones
# show their harmonics, blasts are broadband, sweeps slope their way, and a
# click shows as a bright vertical line at a sound's start or end.
#
# usage: scripts/sound-spectrograms.sh [build folder] [sheet.png]
# Needs sox and ImageMagick; builds the assets in the build folder.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")
sheet=$(realpath -m "${2:-$build/sound-spectrograms.png}")

cmake -S "$root" -B "$build" > /dev/null
cmake --build "$build" --target assets -j 2 > /dev/null

font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cells=()
for wav in "$build"/bin/sounds/*.wav; do
    name=$(basename "$wav" .wav)
    seconds=$(soxi -D "$wav")
    # Every sound gets the same width, whatever its length: read the time axis.
    sox "$wav" -n spectrogram -x 560 -y 257 -z 90 -t "$name" \
        -c "$(printf '%.3f s' "$seconds")" -o "$work/$name.png"
    cells+=(-label "$name" "$work/$name.png")
done

montage -background '#1d1d24' -fill '#dddddd' -font "$font" -pointsize 13 "${cells[@]}" \
    -tile 3x -geometry +6+6 "$sheet"
echo "spectrogram sheet: $sheet"
