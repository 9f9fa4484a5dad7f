#!/usr/bin/env bash
# Builds the tests and the programs they run with the address and
# undefined-behaviour sanitizers (g++, lightly optimised) into build-sanitize,
# then runs every test there; any finding fails the test that met it.
# The windows are left out: Qt's own code is not instrumented and their tests
# would mostly check Qt.
#   scripts/sanitize.sh [BUILD_DIR, default build-sanitize]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-sanitize}
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
  -DBUILD_TESTING=ON -DSANITIZE=ON -DTESSIVAR_WINDOWS=OFF
cmake --build "$build" -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$build" --output-on-failure -j"$jobs"
