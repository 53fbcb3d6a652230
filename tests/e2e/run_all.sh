#!/usr/bin/env bash
# Runs end-to-end tests against a staged bin/ folder (first argument): the
# named test modules, or every tests/e2e/test_*.py when none is named.
set -euo pipefail
export TALMORAK_BIN=${1:?usage: run_all.sh <staged bin dir> [test module...]}
shift
cd "$(dirname "$0")"
if [[ $# -gt 0 ]]; then
  exec python3 -m unittest -v "$@"
fi
exec python3 -m unittest discover -s . -p "test_*.py" -v
