#!/usr/bin/env bash
# Configures (CMake preset "default") and builds into build/ (or $WATERFALL_BUILD_DIR),
# the tests and benchmarks included even where scripts/run configured the
# folder without them; extra arguments go to CMake.
set -euo pipefail
# shellcheck source=scripts/lib.sh
. "$(dirname "$0")/lib.sh"
cmake -S "$root" --preset default -B "$linux_build" -DWATERFALL_TESTS=ON -DWATERFALL_BENCH=ON \
  "$@" >/dev/null
cmake --build "$linux_build"
