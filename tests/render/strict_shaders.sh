#!/usr/bin/env bash
# Every GLSL source of the game compiles under the Khronos reference
# compiler, which holds each source to the GLSL version it declares, as the
# strictest drivers do; so does every path that a preprocessor macro tested
# in the source selects, with that macro defined. Then each program's two
# stages link, so they agree on what passes between them.
#
# usage: strict_shaders.sh <shader folder>
set -uo pipefail
folder=${1:?usage: strict_shaders.sh <shader folder>}
failed=0

compile() {
  local output
  if ! output=$(glslangValidator "$@" 2>&1); then
    echo "FAILED: glslangValidator $*"
    echo "$output"
    failed=1
  fi
}

for source in "$folder"/*.vert "$folder"/*.frag; do
  macros=$(grep -oP '^\s*#\s*(ifn?def\s+|(el)?if\b.*\bdefined\s*\(?\s*)\K\w+' "$source" | sort -u)
  compile "$source"
  for macro in $macros; do
    compile "-D$macro" "$source"
  done
done
for vertex in "$folder"/*.vert; do
  compile -l "$vertex" "${vertex%.vert}.frag"
done
if [[ $failed -eq 0 ]]; then
  echo "every shader source and program passes glslangValidator"
fi
exit $failed
