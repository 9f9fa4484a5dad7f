#!/usr/bin/env bash
# The project's tests in two sizes (docs/DEVELOPING.md):
#   ./test.sh          what CI runs (.ci/run): installs the Debian packages the
#                      build and the tests need, builds everything with
#                      warnings as errors (preset ci: a unity build in
#                      build-ci), checks the format of the sources and runs
#                      every tier through CTest; then the clang build with the
#                      sanitizers (preset sanitize) runs the tests again and
#                      each fuzz target for a few seconds.
#   ./test.sh --quick  the edit-test loop: the dev build (build), the format
#                      check and every test but the real-data tier; no
#                      packages installed, no sanitizers.
set -euo pipefail
cd "$(dirname "$0")"
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))

if [ "${1:-}" = --quick ]; then
  cmake --preset dev >/dev/null
  cmake --build --preset dev -j"$jobs"
  cmake --build --preset dev --target format-check
  ctest --preset quick -j"$jobs"
  exit 0
fi

scripts/install-deps.sh
cmake --preset ci
cmake --build --preset ci -j"$jobs"
cmake --build --preset ci --target format-check
ctest --preset ci -j"$jobs"

scripts/sanitize.sh
scripts/fuzz.sh 5
