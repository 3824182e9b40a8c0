#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test through ctest.
# LEAFSTACK_WERROR=ON turns warnings into errors (CI does).
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$top/scripts/setup.sh"
cmake --preset test -S "$top" -DLEAFSTACK_WERROR="${LEAFSTACK_WERROR:-OFF}" >/dev/null
cmake --build "$top/build/test"
ctest --test-dir "$top/build/test" --output-on-failure -j "$(nproc)"
