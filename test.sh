#!/usr/bin/env bash
# Installs what the build and the tests need, builds everything with warnings
# as errors, checks the format of the sources and runs every test through
# CTest. CI runs exactly this (.ci/run).
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake -S . -B build -DBUILD_TESTING=ON -DWARNINGS_AS_ERRORS=ON
cmake --build build -j"$(nproc)"
cmake --build build --target format-check
ctest --test-dir build --output-on-failure -j"$(nproc)"
