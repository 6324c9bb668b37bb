#!/usr/bin/env bash
# Configures (CMake preset "default") and builds into build/ (or $WATERFALL_BUILD_DIR);
# extra arguments go to CMake.
set -euo pipefail
# shellcheck source=scripts/lib.sh
. "$(dirname "$0")/lib.sh"
cmake -S "$root" --preset default -B "$linux_build" "$@" >/dev/null
cmake --build "$linux_build"
