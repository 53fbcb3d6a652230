#!/usr/bin/env bash
# Runs every end-to-end test against a staged bin/ folder (first argument).
set -euo pipefail
export TALMORAK_BIN=${1:?usage: run_all.sh <staged bin dir>}
cd "$(dirname "$0")"
exec python3 -m unittest discover -s . -p "test_*.py" -v
