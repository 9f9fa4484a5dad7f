#!/usr/bin/env bash
# Builds the programs, their tests and the fuzz targets with clang's address
# and undefined-behaviour sanitizers (the sanitize preset, -O1) into
# build-sanitize, then runs the unit and e2e tiers there and the whole-country
# conversion of both bundled months through the rules; any finding stops the
# program and fails the test that met it. The windows are left out: Qt's own
# code is not instrumented and their tests would mostly check Qt.
# scripts/fuzz.sh runs the fuzz targets of the same build.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))

cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j"$jobs"
ctest --preset sanitize -j"$jobs"
ctest --preset sanitize-realdata -j"$jobs"
