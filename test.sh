#!/usr/bin/env bash
# Installs what the build and the tests need, builds everything with warnings
# as errors, checks the format of the sources and runs every test through
# CTest; then runs the tests again in a build with the address and
# undefined-behaviour sanitizers, and each fuzz target for a few seconds.
# CI runs exactly this (.ci/run).
set -euo pipefail
cd "$(dirname "$0")"
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))

scripts/install-deps.sh
cmake -S . -B build -DBUILD_TESTING=ON -DWARNINGS_AS_ERRORS=ON
cmake --build build -j"$jobs"
cmake --build build --target format-check
ctest --test-dir build --output-on-failure -j"$jobs"

scripts/sanitize.sh
scripts/fuzz.sh 5
