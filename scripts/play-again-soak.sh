#!/usr/bin/env bash
# A soak, not a test: the staged game under MESA_DEBUG=1 plays 50 games (or
# the given number) in one process, a scripted player laying and setting off
# runes, walking, teleporting, then letting the monsters win, and Enter
# playing again after each end. Reports the resident memory at each new
# opening screen, whether each opening screen is the first one pixel for
# pixel, the game's messages and Mesa's GL errors; fails on more than 2 %
# growth after the first game, on any GL error or on an unclean end.
#
# usage: scripts/play-again-soak.sh [build dir, default build] [games, default 50]
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=$(realpath "${1:-$ROOT/build}")
python3 "$ROOT/scripts/play_again_soak.py" --bin "$BUILD_DIR/bin" --games "${2:-50}"
