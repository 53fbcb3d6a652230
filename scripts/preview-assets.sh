#!/usr/bin/env bash
# Renders every generated model (from four sides, and the animated ones in
# mid-stride), the arena scene with the head-up display, every interface
# picture and every texture into one PNG contact sheet, for reviewing the art.
#
# usage: scripts/preview-assets.sh [build folder] [sheet.png]
# Needs xvfb-run and ImageMagick; builds the viewer in the build folder.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")
sheet=$(realpath -m "${2:-$build/asset-preview.png}")

cmake -S "$root" -B "$build" > /dev/null
cmake --build "$build" --target asset_viewer -j 2 > /dev/null

font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The viewer reads ../bin/... like the game, from the run folder.
(cd "$build/run" && xvfb-run -a -s "-screen 0 1280x1024x24" \
    ../tools/assetgen/asset_viewer "$work" > "$work/viewer.log")

cells=()
for model in mage redmonster greenmonster monster redrune greenrune bluerune whiterune \
             redparticle greenparticle blueparticle whiteparticle; do
    row=()
    for view in front side back above stride1 stride2; do
        if [ -f "$work/${model}_$view.ppm" ]; then
            row+=(-label "$model $view" "$work/${model}_$view.ppm")
        else
            row+=(-label "" "null:")
        fi
    done
    cells+=("${row[@]}")
done

montage -background '#1d1d24' -fill '#dddddd' -font "$font" -pointsize 13 \
    -label 'start view' "$work/scene_start.ppm" \
    -label 'start view with the head-up display' "$work/scene_hud.ppm" \
    -label 'overview' "$work/scene_overview.ppm" \
    -label 'paused: tutorial' "$work/scene_tutorial.ppm" \
    -tile 2x -geometry 600x450+6+6 "$work/part-scenes.png"
montage -background '#1d1d24' -fill '#dddddd' -font "$font" -pointsize 12 "${cells[@]}" \
    -tile 6x -geometry 200x200+4+4 "$work/part-models.png"

pictures=()
for picture in "$work"/picture_*.ppm; do
    name=$(basename "$picture" .ppm)
    pictures+=(-label "${name#picture_}" "$picture")
done
for texture in "$build"/bin/objects/*.bmp; do
    pictures+=(-label "$(basename "$texture")" "$texture")
done
montage -background '#1d1d24' -fill '#dddddd' -font "$font" -pointsize 13 "${pictures[@]}" \
    -tile 5x -geometry 240x180+6+6 "$work/part-pictures.png"

convert "$work/part-scenes.png" "$work/part-models.png" "$work/part-pictures.png" \
    -background '#1d1d24' -gravity center -append "$sheet"
echo "contact sheet: $sheet"
