#!/bin/sh
# Starts Talmorak Arena wherever it is installed. The game reads its shaders,
# models and pictures from "../bin/..." beside the folder it runs in, so it is
# started from that folder, found relative to this script's own place; the
# game writes nothing there. Its exit code is passed on.
launcher=$(readlink -f "$0")
game=$(dirname "$launcher")/../share/games/talmorak-arena
cd "$game/run" || exit 1
exec ../bin/talmorak "$@"
