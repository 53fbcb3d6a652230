#!/usr/bin/env bash
# A sheet of the game seen from eight camera positions the keys reach
# (tools/cameraviews), in both post-process modes. Given the staged bin/
# folder of another build, it shows that build's pictures beside this one's,
# so a change to the shaders or the models can be judged by eye.
#
# usage: scripts/camera-views.sh [build dir, default build] [sheet, default <build>/camera-views.png]
#                                [bin folder to compare with]
# Takes about a minute per build. Needs a built game, Xvfb and ImageMagick.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(realpath "${1:-$ROOT/build}")
SHEET=$(realpath -m "${2:-$BUILD_DIR/camera-views.png}")
OTHER_BIN=${3:+$(realpath "$3")}

if [[ ! -x "$BUILD_DIR/bin/talmorak" ]]; then
  echo "No game in $BUILD_DIR: build it first (make build)." >&2
  exit 1
fi
cmake --build "$BUILD_DIR" --target camera_views > /dev/null

WORK=$(mktemp -d /tmp/talmorak-views-XXXXXX)
trap 'rm -rf "$WORK"' EXIT

# Renders the views of one staged bin/ folder into $WORK/<label>.
render() {
  local bin=$1 label=$2
  mkdir -p "$WORK/$label/run"
  cp -a "$bin" "$WORK/$label/bin"
  (cd "$WORK/$label/run" && xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$BUILD_DIR/helpers/camera_views" "$WORK/$label" > "$WORK/$label/views.log")
  grep -E '^[a-z_]+: eye' "$WORK/$label/views.log" | sed "s/^/$label /"
}

labels=(this)
render "$BUILD_DIR/bin" this
if [[ -n "$OTHER_BIN" ]]; then
  labels=(other this)
  render "$OTHER_BIN" other
fi

cells=()
for view in default raised lowered zoomed_out orbited panned outside_low high_overview; do
  for mode in 0 1; do
    for label in "${labels[@]}"; do
      name=$label
      [[ ${#labels[@]} -gt 1 ]] && name=$([[ $label == other ]] && echo "compared" || echo "this build")
      cells+=(-label "$view, mode $mode, $name" "$WORK/$label/${view}_mode$mode.ppm")
    done
  done
done
montage -background '#1d1d24' -fill '#dddddd' -font /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf \
  -pointsize 13 "${cells[@]}" -tile "$(( 2 * ${#labels[@]} ))x" -geometry 400x300+4+4 "$SHEET"
echo "sheet: $SHEET"
