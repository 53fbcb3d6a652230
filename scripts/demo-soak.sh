#!/usr/bin/env bash
# A soak, not a test: the staged game left alone for twenty minutes (or the
# given seconds) under MESA_DEBUG=1, the opening screen and the demo taking
# turns; reports its resident memory, how often the demo came and went,
# anything printed and Mesa's GL errors, and fails on more than 2 % growth
# after the warm-up, on any GL error or on an unclean end.
#
# usage: scripts/demo-soak.sh [build dir, default build] [seconds, default 1200] [warm-up seconds, default 120]
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(realpath "${1:-$ROOT/build}")
python3 "$ROOT/scripts/demo_soak.py" --bin "$BUILD_DIR/bin" --seconds "${2:-1200}" --warm-up "${3:-120}"
