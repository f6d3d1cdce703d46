#!/usr/bin/env bash
# Fails, listing the lines, when a file of a layer includes a header of a layer above it.
# Layers, bottom to top: framework, view, search, app. Usage: check-layers.sh [project root]
set -uo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
layers=(framework view search app)
status=0
for ((i = 0; i < ${#layers[@]} - 1; i++)); do
  above=$(IFS='|'; echo "${layers[*]:i+1}")
  if grep -nE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<]($above)/" \
      "$root/${layers[i]}"/*.h "$root/${layers[i]}"/*.cpp; then
    echo "check-layers: ${layers[i]}/ must not include headers of $above" >&2
    status=1
  fi
done
exit $status
