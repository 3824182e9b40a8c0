#!/usr/bin/env bash
# Installs what is missing, builds Leafstack in Release and starts it with the given files.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$top/scripts/setup.sh"
cmake --preset release -S "$top" >/dev/null
cmake --build "$top/build/release" --target leafstack
exec "$top/build/release/src/leafstack" "$@"
