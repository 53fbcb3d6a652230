#!/usr/bin/env bash
# Runs a command with an X display: the current one when DISPLAY is set,
# otherwise a virtual one started for the command.
set -euo pipefail
if [[ -n "${DISPLAY:-}" ]]; then
  exec "$@"
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" "$@"
